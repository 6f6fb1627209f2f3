#include "engine/text_case.h"

#include <cstdint>
#include <cwctype>

#include <locale.h>

#include "engine/utf8.h"

namespace velmor {

namespace {

// The C library's Unicode character tables, whatever locale the program runs in.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

char32_t lower(char32_t c) {
    if (c < 0x80) return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c;
    locale_t locale = unicodeLocale();
    return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale)) : c;
}

} // namespace

std::string foldCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const std::size_t n = decodeUtf8At(text, i, c);
        if (n == 0) {
            out += text[i++];
            continue;
        }
        appendUtf8(lower(c), out);
        i += n;
    }
    return out;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a == b) return true;
    // Texts of ASCII only, the usual case, compare in place: no other character lowers to one.
    auto ascii = [](std::string_view s) {
        for (char c : s)
            if (static_cast<unsigned char>(c) >= 0x80) return false;
        return true;
    };
    if (ascii(a) && ascii(b)) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (lower(static_cast<unsigned char>(a[i])) != lower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }
    return foldCase(a) == foldCase(b);
}

} // namespace velmor
