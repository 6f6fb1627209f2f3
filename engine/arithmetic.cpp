#include <string>
#include <vector>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/for_loop.h"

namespace velmor {

namespace {

using namespace dense;

// Reads both shapes; when they differ shows the shape message and returns false.
bool sameShape(CVelmor& e, const Variant& a, const Variant& b) {
    e.mintNo_Rows = rowCount(a);
    e.mintNo_Columns = columnCount(a);
    e.mintNo_Rows2 = rowCount(b);
    e.mintNo_Columns2 = columnCount(b);
    if (e.mintNo_Rows == e.mintNo_Rows2 && e.mintNo_Columns == e.mintNo_Columns2) return true;
    e.dialogs().message("The number of rows and/or columns of the two matrices are not equal.");
    return false;
}

// result(i, j) = op(number(a(i, j)), number(b(i, j))) over mintNo_Rows x mintNo_Columns, with b
// null for the one-operand form. The whole block is first done on plain doubles; only when an
// element cannot be read or a result overflows does the element-by-element loop run, to stop
// at that element with mintRow and mintColumn where the error arose.
template <class Op>
void elementwise(CVelmor& e, const Array& a, const Array* b, Array& result, Op op) {
    const NumberFormat& format = e.format();
    const int rows = e.mintNo_Rows, cols = e.mintNo_Columns;
    if (rows <= kLargestFastBound && cols <= kLargestFastBound) {
        std::vector<double> x, y;
        if (readNumbers(a, rows, cols, format, x) &&
            (!b || readNumbers(*b, rows, cols, format, y))) {
            for (std::size_t k = 0; k < x.size(); ++k) x[k] = op(x[k], b ? y[k] : 0.0);
            if (allFinite(x)) {
                store(x.data(), rows, cols, result);
                finishLoops(e.mintRow, e.mintColumn, rows, cols);
                return;
            }
        }
    }
    forEach16(e.mintRow, rows, [&] {
        forEach16(e.mintColumn, cols, [&] {
            const int i = e.mintRow, j = e.mintColumn;
            double u = format.toNumber(a.at(i, j));
            double v = b ? format.toNumber(b->at(i, j)) : 0.0;
            result.cell(i, j) = Variant(checked(op(u, v)));
        });
    });
}

// An element as the extremes compare it: by value when it reads as a number.
struct Ranked {
    const Variant* element;
    bool numeric;
    double value;
};

Ranked rank(const Variant& v, const NumberFormat& format) {
    if (v.isArray()) throw RuntimeError(err::TypeMismatch);
    Ranked r{&v, true, 0};
    if (!tryNumber(v, format, r.value)) r.numeric = false;
    return r;
}

// One total order, so the extremes never depend on the order of the elements: numbers by
// value, before every text that is not a number; such texts among themselves character code
// by character code.
int compare(const Ranked& a, const Ranked& b, const NumberFormat& format) {
    if (a.numeric && b.numeric) return a.value < b.value ? -1 : a.value > b.value ? 1 : 0;
    if (a.numeric != b.numeric) return a.numeric ? -1 : 1;
    return format.toText(*a.element).compare(format.toText(*b.element));
}

} // namespace

Variant CVelmor::Add(const Variant& InputArray1, const Variant& InputArray2) {
    try {
        if (!sameShape(*this, InputArray1, InputArray2)) return {};
        mvarResult = Array::matrix(mintNo_Rows, mintNo_Columns);
        elementwise(*this, InputArray1.array(), &InputArray2.array(), mvarResult.array(),
                    [](double u, double v) { return u + v; });
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "Add", rowColumnLocation());
        return {};
    }
}

Variant CVelmor::Subtract(const Variant& InputArray1, const Variant& InputArray2) {
    try {
        if (!sameShape(*this, InputArray1, InputArray2)) return {};
        mvarResult = Array::matrix(mintNo_Rows, mintNo_Columns);
        elementwise(*this, InputArray1.array(), &InputArray2.array(), mvarResult.array(),
                    [](double u, double v) { return u - v; });
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "Subtract", rowColumnLocation());
        return {};
    }
}

Variant CVelmor::ScaleMultiply(double Scalar, const Variant& InputArray) {
    try {
        mintNo_Rows = rowCount(InputArray);
        mintNo_Columns = columnCount(InputArray);
        mvarResult = Array::matrix(mintNo_Rows, mintNo_Columns);
        elementwise(*this, InputArray.array(), nullptr, mvarResult.array(),
                    [Scalar](double u, double) { return u * Scalar; });
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "ScaleMultiply", rowColumnLocation());
        return {};
    }
}

Variant CVelmor::Transpose(const Variant& InputArray) {
    try {
        mintNo_Rows = rowCount(InputArray);
        mintNo_Columns = columnCount(InputArray);
        const int rows = mintNo_Rows, cols = mintNo_Columns;
        mvarResult = Array::matrix(cols, rows);
        Array& result = mvarResult.array();
        const Array& input = InputArray.array();
        if (rows <= kLargestFastBound && cols <= kLargestFastBound && covers(input, rows, cols)) {
            for (int i = 1; i <= rows; ++i)
                for (int j = 1; j <= cols; ++j) result.cell(j, i) = input.cell(i, j);
            finishLoops(mintRow, mintColumn, rows, cols);
        } else {
            forEach16(mintRow, rows, [&] {
                forEach16(mintColumn, cols, [&] {
                    result.cell(mintColumn, mintRow) = input.at(mintRow, mintColumn);
                });
            });
        }
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "Transpose", rowColumnLocation());
        return {};
    }
}

double CVelmor::GetTrace(const Variant& InputArray) {
    try {
        mintNo_Rows = rowCount(InputArray);
        const Array& input = InputArray.array();
        double sum = 0;
        forEach16(mintRow, mintNo_Rows,
                  [&] { sum = checked(sum + format_.toNumber(input.at(mintRow, mintRow))); });
        return sum;
    } catch (const RuntimeError& e) {
        reportError(e, "GetTrace", "");
        return 0;
    }
}

Variant CVelmor::GetMinMaxArray(const Variant& InputArray) {
    try {
        mintNo_Rows = rowCount(InputArray);
        mintNo_Columns = columnCount(InputArray);
        mvarResult = Array::vector(0, 1);
        const Array& input = InputArray.array();
        Array& result = mvarResult.array();
        result.at(0) = input.at(1, 1);
        result.at(1) = input.at(1, 1);
        Ranked low = rank(input.at(1, 1), format_), high = low;
        const int cols = mintNo_Columns;
        forEach16(mintRow, mintNo_Rows, [&] {
            forEach16(mintColumn, cols, [&] {
                Ranked r = rank(input.at(mintRow, mintColumn), format_);
                if (compare(r, high, format_) > 0)
                    high = r;
                else if (compare(r, low, format_) < 0)
                    low = r;
            });
        });
        result.at(0) = *low.element;
        result.at(1) = *high.element;
        return dense::takeResult(mvarResult);
    } catch (const RuntimeError& e) {
        reportError(e, "GetMinMaxArray", rowColumnLocation());
        return {};
    }
}

} // namespace velmor
