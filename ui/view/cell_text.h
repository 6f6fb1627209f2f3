#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// A number too wide for its cell, shortened the way spreadsheets do: rounded to as many
// significant digits as fit (halves away from zero), in plain form while that keeps a
// significant digit, else in exponent form; "###" when not even one digit fits. `fits` says
// whether a candidate fits the cell. nullopt when `text` is not a number; the text itself
// when it fits whole. Either '.' or ',' is taken as the decimal separator.
std::optional<std::string> shortenNumber(const std::string& text,
                                         const std::function<bool(std::string_view)>& fits);

} // namespace velmor
