#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/multiply_kernel.h"

namespace velmor {
namespace {

using Doubles = std::vector<double>;

// Every element summed from 0 over k increasing: the order each instruction set must keep.
void expectPlainProduct(const Doubles& a, const Doubles& b, int m, int k, int n) {
    Doubles plain(static_cast<std::size_t>(m) * n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j)
            for (int p = 0; p < k; ++p)
                plain[i * n + j] = plain[i * n + j] + a[i * k + p] * b[p * n + j];
    for (KernelIsa isa : {KernelIsa::Best, KernelIsa::Sse2, KernelIsa::Avx2})
        for (int threads : {1, 2}) {
            if (!kernelSupported(isa)) continue;
            Doubles c(plain.size(), 99.0);
            multiplyDense(a.data(), b.data(), c.data(), m, k, n, isa, threads);
            EXPECT_EQ(std::memcmp(c.data(), plain.data(), c.size() * sizeof(double)), 0)
                << m << "x" << k << " by " << k << "x" << n << ", isa " << static_cast<int>(isa)
                << ", threads " << threads;
        }
}

TEST(MultiplyKernel, BitForBitThePlainLoop) {
    const int shapes[][3] = {
        {1, 1, 1},    {7, 13, 5},   {130, 70, 90}, {1, 300, 1},   {300, 1, 300},
        {6, 8, 8},    {12, 16, 16}, {5, 3, 9},     {97, 257, 33}, {2, 600, 2100},
        {64, 64, 64}, {3, 1000, 7}, {2, 0, 3},
    };
    // Many magnitudes and both signs, so any change of summation order shows.
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (const auto& [m, k, n] : shapes) {
        Doubles a(m * k), b(k * n);
        for (Doubles* v : {&a, &b})
            for (double& x : *v) x = std::ldexp(mantissa(rng), exponent(rng));
        expectPlainProduct(a, b, m, k, n);
    }
    // A sum from +0 turns -0 products into +0; infinities and NaN pass lane by lane.
    expectPlainProduct({-0.0, -0.0, 1e308, 1e308, INFINITY, 1, 0, -INFINITY}, {1, 2, 3, 10, 1, -1},
                       4, 2, 3);
}

TEST(MultiplyKernel, CancelledWorkStops) {
    SharedProgress progress;
    progress.cancel();
    std::vector<double> a(200 * 200, 1.0), c(a.size());
    EXPECT_THROW(
        multiplyDense(a.data(), a.data(), c.data(), 200, 200, 200, KernelIsa::Best, 2, &progress),
        WorkCancelled);
}

// The update of a block inside larger matrices: one rank-one term after the other, and
// nothing outside the block touched.
TEST(MultiplyKernel, SubtractProductIsTheRankOneLoop) {
    const int shapes[][3] = {{1, 1, 1}, {7, 13, 5}, {100, 300, 37}, {13, 2, 260}, {6, 8, 8}};
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (const auto& [m, k, n] : shapes) {
        const int lda = k + 3, ldb = n + 5, ldc = n + 2;
        Doubles a(static_cast<std::size_t>(m) * lda), b(static_cast<std::size_t>(k) * ldb),
            c0(static_cast<std::size_t>(m) * ldc);
        for (Doubles* v : {&a, &b, &c0})
            for (double& x : *v) x = std::ldexp(mantissa(rng), exponent(rng));
        Doubles plain = c0;
        for (int p = 0; p < k; ++p)
            for (int i = 0; i < m; ++i)
                for (int j = 0; j < n; ++j)
                    plain[i * ldc + j] = plain[i * ldc + j] - a[i * lda + p] * b[p * ldb + j];
        for (KernelIsa isa : {KernelIsa::Sse2, KernelIsa::Avx2}) {
            if (!kernelSupported(isa)) continue;
            Doubles c = c0;
            subtractProduct(a.data(), lda, b.data(), ldb, c.data(), ldc, m, k, n, isa);
            EXPECT_EQ(std::memcmp(c.data(), plain.data(), c.size() * sizeof(double)), 0)
                << m << "x" << k << " by " << k << "x" << n << ", isa " << static_cast<int>(isa);
        }
    }
}

} // namespace
} // namespace velmor
