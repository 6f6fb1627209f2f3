#include "engine/multiply_kernel.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

#include "engine/sweep_team.h"

namespace velmor {

namespace {

// Blocking: a kc x NR panel of b stays in L1, an mc x kc block of a in L2, a kc x n slab of
// b in L3. Splitting k into blocks keeps the order of each element's sum, because the
// partial sum is stored in c between blocks and picked up again by the next one.
constexpr int kKc = 256;
constexpr int kMc = 96;
constexpr int kNc = 2048;

using Index = std::ptrdiff_t;

struct AlignedFree {
    void operator()(double* p) const { ::operator delete[](p, std::align_val_t(64)); }
};
using Buffer = std::unique_ptr<double[], AlignedFree>;

Buffer allocate(Index n) {
    return Buffer(static_cast<double*>(
        ::operator new[](static_cast<std::size_t>(n) * sizeof(double), std::align_val_t(64))));
}

// The register tile is MR rows by NV vectors of type V across j. Products and sums are
// separate operations (no fused multiply-add), lane by lane, in increasing k.
// Sum starts every element at zero and adds the products; Subtract takes the element's
// value and subtracts them, the update of a blocked elimination.
enum class Mode { Sum, Subtract };

template <class V, int MR, int NV, Mode M>
__attribute__((always_inline)) inline void tile(Index kc, const double* __restrict a,
                                                const double* __restrict b, double* const* c,
                                                bool first, int rows, int cols) {
    constexpr int W = sizeof(V) / sizeof(double);
    constexpr int NR = W * NV;
    const bool whole = rows == MR && cols == NR;
    alignas(64) double edge[MR * NR];
    double* out[MR];
    for (int r = 0; r < MR; ++r) out[r] = whole ? c[r] : edge + r * NR;
    if (!whole) {
        std::memset(edge, 0, sizeof edge);
        if (!first)
            for (int r = 0; r < rows; ++r)
                std::memcpy(edge + r * NR, c[r], static_cast<std::size_t>(cols) * sizeof(double));
    }
    V acc[MR][NV];
#pragma GCC unroll 16
    for (int r = 0; r < MR; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < NV; ++v) {
            if (first && whole)
                acc[r][v] = V{};
            else
                std::memcpy(&acc[r][v], out[r] + v * W, sizeof(V));
        }
    for (Index p = 0; p < kc; ++p) {
        V bv[NV];
#pragma GCC unroll 16
        for (int v = 0; v < NV; ++v) std::memcpy(&bv[v], b + p * NR + v * W, sizeof(V));
#pragma GCC unroll 16
        for (int r = 0; r < MR; ++r) {
            const double ar = a[p * MR + r];
#pragma GCC unroll 16
            for (int v = 0; v < NV; ++v) {
                V product = ar * bv[v];
                if constexpr (M == Mode::Sum)
                    acc[r][v] += product;
                else
                    acc[r][v] -= product;
            }
        }
    }
#pragma GCC unroll 16
    for (int r = 0; r < MR; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < NV; ++v) std::memcpy(out[r] + v * W, &acc[r][v], sizeof(V));
    if (!whole)
        for (int r = 0; r < rows; ++r)
            std::memcpy(c[r], edge + r * NR, static_cast<std::size_t>(cols) * sizeof(double));
}

// Packs rows i0..i0+mc of a, columns p0..p0+kc, into MR-row panels laid out k-major; the
// rows past m are zero.
template <int MR>
void packA(const double* a, Index lda, Index i0, Index mc, Index p0, Index kc, double* out) {
    for (Index ir = 0; ir < mc; ir += MR) {
        const Index rows = std::min<Index>(MR, mc - ir);
        for (Index p = 0; p < kc; ++p)
            for (Index r = 0; r < MR; ++r)
                *out++ = r < rows ? a[(i0 + ir + r) * lda + p0 + p] : 0.0;
    }
}

// Packs rows p0..p0+kc of b, columns j0..j0+nc, into NR-column panels; columns past n are zero.
// Each row of b is read once from start to end, which the hardware prefetches.
template <int NR>
void packB(const double* b, Index ldb, Index p0, Index kc, Index j0, Index nc, double* out) {
    const Index whole = nc / NR * NR;
    for (Index p = 0; p < kc; ++p) {
        const double* row = b + (p0 + p) * ldb + j0;
        double* to = out + p * NR;
        for (Index jr = 0; jr < whole; jr += NR, to += kc * NR)
            std::memcpy(to, row + jr, sizeof(double) * NR);
        if (whole < nc) {
            Index j = 0;
            for (; j < nc - whole; ++j) to[j] = row[whole + j];
            for (; j < NR; ++j) to[j] = 0.0;
        }
    }
}

// Stops early, leaving c partly written, once the progress says the work was cancelled;
// the thread that reports counts its own share.
struct Watch {
    Progress* progress = nullptr;
    bool reports = false;
    bool stopped() const { return progress && progress->cancelled(); }
};

// Row-major operands with leading dimensions lda, ldb, ldc; or, where cRows is given, the
// rows of c anywhere.
struct Operands {
    const double* a;
    Index lda;
    const double* b;
    Index ldb;
    double* c;
    Index ldc;
    Index m, k, n;
    double* const* cRows = nullptr;

    double* cRow(Index i, Index j) const { return cRows ? cRows[i] + j : c + i * ldc + j; }
};

template <class V, int MR, int NV, Mode M>
__attribute__((always_inline)) inline void gemm(const Operands& o, Watch watch) {
    constexpr int NR = static_cast<int>(sizeof(V) / sizeof(double)) * NV;
    const Index m = o.m, k = o.k, n = o.n;
    const Index nc = std::min<Index>(kNc, (n + NR - 1) / NR * NR);
    const Index mcMax = std::min<Index>(kMc / MR * MR, (m + MR - 1) / MR * MR);
    Buffer bPack = allocate(std::min<Index>(kKc, k) * nc);
    Buffer aPack = allocate(std::min<Index>(kKc, k) * mcMax);
    for (Index j0 = 0; j0 < n; j0 += kNc) {
        const Index ncHere = std::min<Index>(kNc, n - j0);
        for (Index p0 = 0; p0 < k; p0 += kKc) {
            const Index kc = std::min<Index>(kKc, k - p0);
            const bool first = M == Mode::Sum && p0 == 0;
            packB<NR>(o.b, o.ldb, p0, kc, j0, ncHere, bPack.get());
            for (Index i0 = 0; i0 < m; i0 += mcMax) {
                if (watch.stopped()) return;
                if (watch.reports && watch.progress)
                    watch.progress->report(static_cast<double>(p0 * m + i0 * kc) /
                                           static_cast<double>(k * m));
                const Index mc = std::min<Index>(mcMax, m - i0);
                packA<MR>(o.a, o.lda, i0, mc, p0, kc, aPack.get());
                // Tile rows run along c, whose rows the hardware then prefetches; measured
                // faster than keeping a panel of b in L1 and running down c.
                for (Index ir = 0; ir < mc; ir += MR)
                    for (Index jr = 0; jr < ncHere; jr += NR) {
                        const int rows = static_cast<int>(std::min<Index>(MR, mc - ir));
                        const int cols = static_cast<int>(std::min<Index>(NR, ncHere - jr));
                        double* cRows[MR];
                        for (int r = 0; r < rows; ++r) cRows[r] = o.cRow(i0 + ir + r, j0 + jr);
                        tile<V, MR, NV, M>(kc, aPack.get() + ir * kc, bPack.get() + jr * kc, cRows,
                                           first, rows, cols);
                    }
            }
        }
    }
}

typedef double Vec4 __attribute__((vector_size(32)));
typedef double Vec2 __attribute__((vector_size(16)));

// Twelve accumulators plus two b vectors, a broadcast and a product fill the sixteen
// vector registers of either instruction set.
template <Mode M> __attribute__((target("avx2"))) void gemmAvx2(const Operands& o, Watch watch) {
    gemm<Vec4, 6, 2, M>(o, watch);
}

template <Mode M> void gemmSse2(const Operands& o, Watch watch) {
    gemm<Vec2, 6, 2, M>(o, watch);
}

KernelIsa resolve(KernelIsa isa) {
    if (isa == KernelIsa::Best)
        return kernelSupported(KernelIsa::Avx2) ? KernelIsa::Avx2 : KernelIsa::Sse2;
    return isa;
}

// y[j] = y[j] - x[j] * s for j < n, lane by lane, product and difference rounded apart.
template <class V>
__attribute__((always_inline)) inline void axpy(double* __restrict y, const double* __restrict x,
                                                double s, Index n) {
    constexpr int W = sizeof(V) / sizeof(double);
    Index j = 0;
    for (; j + 2 * W <= n; j += 2 * W) {
        V x0, x1, y0, y1;
        std::memcpy(&x0, x + j, sizeof(V));
        std::memcpy(&x1, x + j + W, sizeof(V));
        std::memcpy(&y0, y + j, sizeof(V));
        std::memcpy(&y1, y + j + W, sizeof(V));
        y0 = y0 - x0 * s;
        y1 = y1 - x1 * s;
        std::memcpy(y + j, &y0, sizeof(V));
        std::memcpy(y + j + W, &y1, sizeof(V));
    }
    for (; j < n; ++j) y[j] = y[j] - x[j] * s;
}

__attribute__((target("avx2"))) void axpyAvx2(double* y, const double* x, double s, Index n) {
    axpy<Vec4>(y, x, s, n);
}

void axpySse2(double* y, const double* x, double s, Index n) {
    axpy<Vec2>(y, x, s, n);
}

void subtract(const Operands& o, KernelIsa isa) {
    if (o.m <= 0 || o.n <= 0 || o.k <= 0) return;
    if (resolve(isa) == KernelIsa::Avx2)
        gemmAvx2<Mode::Subtract>(o, Watch{});
    else
        gemmSse2<Mode::Subtract>(o, Watch{});
}

// Below this many multiplications a second thread costs about what it saves.
constexpr double kParallelWork = 6e6;

} // namespace

bool productWorthTwoThreads(int m, int k, int n) {
    return static_cast<double>(m) * k * n >= kParallelWork && SweepTeam::worthwhile();
}

bool kernelSupported(KernelIsa isa) {
    return isa != KernelIsa::Avx2 || __builtin_cpu_supports("avx2");
}

void multiplyDense(const double* a, const double* b, double* c, int m, int k, int n, KernelIsa isa,
                   int threads, Progress* progress) {
    if (m <= 0 || n <= 0) return;
    if (k <= 0) {
        std::fill(c, c + static_cast<Index>(m) * n, 0.0);
        return;
    }
    isa = resolve(isa);
    auto run = [&](Index row0, Index rows, Watch watch) {
        const Operands o{a + row0 * k, k, b, n, c + row0 * n, n, rows, k, n};
        if (isa == KernelIsa::Avx2)
            gemmAvx2<Mode::Sum>(o, watch);
        else
            gemmSse2<Mode::Sum>(o, watch);
    };
    if (threads == 0) threads = productWorthTwoThreads(m, k, n) ? 2 : 1;
    // Each element is summed by one thread in the same order, so the split changes nothing
    // in the result. The halves are whole register tiles of six rows.
    const Index split = threads > 1 ? (m / 2 + 5) / 6 * 6 : m;
    if (split > 0 && split < m) {
        std::thread helper(run, split, m - split, Watch{progress, false});
        run(0, split, Watch{progress, true});
        helper.join();
    } else {
        run(0, m, Watch{progress, true});
    }
    if (progress && progress->cancelled()) throw WorkCancelled();
}

void subtractMultiple(double* y, const double* x, double s, std::ptrdiff_t n, KernelIsa isa) {
    if (resolve(isa) == KernelIsa::Avx2)
        axpyAvx2(y, x, s, n);
    else
        axpySse2(y, x, s, n);
}

void subtractProduct(const double* a, std::ptrdiff_t lda, const double* b, std::ptrdiff_t ldb,
                     double* c, std::ptrdiff_t ldc, int m, int k, int n, KernelIsa isa) {
    subtract(Operands{a, lda, b, ldb, c, ldc, m, k, n}, isa);
}

void subtractProduct(const double* a, std::ptrdiff_t lda, const double* b, std::ptrdiff_t ldb,
                     double* const* cRows, int m, int k, int n, KernelIsa isa) {
    subtract(Operands{a, lda, b, ldb, nullptr, 0, m, k, n, cRows}, isa);
}

} // namespace velmor
