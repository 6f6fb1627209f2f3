#pragma once

#include <cstdint>
#include <string>

namespace velmor {

class MatrixList;
class CMatrix;

// Reads the text of a row or column count box as a 16-bit count. Blanks around the digits
// are allowed; anything but a whole number of decimal digits fails with run-time error 13,
// a value above 32,767 with error 6.
std::int16_t countFromText(const std::string& text);

// The list entry at a position from 1. Item has already reported a bad position; the caller's
// trap then reports the missing entry as well (run-time error 91).
CMatrix& listEntry(MatrixList& list, int position);

} // namespace velmor
