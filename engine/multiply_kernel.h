#pragma once

#include <cstddef>

#include "engine/progress.h"

namespace velmor {

// The vector instruction sets the kernel is built for; Best picks the widest this processor
// runs. All give identical results.
enum class KernelIsa { Best, Sse2, Avx2 };

bool kernelSupported(KernelIsa isa);

// Whether an m x k by k x n product is large enough for two threads, and a second core there.
bool productWorthTwoThreads(int m, int k, int n);

// c = a * b for row-major dense matrices a (m x k), b (k x n), c (m x n). Every element is
// summed over k in increasing order starting from 0, one multiply and one add per term, so
// the result is bit-for-bit that of the plain triple loop; only the memory order differs.
// The rows of c may be split over two threads (threads 0: two when the product is large and
// a second core is there). A cancelled progress throws WorkCancelled, c partly written.
void multiplyDense(const double* a, const double* b, double* c, int m, int k, int n,
                   KernelIsa isa = KernelIsa::Best, int threads = 0, Progress* progress = nullptr);

// y[j] = y[j] - x[j] * s for j < n, each product and difference rounded.
void subtractMultiple(double* y, const double* x, double s, std::ptrdiff_t n,
                      KernelIsa isa = KernelIsa::Best);

// c(i, j) = c(i, j) - a(i, p) * b(p, j) for p = 0, 1, ..., k - 1 in turn, each product and
// difference rounded: the trailing update of a blocked elimination, bit-for-bit that of
// subtracting one rank-one term after the other. Row-major, with leading dimensions.
void subtractProduct(const double* a, std::ptrdiff_t lda, const double* b, std::ptrdiff_t ldb,
                     double* c, std::ptrdiff_t ldc, int m, int k, int n,
                     KernelIsa isa = KernelIsa::Best);
// The same with row i of c at cRows[i], for matrices whose rows are pointers.
void subtractProduct(const double* a, std::ptrdiff_t lda, const double* b, std::ptrdiff_t ldb,
                     double* const* cRows, int m, int k, int n, KernelIsa isa = KernelIsa::Best);

} // namespace velmor
