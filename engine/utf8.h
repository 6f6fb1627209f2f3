#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmor {

// Appends code point `c` to `out` in UTF-8.
void appendUtf8(char32_t c, std::string& out);

// The well-formed UTF-8 code point starting at text[i] into `c`, and its length in bytes;
// 0 for a byte that does not start one (overlong forms and surrogates included).
std::size_t decodeUtf8At(std::string_view text, std::size_t i, char32_t& c);

} // namespace velmor
