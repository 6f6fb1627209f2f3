#include <cmath>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/lu_factor.h"

namespace velmor {
namespace {

using Doubles = std::vector<double>;

// The textbook elimination whose every rounding the blocked one must reproduce.
bool textbookLu(Doubles& a, int n, bool& odd) {
    odd = false;
    auto at = [&](int r, int c) -> double& { return a[static_cast<std::size_t>(r) * n + c]; };
    for (int k = 0; k < n; ++k) {
        int p = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(at(i, k)) > std::fabs(at(p, k))) p = i;
        if (at(p, k) == 0) return false;
        if (p != k) {
            for (int j = 0; j < n; ++j) std::swap(at(p, j), at(k, j));
            odd = !odd;
        }
        for (int i = k + 1; i < n; ++i) {
            at(i, k) = at(i, k) / at(k, k);
            for (int j = k + 1; j < n; ++j) at(i, j) = at(i, j) - at(k, j) * at(i, k);
        }
    }
    return true;
}

struct Case {
    const char* what;
    int n;
    bool integers;  // small integers: many ties between candidate pivots
    int zeroColumn; // a column of zeros makes the matrix singular; -1 for none
};

TEST(LuFactor, BitForBitTheTextbookLoop) {
    const Case cases[] = {
        {"one element", 1, false, -1},
        {"below the blocking", 15, false, -1},
        {"one split", 40, false, -1},
        {"several levels", 203, false, -1},
        {"ties", 90, true, -1},
        {"singular past the first block", 70, false, 33},
        {"singular at the start", 20, true, 0},
    };
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-20, 20), small(-3, 3);
    for (const Case& c : cases) {
        Doubles a(static_cast<std::size_t>(c.n) * c.n);
        for (std::size_t k = 0; k < a.size(); ++k) {
            a[k] = c.integers ? small(rng) : std::ldexp(mantissa(rng), exponent(rng));
            if (static_cast<int>(k % c.n) == c.zeroColumn) a[k] = 0;
        }
        Doubles plain = a;
        bool plainOdd = false;
        const bool plainWhole = textbookLu(plain, c.n, plainOdd);
        EXPECT_EQ(plainWhole, c.zeroColumn < 0) << c.what;
        for (KernelIsa isa : {KernelIsa::Sse2, KernelIsa::Avx2}) {
            if (!kernelSupported(isa)) continue;
            Doubles f = a;
            bool odd = false;
            EXPECT_EQ(luFactor(f.data(), c.n, odd, isa), plainWhole) << c.what;
            if (!plainWhole) continue; // the partly reduced matrices differ by design
            EXPECT_EQ(odd, plainOdd) << c.what;
            EXPECT_EQ(std::memcmp(f.data(), plain.data(), f.size() * sizeof(double)), 0)
                << c.what << ", isa " << static_cast<int>(isa);
        }
    }
}

} // namespace
} // namespace velmor
