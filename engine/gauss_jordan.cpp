#include "engine/gauss_jordan.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

#include <sched.h>

namespace velmor {

namespace {

// GCC vector types: the row update compiles to packed multiplies and subtracts (never fused,
// the build has -ffp-contract=off), which round exactly like the scalar ones.
typedef double v4d __attribute__((vector_size(32), aligned(8), may_alias));
typedef long long v4i __attribute__((vector_size(32), aligned(8), may_alias));

constexpr std::int64_t kAllBits = -1;
constexpr std::int64_t kAbsBits = 0x7FFF'FFFF'FFFF'FFFF;

std::int64_t bitsOf(double x) {
    std::int64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

struct SweepArgs {
    double* const* rows;
    int pc;                   // pivot column; rows[pc] is the scaled pivot row
    std::size_t width;        // doubles per row to update, a multiple of eight
    const std::int64_t* keep; // |x| bits for candidate columns, 0 elsewhere
    const std::int64_t* fill; // bits of -1.0 for columns that are not candidates
    const unsigned char* search;
};

struct RowMax {
    double magnitude;
    int row;
};

// Eliminates the pivot column from rows [begin, end) and, for rows still without a pivot,
// finds the greatest candidate magnitude. A candidate shows as |x|, everything else as -1,
// so a NaN never wins (x > m is false) and ties keep the later row.
__attribute__((target_clones("avx2", "default"))) void sweep(const SweepArgs& s, int begin, int end,
                                                             RowMax& out) {
    const double* p = s.rows[s.pc];
    RowMax best = out;
    for (int r = begin; r < end; ++r) {
        if (r == s.pc) continue;
        double* a = s.rows[r];
        const double dum = a[s.pc];
        a[s.pc] = 0.0;
        const v4d d = {dum, dum, dum, dum};
        if (!s.search[r]) {
            for (std::size_t l = 0; l < s.width; l += 8) {
                v4d x0 = *reinterpret_cast<v4d*>(a + l) - *reinterpret_cast<const v4d*>(p + l) * d;
                v4d x1 = *reinterpret_cast<v4d*>(a + l + 4) -
                         *reinterpret_cast<const v4d*>(p + l + 4) * d;
                *reinterpret_cast<v4d*>(a + l) = x0;
                *reinterpret_cast<v4d*>(a + l + 4) = x1;
            }
            continue;
        }
        v4d m0 = {-1.0, -1.0, -1.0, -1.0}, m1 = m0;
        for (std::size_t l = 0; l < s.width; l += 8) {
            v4d x0 = *reinterpret_cast<v4d*>(a + l) - *reinterpret_cast<const v4d*>(p + l) * d;
            v4d x1 =
                *reinterpret_cast<v4d*>(a + l + 4) - *reinterpret_cast<const v4d*>(p + l + 4) * d;
            *reinterpret_cast<v4d*>(a + l) = x0;
            *reinterpret_cast<v4d*>(a + l + 4) = x1;
            v4d y0 = reinterpret_cast<v4d>(
                (reinterpret_cast<v4i>(x0) & *reinterpret_cast<const v4i*>(s.keep + l)) |
                *reinterpret_cast<const v4i*>(s.fill + l));
            v4d y1 = reinterpret_cast<v4d>(
                (reinterpret_cast<v4i>(x1) & *reinterpret_cast<const v4i*>(s.keep + l + 4)) |
                *reinterpret_cast<const v4i*>(s.fill + l + 4));
            m0 = y0 > m0 ? y0 : m0;
            m1 = y1 > m1 ? y1 : m1;
        }
        m0 = m1 > m0 ? m1 : m0;
        double rowMax = std::max(std::max(m0[0], m0[1]), std::max(m0[2], m0[3]));
        if (rowMax >= best.magnitude) best = {rowMax, r};
    }
    out = best;
}

// The second half of every sweep, on a thread of its own. The main thread publishes a pass
// by bumping `posted`; the worker answers by copying it into `finished`.
class SweepWorker {
  public:
    SweepWorker() : thread_([this] { loop(); }) {}
    ~SweepWorker() {
        stop_ = true;
        posted_.fetch_add(1, std::memory_order_release);
        posted_.notify_one();
        thread_.join();
    }

    void start(const SweepArgs& args, int begin, int end) {
        args_ = args;
        begin_ = begin;
        end_ = end;
        result_ = {-1.0, -1};
        posted_.fetch_add(1, std::memory_order_release);
        posted_.notify_one();
    }

    RowMax wait() {
        unsigned target = posted_.load(std::memory_order_relaxed);
        awaitChange(finished_, target - 1);
        return result_;
    }

  private:
    static unsigned awaitChange(const std::atomic<unsigned>& a, unsigned old) {
        unsigned v;
        while ((v = a.load(std::memory_order_acquire)) == old)
            a.wait(old, std::memory_order_acquire);
        return v;
    }

    void loop() {
        unsigned seen = 0;
        for (;;) {
            seen = awaitChange(posted_, seen);
            if (stop_) return;
            sweep(args_, begin_, end_, result_);
            finished_.store(seen, std::memory_order_release);
            finished_.notify_one();
        }
    }

    std::atomic<unsigned> posted_{0}, finished_{0};
    bool stop_ = false;
    SweepArgs args_{};
    int begin_ = 0, end_ = 0;
    RowMax result_{-1.0, -1};
    std::thread thread_;
};

// Processors this process may run on: a second thread only pays when it gets a core of its own.
int usableProcessors() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) != 0) return 1;
    return CPU_COUNT(&set);
}

} // namespace

void GaussJordan::setThreads(int threads, int minParallelOrder) {
    threads_ = threads;
    minParallelOrder_ = minParallelOrder;
}

// The plain search: rows ascending, columns ascending, >= so the last greatest wins.
GaussJordan::Pivot GaussJordan::firstSearch() const {
    Pivot best;
    double big = 0.0;
    for (int j = 0; j < a_.order(); ++j)
        for (int k = 0; k < a_.order(); ++k)
            if (std::fabs(a_(j, k)) >= big) {
                big = std::fabs(a_(j, k));
                best = {big, j};
            }
    return best;
}

// The last candidate column of the winning row holding the winning magnitude.
int GaussJordan::pivotColumn(const Pivot& p) const {
    const double* row = a_.row(p.row);
    for (int k = a_.order() - 1; k >= 0; --k)
        if (ipiv_[static_cast<std::size_t>(k)] == 0 && std::fabs(row[k]) == p.magnitude) return k;
    return -1;
}

GaussJordan::Outcome GaussJordan::run() {
    const int n = a_.order();
    const auto un = static_cast<std::size_t>(n);
    ipiv_.assign(un, 0);
    indxr_.assign(un, 0);
    indxc_.assign(un, 0);
    keep_.assign(a_.stride(), 0);
    fill_.assign(a_.stride(), bitsOf(-1.0));
    for (std::size_t k = 0; k < un; ++k) keep_[k] = kAbsBits, fill_[k] = 0;
    searchRow_.assign(un, 1);
    perm_.resize(un);
    for (std::size_t c = 0; c < un; ++c) perm_[c] = static_cast<int>(c);

    std::unique_ptr<SweepWorker> worker;
    if (threads_ > 1 && n >= minParallelOrder_ && usableProcessors() > 1)
        worker = std::make_unique<SweepWorker>();
    const int half = n / 2;

    // The pivot's row and column carry over when a pass finds no candidate (only NaNs left).
    int irow = -1, icol = -1;
    Pivot next = firstSearch();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && std::any_of(ipiv_.begin(), ipiv_.end(), [](std::int16_t u) { return u > 1; }))
            return Outcome::Singular;
        if (next.magnitude >= 0) {
            irow = next.row;
            icol = pivotColumn(next);
        }
        if (icol < 0) return Outcome::NoPivot;
        const auto uc = static_cast<std::size_t>(icol);
        ++ipiv_[uc];
        keep_[uc] = 0;
        fill_[uc] = bitsOf(-1.0);
        if (irow != icol) a_.swapRows(irow, icol);
        indxr_[static_cast<std::size_t>(i)] = irow;
        indxc_[static_cast<std::size_t>(i)] = icol;
        double* p = a_.row(icol);
        if (std::fabs(p[icol]) < kThreshold) return Outcome::DivisionByZero;
        const double pivinv = 1.0 / p[icol];
        p[icol] = 1.0;
        for (int l = 0; l < n; ++l) p[l] *= pivinv;

        for (std::size_t r = 0; r < un; ++r) searchRow_[r] = ipiv_[r] == 0;
        const bool search = i + 1 < n;
        if (!search) std::fill(searchRow_.begin(), searchRow_.end(), 0);
        SweepArgs args{a_.rows(), icol, a_.stride(), keep_.data(), fill_.data(), searchRow_.data()};
        RowMax best{-1.0, -1};
        if (worker) {
            worker->start(args, half, n);
            sweep(args, 0, half, best);
            RowMax upper = worker->wait();
            if (upper.magnitude >= best.magnitude) best = upper;
        } else {
            sweep(args, 0, n, best);
        }
        next = {best.magnitude, best.row};
    }

    for (int l = n - 1; l >= 0; --l) {
        const auto ul = static_cast<std::size_t>(l);
        if (indxr_[ul] != indxc_[ul])
            std::swap(perm_[static_cast<std::size_t>(indxr_[ul])],
                      perm_[static_cast<std::size_t>(indxc_[ul])]);
    }
    return Outcome::Inverted;
}

} // namespace velmor
