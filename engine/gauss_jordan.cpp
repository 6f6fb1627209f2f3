#include "engine/gauss_jordan.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <memory>

#include "engine/multiply_kernel.h"
#include "engine/row_sweep.h"
#include "engine/sweep_team.h"

namespace velmor {

void GaussJordan::setThreads(int threads, int minParallelOrder) {
    threads_ = threads;
    minParallelOrder_ = minParallelOrder;
}

// The plain search: rows ascending, columns ascending, >= so the last greatest wins.
RowMax GaussJordan::firstSearch() const {
    RowMax best;
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
int GaussJordan::pivotColumn(const RowMax& p) const {
    const double* row = a_.row(p.row);
    for (int k = a_.order() - 1; k >= 0; --k)
        if (ipiv_[static_cast<std::size_t>(k)] == 0 && std::fabs(row[k]) == p.magnitude) return k;
    return -1;
}

// Records pass passes_ for the deferred rows: the scaled pivot row, and each row's multiplier,
// its pivot-column element brought up to date through the block's earlier passes.
void GaussJordan::defer(int icol) {
    const int q = passes_;
    const std::size_t stride = a_.stride();
    std::copy_n(a_.row(icol), stride, pivotRows_.data() + q * stride);
    pivotCols_[static_cast<std::size_t>(q)] = icol;
    double column[kBlock];
    for (int t = 0; t < q; ++t) column[t] = pivotRows_[t * stride + static_cast<std::size_t>(icol)];
    double* m = multipliers_.data();
    for (int r : deferredRows_) {
        double v = a_(r, icol);
        for (int t = 0; t < q; ++t) v = v - column[t] * m[t];
        m[q] = v;
        m += kBlock;
    }
    ++passes_;
}

// Applies the block's passes to the deferred rows, then defers every pivot row so far (or,
// without deferAgain, none). In the block's pivot columns each pass zeroes the element before
// updating it: those elements are recomputed alone afterwards, the kernel seeing zeros in the
// pivot rows there (it cannot overflow on them, and what it leaves is overwritten).
void GaussJordan::flush(bool deferAgain) {
    const int q = passes_;
    const std::size_t stride = a_.stride();
    if (q > 0 && !deferredRows_.empty()) {
        double saved[kBlock][kBlock];
        for (int t = 0; t < q; ++t)
            for (int u = 0; u < q; ++u) {
                double& x = pivotRows_[t * stride + static_cast<std::size_t>(pivotCols_[u])];
                saved[t][u] = x;
                x = 0.0;
            }
        std::vector<double*> rows;
        rows.reserve(deferredRows_.size());
        for (int r : deferredRows_) rows.push_back(a_.row(r));
        subtractProduct(multipliers_.data(), kBlock, pivotRows_.data(),
                        static_cast<std::ptrdiff_t>(stride), rows.data(),
                        static_cast<int>(rows.size()), q, a_.order());
        const double* m = multipliers_.data();
        for (double* row : rows) {
            for (int t = 0; t < q; ++t) {
                double v = 0.0 - saved[t][t] * m[t];
                for (int u = t + 1; u < q; ++u) v = v - saved[u][t] * m[u];
                row[pivotCols_[static_cast<std::size_t>(t)]] = v;
            }
            m += kBlock;
        }
    }
    passes_ = 0;
    deferredRows_.clear();
    for (int r = 0; r < a_.order(); ++r) {
        deferred_[static_cast<std::size_t>(r)] =
            deferAgain && ipiv_[static_cast<std::size_t>(r)] != 0;
        if (deferred_[static_cast<std::size_t>(r)]) deferredRows_.push_back(r);
    }
    multipliers_.resize(deferredRows_.size() * kBlock);
}

GaussJordan::Outcome GaussJordan::run() {
    const int n = a_.order();
    const auto un = static_cast<std::size_t>(n);
    ipiv_.assign(un, 0);
    indxr_.assign(un, 0);
    indxc_.assign(un, 0);
    cap_.assign(a_.stride(), -1.0);
    std::fill_n(cap_.begin(), un, HUGE_VAL);
    searchRow_.assign(un, 1);
    pivotRows_.assign(kBlock * a_.stride(), 0.0);
    pivotCols_.assign(kBlock, 0);
    deferred_.assign(un, 0);
    deferredRows_.clear();
    multipliers_.clear();
    passes_ = 0;
    perm_.resize(un);
    for (std::size_t c = 0; c < un; ++c) perm_[c] = static_cast<int>(c);

    // An overflow anywhere turns later elements into infinities, NaNs or zeros that look like
    // an answer: the hardware's sticky flag tells, at no cost to the sweeps.
    std::feclearexcept(FE_OVERFLOW);
    std::unique_ptr<SweepTeam> team;
    if (threads_ > 1 && n >= minParallelOrder_ && SweepTeam::worthwhile())
        team = std::make_unique<SweepTeam>();
    // After an overflow the singular verdicts are as unreliable as the inverse.
    auto unlessOverflowed = [&team, this](Outcome outcome) {
        flush();
        return std::fetestexcept(FE_OVERFLOW) || (team && team->overflowed()) ? Outcome::Overflow
                                                                              : outcome;
    };

    // The pivot's row and column carry over when a pass finds no candidate (only NaNs left).
    int irow = -1, icol = -1;
    RowMax next = firstSearch();
    for (int i = 0; i < n; ++i) {
        checkProgress(progress_, i, n);
        if (i > 0 && std::any_of(ipiv_.begin(), ipiv_.end(), [](std::int16_t u) { return u > 1; }))
            return unlessOverflowed(Outcome::Singular);
        if (next.magnitude >= 0) {
            irow = next.row;
            icol = pivotColumn(next);
        }
        if (icol < 0) return Outcome::NoPivot;
        // Only a pass that found no candidate can pick a row already pivoted: the block then
        // goes on with no deferred row.
        if (deferred_[static_cast<std::size_t>(irow)] || deferred_[static_cast<std::size_t>(icol)])
            flush(false);
        const auto uc = static_cast<std::size_t>(icol);
        ++ipiv_[uc];
        cap_[uc] = -1.0;
        if (irow != icol) a_.swapRows(irow, icol);
        indxr_[static_cast<std::size_t>(i)] = irow;
        indxc_[static_cast<std::size_t>(i)] = icol;
        double* p = a_.row(icol);
        if (std::fabs(p[icol]) < kThreshold) return unlessOverflowed(Outcome::DivisionByZero);
        const double pivinv = 1.0 / p[icol];
        p[icol] = 1.0;
        for (int l = 0; l < n; ++l) p[l] *= pivinv;

        for (std::size_t r = 0; r < un; ++r) searchRow_[r] = ipiv_[r] == 0;
        const bool search = i + 1 < n;
        if (!search) std::fill(searchRow_.begin(), searchRow_.end(), 0);
        defer(icol);
        SweepArgs args{a_.rows(),       icol, a_.stride(), cap_.data(), searchRow_.data(),
                       deferred_.data()};
        RowMax best;
        if (team)
            best = team->sweep(args, n);
        else
            sweepRows(args, 0, n, best);
        next = best;
        if (passes_ == kBlock) flush();
    }

    if (unlessOverflowed(Outcome::Inverted) == Outcome::Overflow) return Outcome::Overflow;
    for (int l = n - 1; l >= 0; --l) {
        const auto ul = static_cast<std::size_t>(l);
        if (indxr_[ul] != indxc_[ul])
            std::swap(perm_[static_cast<std::size_t>(indxr_[ul])],
                      perm_[static_cast<std::size_t>(indxc_[ul])]);
    }
    return Outcome::Inverted;
}

} // namespace velmor
