#include "ui/main/form_helpers.h"

#include "engine/runtime_error.h"
#include "ui/adapters/matrix_list.h"

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

CMatrix& listEntry(MatrixList& list, int position) {
    CMatrix* entry = list.Item(position);
    if (!entry) throw RuntimeError(err::ObjectNotSet);
    return *entry;
}

} // namespace velmor
