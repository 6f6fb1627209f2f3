#include "ui/main/form_helpers.h"

#include <algorithm>
#include <cctype>

#include "engine/runtime_error.h"
#include "store/cmatrices.h"

namespace velmor {

std::int16_t countFromText(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    auto last = text.find_last_not_of(' ');
    if (first == std::string::npos) throw RuntimeError(err::TypeMismatch);
    long value = 0;
    for (auto i = first; i <= last; ++i) {
        char c = text[i];
        if (c < '0' || c > '9') throw RuntimeError(err::TypeMismatch);
        // Stop accumulating once out of range so that a long paste cannot wrap around.
        if (value <= 32767) value = value * 10 + (c - '0');
    }
    if (value > 32767) throw RuntimeError(err::Overflow);
    return static_cast<std::int16_t>(value);
}

CMatrix& listEntry(CMatrices& list, int position) {
    CMatrix* entry = list.Item(position);
    if (!entry) throw RuntimeError(91);
    return *entry;
}

bool sameTextNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace velmor
