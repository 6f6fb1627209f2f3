#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/multiply_kernel.h"

namespace velmor {
namespace {

const KernelIsa kIsas[] = {KernelIsa::Best, KernelIsa::Sse2, KernelIsa::Avx2};

// The order every element must be summed in: from 0, over k increasing.
std::vector<double> plainProduct(const std::vector<double>& a, const std::vector<double>& b, int m,
                                 int k, int n) {
    std::vector<double> c(static_cast<std::size_t>(m) * n);
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
            double sum = 0;
            for (int p = 0; p < k; ++p) sum = sum + a[i * k + p] * b[p * n + j];
            c[i * n + j] = sum;
        }
    return c;
}

// Values over many magnitudes and both signs, so any change of summation order shows up.
std::vector<double> randomValues(std::size_t count, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::vector<double> v(count);
    for (double& x : v) x = std::ldexp(mantissa(rng), exponent(rng));
    return v;
}

bool sameBits(const std::vector<double>& x, const std::vector<double>& y) {
    return x.size() == y.size() && std::memcmp(x.data(), y.data(), x.size() * sizeof(double)) == 0;
}

TEST(MultiplyKernel, BitForBitThePlainLoopOnAwkwardShapes) {
    const struct {
        int m, k, n;
    } shapes[] = {
        {1, 1, 1},    {7, 13, 5}, {130, 70, 90}, {1, 300, 1},    {300, 1, 300}, {6, 8, 8},
        {12, 16, 16}, {5, 3, 9},  {97, 257, 33}, {2, 600, 2100}, {64, 64, 64},  {3, 1000, 7},
    };
    std::mt19937_64 rng(42);
    for (const auto& s : shapes) {
        auto a = randomValues(static_cast<std::size_t>(s.m) * s.k, rng);
        auto b = randomValues(static_cast<std::size_t>(s.k) * s.n, rng);
        const auto expected = plainProduct(a, b, s.m, s.k, s.n);
        for (KernelIsa isa : kIsas) {
            if (!kernelSupported(isa)) continue;
            std::vector<double> c(static_cast<std::size_t>(s.m) * s.n, 99.0);
            multiplyDense(a.data(), b.data(), c.data(), s.m, s.k, s.n, isa);
            EXPECT_TRUE(sameBits(c, expected)) << s.m << "x" << s.k << " by " << s.k << "x" << s.n
                                               << " isa " << static_cast<int>(isa);
        }
    }
}

TEST(MultiplyKernel, EmptyInnerDimensionGivesZeros) {
    std::vector<double> c(6, 5.0);
    multiplyDense(nullptr, nullptr, c.data(), 2, 0, 3);
    for (double x : c) EXPECT_EQ(x, 0.0);
}

TEST(MultiplyKernel, SignedZerosAndSpecialValuesFollowThePlainLoop) {
    // Sums that start from +0 turn a run of -0 products into +0; infinities and NaN pass
    // through lane by lane.
    const double inf = INFINITY;
    std::vector<double> a = {-0.0, -0.0, 1e308, 1e308, inf, 1.0, 0.0, -inf};
    std::vector<double> b = {1.0, 2.0, 3.0, 10.0, 1.0, -1.0};
    for (KernelIsa isa : kIsas) {
        if (!kernelSupported(isa)) continue;
        std::vector<double> c(12);
        multiplyDense(a.data(), b.data(), c.data(), 4, 2, 3, isa);
        EXPECT_TRUE(sameBits(c, plainProduct(a, b, 4, 2, 3)));
        EXPECT_FALSE(std::signbit(c[0]));
    }
}

} // namespace
} // namespace velmor
