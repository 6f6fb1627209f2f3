#pragma once

#include <vector>

#include "engine/number_format.h"
#include "engine/variant.h"

namespace velmor::exact {

// The largest order (and row or column count) the exact methods take on; beyond it the
// floating-point methods stay, and the result window offers no fractions.
inline constexpr int kMaxOrder = 200;

// Determinant and row-major adjugate of elements 1..n of a square matrix value, computed
// exactly from the elements (every decimal text is a rational) and rounded once to the nearest
// double. Run-time errors: 13 for an element that is not a number, 6 for a value beyond the
// double range, 9 for bounds that do not cover 1..n.
double determinant(const Array& a, int n, const NumberFormat& format);
std::vector<double> adjugate(const Array& a, int n, const NumberFormat& format);

} // namespace velmor::exact
