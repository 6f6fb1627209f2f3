#pragma once

#include <string>
#include <string_view>

namespace velmor {

// The key under which a UTF-8 text compares without regard to case: every letter, accented
// and non-Latin ones included, in its lower-case form. Bytes that are not valid UTF-8 are
// kept as they are.
std::string foldCase(std::string_view text);

// True when two texts differ at most in the case of their letters.
bool equalNoCase(std::string_view a, std::string_view b);

} // namespace velmor
