#pragma once

#include "engine/exact_number.h"

// Exact determinant, adjugate and inverse of square rational matrices, on FLINT.
namespace velmor::exact {

Rational determinant(const Matrix& a);

// The transpose of the matrix of cofactors, for every rank: det(A) A^-1 when A is regular,
// the rank-one product of the kernel vectors at rank n - 1, and 0 below. Order 1 gives [1].
Matrix adjugate(const Matrix& a);

// False when the matrix is singular.
bool inverse(const Matrix& a, Matrix& out);

} // namespace velmor::exact
