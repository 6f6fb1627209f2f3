#pragma once

#include <string>
#include <string_view>

namespace velmor {

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or code points
// above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// Each byte taken as a Latin-1 character, written as UTF-8.
std::string latin1ToUtf8(std::string_view bytes);

} // namespace velmor
