#include "engine/lu_factor.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace velmor {

namespace {

using Index = std::ptrdiff_t;

// Panels this narrow are factored, and triangles this small solved, by the plain loops; above
// it the work is halved and the halves joined by the product kernel.
constexpr int kBase = 16;

class Lu {
  public:
    Lu(double* a, Index n, KernelIsa isa)
        : a_(a), n_(n), isa_(isa) {}

    bool factor(Index c0, Index c1) {
        if (c1 - c0 <= kBase) return factorPanel(c0, c1);
        const Index cm = c0 + (c1 - c0) / 2;
        if (!factor(c0, cm)) return false;
        solve(c0, cm, cm, c1);
        update(cm, n_, c0, cm, cm, c1);
        return factor(cm, c1);
    }

    bool oddSwaps() const { return odd_; }

  private:
    double* at(Index r, Index c) { return a_ + r * n_ + c; }

    // The textbook loop on columns [c0, c1), every earlier column's updates already applied.
    bool factorPanel(Index c0, Index c1) {
        for (Index k = c0; k < c1; ++k) {
            Index p = k;
            double big = std::fabs(*at(k, k));
            for (Index i = k + 1; i < n_; ++i)
                if (std::fabs(*at(i, k)) > big) big = std::fabs(*at(i, k)), p = i;
            if (big == 0) return false;
            if (p != k) {
                std::swap_ranges(at(p, 0), at(p, 0) + n_, at(k, 0));
                odd_ = !odd_;
            }
            const double* rk = at(k, 0);
            const double pivot = rk[k];
            for (Index i = k + 1; i < n_; ++i) {
                double* ri = at(i, 0);
                ri[k] = ri[k] / pivot;
                const double l = ri[k];
                for (Index j = k + 1; j < c1; ++j) ri[j] = ri[j] - rk[j] * l;
            }
        }
        return true;
    }

    // Rows [r0, r1) of columns [j0, j1) receive the updates of columns [r0, r1) of L, row by
    // row, so each element's updates come in increasing order.
    void solve(Index r0, Index r1, Index j0, Index j1) {
        if (r1 - r0 <= kBase) {
            for (Index r = r0 + 1; r < r1; ++r)
                for (Index p = r0; p < r; ++p)
                    subtractMultiple(at(r, j0), at(p, j0), *at(r, p), j1 - j0, isa_);
            return;
        }
        const Index rm = r0 + (r1 - r0) / 2;
        solve(r0, rm, j0, j1);
        update(rm, r1, r0, rm, j0, j1);
        solve(rm, r1, j0, j1);
    }

    // Rows [r0, r1) of columns [j0, j1) receive the updates of columns [p0, p1) of L, whose
    // rows of U are already final.
    void update(Index r0, Index r1, Index p0, Index p1, Index j0, Index j1) {
        subtractProduct(at(r0, p0), n_, at(p0, j0), n_, at(r0, j0), n_, static_cast<int>(r1 - r0),
                        static_cast<int>(p1 - p0), static_cast<int>(j1 - j0), isa_);
    }

    double* a_;
    Index n_;
    KernelIsa isa_;
    bool odd_ = false;
};

} // namespace

bool luFactor(double* a, int n, bool& oddSwaps, KernelIsa isa) {
    Lu lu(a, n, isa);
    const bool whole = lu.factor(0, n);
    oddSwaps = lu.oddSwaps();
    return whole;
}

} // namespace velmor
