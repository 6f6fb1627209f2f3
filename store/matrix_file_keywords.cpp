#include "store/matrix_file_keywords.h"

#include "engine/text_case.h"

namespace velmor {

namespace {

bool wordEndsAt(std::string_view line, std::size_t end, std::string_view lowerWord) {
    if (end < lowerWord.size()) return false;
    // Most hyphens follow a digit: an ASCII byte lowers only to itself or its small letter.
    const auto last = static_cast<unsigned char>(line[end - 1]);
    if (last < 0x80 && (last | 0x20) != lowerWord.back()) return false;
    return equalNoCase(line.substr(end - lowerWord.size(), lowerWord.size()), lowerWord);
}

} // namespace

// Every keyword ends at a hyphen and holds no other, so the first hyphen that completes one
// marks the earliest.
Keyword firstKeyword(std::string_view line) {
    constexpr auto npos = std::string_view::npos;
    for (std::size_t p = line.find('-'); p != npos; p = line.find('-', p + 1)) {
        std::size_t e = (p > 0 && line[p - 1] == ' ') ? p - 1 : p;
        if (wordEndsAt(line, e, "matrix")) return Keyword::Name;
        if (wordEndsAt(line, e, "description")) return Keyword::Description;
        if (wordEndsAt(line, e, "rows")) return Keyword::Rows;
        if (wordEndsAt(line, e, "columns")) return Keyword::Columns;
    }
    return Keyword::None;
}

std::string_view keywordText(Keyword keyword) {
    switch (keyword) {
    case Keyword::Name:
        return "matrix -";
    case Keyword::Description:
        return "description -";
    case Keyword::Rows:
        return "rows -";
    case Keyword::Columns:
        return "columns -";
    case Keyword::None:
        break;
    }
    return {};
}

} // namespace velmor
