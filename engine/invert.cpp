#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/gauss_jordan.h"

namespace velmor {

namespace {

const char* const kNotSquare =
    "The number of rows of the matrix does not equal the number of columns.";

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
    Array out = shapedLike(in, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) out.cell(r, c) = gj.result(r - 1, c - 1);
    return out;
}

} // namespace

Variant CVelmor::Invert(const Variant& InputArray) {
    try {
        mintOrder = rowCount(InputArray);
        if (mintOrder != columnCount(InputArray)) {
            mstrMessage = kNotSquare;
            dialogs_.message(mstrMessage);
            return {};
        }
        const Array& in = InputArray.array();
        const int n = mintOrder;
        if (n >= 1) in.at(1, 1); // error 9 when the bounds start above 1

        // Every element is read (and converted) by the first pivot search, rows then
        // columns, before anything is written: converting up front fails at the same element.
        GaussJordan gj(n);
        DenseMatrix& a = gj.matrix();
        for (int r = 1; r <= n; ++r) {
            double* row = a.row(r - 1);
            for (int c = 1; c <= n; ++c) row[c - 1] = format_.toNumber(in.cell(r, c));
        }

        switch (gj.run()) {
        case GaussJordan::Outcome::Inverted:
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) dense::checked(gj.result(r, c));
            mvarResult = toVariant(gj, in, n);
            return dense::takeResult(mvarResult);
        case GaussJordan::Outcome::Singular:
            dialogs_.msgBox("The matrix is singular.", MsgButtons::OK, MsgIcon::Critical,
                            kAppTitle);
            return {};
        case GaussJordan::Outcome::DivisionByZero:
            dialogs_.msgBox("Division by zero. The matrix is singular.", MsgButtons::OK,
                            MsgIcon::Critical, kAppTitle);
            return {};
        case GaussJordan::Outcome::Overflow:
            throw RuntimeError(err::Overflow);
        case GaussJordan::Outcome::NoPivot:
            // The first pass kept its initial pivot column 0, outside the use-count list.
            throw RuntimeError(err::SubscriptOutOfRange);
        }
        return {};
    } catch (const RuntimeError& e) {
        reportError(e, "Invert", {});
        return {};
    }
}

} // namespace velmor
