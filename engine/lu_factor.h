#pragma once

#include "engine/multiply_kernel.h"

namespace velmor {

// LU factorisation with partial pivoting of a row-major n x n matrix, in place: afterwards the
// strict lower triangle holds L (unit diagonal) and the upper triangle U of P A = L U. The
// pivot of column k is the first element of greatest magnitude on or below the diagonal, and
// rows are swapped as soon as it is found.
//
// Every element goes through the operations of the textbook loop, in its order:
//   for k: pivot and swap; a(i, k) = a(i, k) / a(k, k) for i > k;
//          a(i, j) = a(i, j) - a(i, k) * a(k, j) for i, j > k.
// The work is blocked recursively so that almost all of it runs in the product kernel, which
// keeps that order; the result is therefore the same bit for bit on every instruction set.
//
// Returns false, leaving the matrix partly reduced, at the first column with no nonzero
// pivot (the matrix is singular). oddSwaps tells whether an odd number of rows were swapped.
bool luFactor(double* a, int n, bool& oddSwaps, KernelIsa isa = KernelIsa::Best);

} // namespace velmor
