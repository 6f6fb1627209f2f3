#include "engine/row_sweep.h"

#include <algorithm>
#include <cstring>

namespace velmor {

namespace {

// GCC vector types: the row update compiles to packed multiplies and subtracts (never fused,
// the build has -ffp-contract=off), which round exactly like the scalar ones.
typedef double v4d __attribute__((vector_size(32), aligned(8), may_alias));
typedef long long v4i __attribute__((vector_size(32), aligned(8), may_alias));
constexpr long long kAbs = 0x7FFF'FFFF'FFFF'FFFF;

// One copy per instruction set, picked at load time by an ifunc resolver; the thread
// sanitizer cannot run such resolvers, so its builds keep the plain copy.
#if defined(__SANITIZE_THREAD__)
#define VELMOR_CLONES
#else
#define VELMOR_CLONES __attribute__((target_clones("avx2", "default")))
#endif

} // namespace

VELMOR_CLONES void sweepRows(const SweepArgs& s, int begin, int end, RowMax& best) {
    const auto* p = reinterpret_cast<const v4d*>(s.rows[s.pc]);
    // A candidate shows as |x|, anything else as -1: the lesser of cap and |x|, cap first, so
    // that a NaN stays a NaN. A NaN never wins, y > m being false. One load per vector.
    constexpr v4i absBits = {kAbs, kAbs, kAbs, kAbs};
    const std::size_t vectors = s.width / 4;
    for (int r = begin; r < end; ++r) {
        if (r == s.pc || (s.skip && s.skip[r])) continue;
        const double dum = s.rows[r][s.pc];
        s.rows[r][s.pc] = 0.0;
        const v4d d = {dum, dum, dum, dum};
        auto* a = reinterpret_cast<v4d*>(s.rows[r]);
        if (!s.search[r]) {
            for (std::size_t j = 0; j < vectors; j += 2) {
                a[j] = a[j] - p[j] * d;
                a[j + 1] = a[j + 1] - p[j + 1] * d;
            }
            continue;
        }
        v4d m0 = {-1.0, -1.0, -1.0, -1.0}, m1 = m0;
        for (std::size_t j = 0; j < vectors; j += 2) {
            const v4d x0 = a[j] - p[j] * d;
            const v4d x1 = a[j + 1] - p[j + 1] * d;
            a[j] = x0;
            a[j + 1] = x1;
            const v4d a0 = reinterpret_cast<v4d>(reinterpret_cast<v4i>(x0) & absBits);
            const v4d a1 = reinterpret_cast<v4d>(reinterpret_cast<v4i>(x1) & absBits);
            v4d c0, c1; // cap need not be aligned
            std::memcpy(&c0, s.cap + 4 * j, sizeof c0);
            std::memcpy(&c1, s.cap + 4 * j + 4, sizeof c1);
            const v4d y0 = c0 < a0 ? c0 : a0;
            const v4d y1 = c1 < a1 ? c1 : a1;
            m0 = y0 > m0 ? y0 : m0;
            m1 = y1 > m1 ? y1 : m1;
        }
        m0 = m1 > m0 ? m1 : m0;
        best.merge({std::max(std::max(m0[0], m0[1]), std::max(m0[2], m0[3])), r});
    }
}

} // namespace velmor
