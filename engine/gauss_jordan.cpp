#include "engine/gauss_jordan.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstring>
#include <memory>

#include "engine/row_sweep.h"
#include "engine/sweep_team.h"

namespace velmor {

namespace {

std::int64_t bitsOf(double x) {
    std::int64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

constexpr std::int64_t kAbsBits = 0x7FFF'FFFF'FFFF'FFFF;

} // namespace

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

    // An overflow anywhere turns later elements into infinities, NaNs or zeros that look like
    // an answer: the hardware's sticky flag tells, at no cost to the sweeps.
    std::feclearexcept(FE_OVERFLOW);
    std::unique_ptr<SweepTeam> team;
    if (threads_ > 1 && n >= minParallelOrder_ && SweepTeam::worthwhile())
        team = std::make_unique<SweepTeam>();
    // After an overflow the singular verdicts are as unreliable as the inverse.
    auto unlessOverflowed = [&team](Outcome outcome) {
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
        const auto uc = static_cast<std::size_t>(icol);
        ++ipiv_[uc];
        keep_[uc] = 0;
        fill_[uc] = bitsOf(-1.0);
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
        SweepArgs args{a_.rows(), icol, a_.stride(), keep_.data(), fill_.data(), searchRow_.data()};
        RowMax best;
        if (team)
            best = team->sweep(args, n);
        else
            sweepRows(args, 0, n, best);
        next = best;
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
