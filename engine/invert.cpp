#include <vector>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/gauss_jordan.h"

namespace velmor {

namespace {

// The working matrix laid out like the input: its bounds, and row 0 and column 0 copied when
// the input has them (a matrix taken from a grid).
Array shapedLike(const Array& in, int n) {
    if (in.lbound(1) != in.lbound(2)) return in;
    Array out = Array::matrix(n, n, in.lbound(1));
    for (int k = in.lbound(1); k < 1 && k <= n; ++k)
        for (int m = in.lbound(1); m <= n; ++m) {
            out.cell(k, m) = in.cell(k, m);
            out.cell(m, k) = in.cell(m, k);
        }
    return out;
}

Variant toVariant(const GaussJordan& gj, const Array& in, int n) {
    if (in.lbound(1) == 1 && in.lbound(2) == 1) { // the usual case: made in one go
        std::vector<double> values(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                values[static_cast<std::size_t>(r) * n + c] = gj.result(r, c);
        return Array::matrixOf(n, n, values.data());
    }
    Array out = shapedLike(in, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) out.cell(r, c) = gj.result(r - 1, c - 1);
    return out;
}

} // namespace

Result<Variant> CVelmor::Invert(const Variant& InputArray) const {
    Result<Variant> r;
    try {
        const int n = rowCount(InputArray);
        if (n != columnCount(InputArray)) {
            r.refuse("Invert", EngineIssue::Kind::NotSquare);
            return r;
        }
        const Array& in = InputArray.array();
        if (n >= 1) in.at(1, 1); // error 9 when the bounds start above 1

        // Every element is read (and converted) by the first pivot search, rows then
        // columns, before anything is written: converting up front fails at the same element.
        GaussJordan gj(n);
        gj.setProgress(progress);
        DenseMatrix& a = gj.matrix();
        for (int row = 1; row <= n; ++row) {
            double* out = a.row(row - 1);
            for (int c = 1; c <= n; ++c) out[c - 1] = format_.toNumber(in.cell(row, c));
        }

        switch (gj.run()) {
        case GaussJordan::Outcome::Inverted:
            for (int row = 0; row < n; ++row)
                for (int c = 0; c < n; ++c) dense::checked(gj.result(row, c));
            r.value = toVariant(gj, in, n);
            break;
        case GaussJordan::Outcome::Singular:
            r.refuse("Invert", EngineIssue::Kind::Singular);
            break;
        case GaussJordan::Outcome::DivisionByZero:
            r.refuse("Invert", EngineIssue::Kind::SingularDivision);
            break;
        case GaussJordan::Outcome::Overflow:
            throw RuntimeError(err::Overflow);
        case GaussJordan::Outcome::NoPivot:
            // The first pass kept its initial pivot column 0, outside the use-count list.
            throw RuntimeError(err::SubscriptOutOfRange);
        }
    } catch (const RuntimeError& e) {
        r.fail("Invert", e);
    }
    return r;
}

} // namespace velmor
