#include "engine/bareiss.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velmor::bareiss {

namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// Values stay within +-kMax (never INT64_MIN), so a product difference fits 127 bits.
bool fits(__int128 v) {
    return v >= -kMax && v <= kMax;
}

} // namespace

std::optional<std::vector<std::int64_t>> toIntegers(const std::vector<double>& m) {
    constexpr double kLimit = 4611686018427387904.0; // 2^62
    for (double x : m)
        if (!(std::fabs(x) <= kLimit) || x != std::trunc(x)) return std::nullopt;
    return std::vector<std::int64_t>(m.begin(), m.end());
}

std::optional<std::int64_t> determinant(std::vector<std::int64_t> m, int n) {
    if (n <= 0) return 1;
    const auto un = static_cast<std::size_t>(n);
    auto row = [&](int r) { return m.data() + static_cast<std::size_t>(r) * un; };
    bool negate = false;
    std::int64_t prev = 1;
    for (int k = 0; k + 1 < n; ++k) {
        if (row(k)[k] == 0) {
            int i = k + 1;
            while (i < n && row(i)[k] == 0) ++i;
            if (i == n) return 0;
            std::swap_ranges(row(k) + k, row(k) + n, row(i) + k);
            negate = !negate;
        }
        const std::int64_t* pr = row(k);
        const std::int64_t p = pr[k];
        for (int i = k + 1; i < n; ++i) {
            std::int64_t* ri = row(i);
            const std::int64_t f = ri[k];
            if (f == 0 && p == prev) continue; // the row stays as it is
            for (int j = k + 1; j < n; ++j) {
                const __int128 num =
                    static_cast<__int128>(p) * ri[j] - static_cast<__int128>(f) * pr[j];
                // Sylvester's identity makes the division exact.
                __int128 q;
                if (prev == 1)
                    q = num;
                else if (fits(num))
                    q = static_cast<std::int64_t>(num) / prev;
                else
                    q = num / prev;
                if (!fits(q)) return std::nullopt;
                ri[j] = static_cast<std::int64_t>(q);
            }
        }
        prev = p;
    }
    const std::int64_t d = row(n - 1)[n - 1];
    return negate ? -d : d;
}

std::optional<std::vector<std::int64_t>> minors(const std::vector<std::int64_t>& m, int n) {
    const auto un = static_cast<std::size_t>(n);
    std::vector<std::int64_t> out(un * un), minor((un - 1) * (un - 1));
    for (std::size_t i = 0; i < un; ++i)
        for (std::size_t j = 0; j < un; ++j) {
            std::size_t w = 0;
            for (std::size_t x = 0; x < un; ++x) {
                if (x == i) continue;
                for (std::size_t y = 0; y < un; ++y)
                    if (y != j) minor[w++] = m[x * un + y];
            }
            auto d = determinant(minor, n - 1);
            if (!d) return std::nullopt;
            out[i * un + j] = *d;
        }
    return out;
}

} // namespace velmor::bareiss
