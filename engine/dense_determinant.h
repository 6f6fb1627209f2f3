#pragma once

#include <vector>

namespace velmor::dense {

// Floating-point determinant and adjugate of an n x n row-major matrix for orders where
// cofactor expansion is out of reach. Products of many factors are carried as mantissa and
// exponent, so a result overflows (to an infinity) only when its own value is beyond the
// double range, never because an intermediate product was.

// LU with partial pivoting, in place: m is overwritten by its factors (see luFactor). A
// column without a nonzero pivot makes the determinant 0.
double determinant(std::vector<double>& m, int n);

// Row-major adjugate. A well-conditioned matrix gives det(A) times its inverse; otherwise the
// singular value decomposition A = U S V^T gives det(U) det(V) V adj(S) U^T, which keeps its
// accuracy down to rank n - 1 (and is 0 below).
std::vector<double> adjugate(const std::vector<double>& m, int n);

} // namespace velmor::dense
