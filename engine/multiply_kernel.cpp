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
template <class V, int MR, int NV>
__attribute__((always_inline)) inline void tile(Index kc, const double* __restrict a,
                                                const double* __restrict b, double* __restrict c,
                                                Index ldc, bool first, int rows, int cols) {
    constexpr int W = sizeof(V) / sizeof(double);
    constexpr int NR = W * NV;
    const bool whole = rows == MR && cols == NR;
    alignas(64) double edge[MR * NR];
    double* out = c;
    Index ld = ldc;
    if (!whole) {
        out = edge;
        ld = NR;
        std::memset(edge, 0, sizeof edge);
        if (!first)
            for (int r = 0; r < rows; ++r)
                std::memcpy(edge + r * NR, c + r * ldc,
                            static_cast<std::size_t>(cols) * sizeof(double));
    }
    V acc[MR][NV];
#pragma GCC unroll 16
    for (int r = 0; r < MR; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < NV; ++v) {
            if (first && whole)
                acc[r][v] = V{};
            else
                std::memcpy(&acc[r][v], out + r * ld + v * W, sizeof(V));
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
                acc[r][v] += product;
            }
        }
    }
#pragma GCC unroll 16
    for (int r = 0; r < MR; ++r)
#pragma GCC unroll 16
        for (int v = 0; v < NV; ++v) std::memcpy(out + r * ld + v * W, &acc[r][v], sizeof(V));
    if (!whole)
        for (int r = 0; r < rows; ++r)
            std::memcpy(c + r * ldc, edge + r * NR,
                        static_cast<std::size_t>(cols) * sizeof(double));
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
template <int NR>
void packB(const double* b, Index ldb, Index p0, Index kc, Index j0, Index nc, double* out) {
    for (Index jr = 0; jr < nc; jr += NR) {
        const Index cols = std::min<Index>(NR, nc - jr);
        for (Index p = 0; p < kc; ++p) {
            const double* row = b + (p0 + p) * ldb + j0 + jr;
            Index j = 0;
            for (; j < cols; ++j) *out++ = row[j];
            for (; j < NR; ++j) *out++ = 0.0;
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

template <class V, int MR, int NV>
__attribute__((always_inline)) inline void gemm(const double* a, const double* b, double* c,
                                                Index m, Index k, Index n, Watch watch) {
    constexpr int NR = static_cast<int>(sizeof(V) / sizeof(double)) * NV;
    const Index nc = std::min<Index>(kNc, (n + NR - 1) / NR * NR);
    const Index mcMax = std::min<Index>(kMc / MR * MR, (m + MR - 1) / MR * MR);
    Buffer bPack = allocate(std::min<Index>(kKc, k) * nc);
    Buffer aPack = allocate(std::min<Index>(kKc, k) * mcMax);
    for (Index j0 = 0; j0 < n; j0 += kNc) {
        const Index ncHere = std::min<Index>(kNc, n - j0);
        for (Index p0 = 0; p0 < k; p0 += kKc) {
            const Index kc = std::min<Index>(kKc, k - p0);
            const bool first = p0 == 0;
            packB<NR>(b, n, p0, kc, j0, ncHere, bPack.get());
            for (Index i0 = 0; i0 < m; i0 += mcMax) {
                if (watch.stopped()) return;
                if (watch.reports && watch.progress)
                    watch.progress->report(static_cast<double>(p0 * m + i0 * kc) /
                                           static_cast<double>(k * m));
                const Index mc = std::min<Index>(mcMax, m - i0);
                packA<MR>(a, k, i0, mc, p0, kc, aPack.get());
                for (Index jr = 0; jr < ncHere; jr += NR) {
                    const int cols = static_cast<int>(std::min<Index>(NR, ncHere - jr));
                    const double* bPanel = bPack.get() + jr * kc;
                    for (Index ir = 0; ir < mc; ir += MR) {
                        const int rows = static_cast<int>(std::min<Index>(MR, mc - ir));
                        tile<V, MR, NV>(kc, aPack.get() + ir * kc, bPanel,
                                        c + (i0 + ir) * n + j0 + jr, n, first, rows, cols);
                    }
                }
            }
        }
    }
}

typedef double Vec4 __attribute__((vector_size(32)));
typedef double Vec2 __attribute__((vector_size(16)));

// Twelve accumulators plus two b vectors, a broadcast and a product fill the sixteen
// vector registers of either instruction set.
__attribute__((target("avx2"))) void gemmAvx2(const double* a, const double* b, double* c, Index m,
                                              Index k, Index n, Watch watch) {
    gemm<Vec4, 6, 2>(a, b, c, m, k, n, watch);
}

void gemmSse2(const double* a, const double* b, double* c, Index m, Index k, Index n, Watch watch) {
    gemm<Vec2, 6, 2>(a, b, c, m, k, n, watch);
}

// Below this many multiplications a second thread costs about what it saves.
constexpr double kParallelWork = 6e6;

} // namespace

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
    if (isa == KernelIsa::Best)
        isa = kernelSupported(KernelIsa::Avx2) ? KernelIsa::Avx2 : KernelIsa::Sse2;
    auto run = [&](Index row0, Index rows, Watch watch) {
        const double* aRows = a + row0 * k;
        double* cRows = c + row0 * n;
        if (isa == KernelIsa::Avx2)
            gemmAvx2(aRows, b, cRows, rows, k, n, watch);
        else
            gemmSse2(aRows, b, cRows, rows, k, n, watch);
    };
    if (threads == 0)
        threads =
            static_cast<double>(m) * k * n >= kParallelWork && SweepTeam::worthwhile() ? 2 : 1;
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

} // namespace velmor
