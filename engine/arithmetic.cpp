#include <string>
#include <vector>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/for_loop.h"

namespace velmor {

namespace {

using namespace dense;

// True when both operands have the same number of rows and of columns.
bool sameShape(const Variant& a, const Variant& b) {
    const int rows = rowCount(a), columns = columnCount(a);
    return rows == rowCount(b) && columns == columnCount(b);
}

// result(i, j) = op(number(a(i, j)), number(b(i, j))) over the result's elements, with b null
// for the one-operand form. The whole block is first done on plain doubles; only when an
// element cannot be read or a result overflows does the element-by-element loop run, to stop
// at that element with the loop position where the error arose.
template <class Op>
void elementwise(const NumberFormat& format, const Array& a, const Array* b, Array& result,
                 LoopPosition& at, Op op) {
    const int rows = result.ubound(1), cols = result.ubound(2);
    if (rows <= kLargestFastBound && cols <= kLargestFastBound) {
        std::vector<double> x, y;
        if (readNumbers(a, rows, cols, format, x) &&
            (!b || readNumbers(*b, rows, cols, format, y))) {
            for (std::size_t k = 0; k < x.size(); ++k) x[k] = op(x[k], b ? y[k] : 0.0);
            if (allFinite(x)) {
                store(x.data(), rows, cols, result);
                finishLoops(at.row, at.column, rows, cols);
                return;
            }
        }
    }
    forEach16(at.row, rows, [&] {
        forEach16(at.column, cols, [&] {
            const int i = *at.row, j = *at.column;
            double u = format.toNumber(a.at(i, j));
            double v = b ? format.toNumber(b->at(i, j)) : 0.0;
            result.cell(i, j) = Variant(checked(op(u, v)));
        });
    });
}

// Add and Subtract: the shape message, or the elementwise result.
template <class Op>
Result<Variant> combine(const NumberFormat& format, const char* operation, const Variant& a,
                        const Variant& b, Op op) {
    Result<Variant> r;
    try {
        if (!sameShape(a, b)) {
            r.refuse(operation, EngineIssue::Kind::ShapesDiffer);
            return r;
        }
        r.value = Array::matrix(rowCount(a), columnCount(a));
        elementwise(format, a.array(), &b.array(), r.value.array(), r.position, op);
    } catch (const RuntimeError& e) {
        r.fail(operation, e);
    }
    return r;
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

// Two elements that both read as numbers compare by value; otherwise their texts compare
// character code by character code (a number by its standard text, empty as "").
int compare(const Ranked& a, const Ranked& b, const NumberFormat& format) {
    if (a.numeric && b.numeric) return a.value < b.value ? -1 : a.value > b.value ? 1 : 0;
    return format.toText(*a.element).compare(format.toText(*b.element));
}

} // namespace

Result<Variant> CVelmor::Add(const Variant& InputArray1, const Variant& InputArray2) const {
    return combine(format_, "Add", InputArray1, InputArray2,
                   [](double u, double v) { return u + v; });
}

Result<Variant> CVelmor::Subtract(const Variant& InputArray1, const Variant& InputArray2) const {
    return combine(format_, "Subtract", InputArray1, InputArray2,
                   [](double u, double v) { return u - v; });
}

Result<Variant> CVelmor::ScaleMultiply(double Scalar, const Variant& InputArray) const {
    Result<Variant> r;
    try {
        r.value = Array::matrix(rowCount(InputArray), columnCount(InputArray));
        elementwise(format_, InputArray.array(), nullptr, r.value.array(), r.position,
                    [Scalar](double u, double) { return u * Scalar; });
    } catch (const RuntimeError& e) {
        r.fail("ScaleMultiply", e);
    }
    return r;
}

Result<Variant> CVelmor::Transpose(const Variant& InputArray) const {
    Result<Variant> r;
    try {
        const int rows = rowCount(InputArray), cols = columnCount(InputArray);
        r.value = Array::matrix(cols, rows);
        Array& result = r.value.array();
        const Array& input = InputArray.array();
        auto &row = r.position.row, &column = r.position.column;
        if (rows <= kLargestFastBound && cols <= kLargestFastBound && covers(input, rows, cols)) {
            for (int i = 1; i <= rows; ++i)
                for (int j = 1; j <= cols; ++j) result.cell(j, i) = input.cell(i, j);
            finishLoops(row, column, rows, cols);
        } else {
            forEach16(row, rows, [&] {
                forEach16(column, cols,
                          [&] { result.cell(*column, *row) = input.at(*row, *column); });
            });
        }
    } catch (const RuntimeError& e) {
        r.fail("Transpose", e);
    }
    return r;
}

Result<double> CVelmor::GetTrace(const Variant& InputArray) const {
    Result<double> r;
    try {
        const int rows = rowCount(InputArray);
        const Array& input = InputArray.array();
        auto& row = r.position.row;
        forEach16(row, rows,
                  [&] { r.value = checked(r.value + format_.toNumber(input.at(*row, *row))); });
    } catch (const RuntimeError& e) {
        r.fail("GetTrace", e);
    }
    return r;
}

Result<Variant> CVelmor::GetMinMaxArray(const Variant& InputArray) const {
    Result<Variant> r;
    try {
        const int rows = rowCount(InputArray), cols = columnCount(InputArray);
        r.value = Array::vector(0, 1);
        const Array& input = InputArray.array();
        Array& result = r.value.array();
        result.at(0) = input.at(1, 1);
        result.at(1) = input.at(1, 1);
        Ranked low = rank(input.at(1, 1), format_), high = low;
        auto &row = r.position.row, &column = r.position.column;
        forEach16(row, rows, [&] {
            forEach16(column, cols, [&] {
                Ranked x = rank(input.at(*row, *column), format_);
                if (compare(x, high, format_) > 0)
                    high = x;
                else if (compare(x, low, format_) < 0)
                    low = x;
            });
        });
        result.at(0) = *low.element;
        result.at(1) = *high.element;
    } catch (const RuntimeError& e) {
        r.fail("GetMinMaxArray", e);
    }
    return r;
}

} // namespace velmor
