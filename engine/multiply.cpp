#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/for_loop.h"
#include "engine/multiply_kernel.h"

namespace velmor {

namespace {

using namespace dense;

// The operands of a product as numbers, with the error each element would raise where the
// plain loop reads it: 9 for an element outside the array, 13 or 6 for one that does not
// convert, 0 for a good one (whose value is in the number block; a bad one reads as 0).
struct Operand {
    std::vector<double> values;
    std::vector<std::uint8_t> errors;
    int cols = 0;
    int error(int i, int j) const {
        return errors[static_cast<std::size_t>(i - 1) * cols + (j - 1)];
    }
    double value(int i, int j) const {
        return values[static_cast<std::size_t>(i - 1) * cols + (j - 1)];
    }
};

Operand readOperand(const Array& a, int rows, int cols, const NumberFormat& format) {
    Operand op;
    op.cols = cols;
    op.values.assign(static_cast<std::size_t>(rows) * cols, 0.0);
    op.errors.assign(op.values.size(), 0);
    const bool twoDims = a.dims() == 2;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) {
            std::size_t k = static_cast<std::size_t>(i - 1) * cols + (j - 1);
            if (!twoDims || i < a.lbound(1) || i > a.ubound(1) || j < a.lbound(2) ||
                j > a.ubound(2)) {
                op.errors[k] = err::SubscriptOutOfRange;
                continue;
            }
            try {
                op.values[k] = format.toNumber(a.cell(i, j));
            } catch (const RuntimeError& e) {
                op.errors[k] = static_cast<std::uint8_t>(e.number());
            }
        }
    return op;
}

// The element-by-element product from element (i0, j0) on, as the plain loops compute it,
// with the elements before (i0, j0) already done. Raises the first error in loop order.
class PlainProduct {
  public:
    PlainProduct(const Operand& pre, const Operand& post, int inner, Array& result,
                 LoopPosition& at)
        : pre_(pre), post_(post), inner_(inner), result_(result), at_(at) {}

    void runFrom(int i0, int j0) {
        const int rows = result_.ubound(1), cols = result_.ubound(2);
        bool firstRow = true;
        std::int16_t& row = at_.row.emplace(static_cast<std::int16_t>(i0));
        while (row <= rows) {
            std::int16_t& column = at_.column.emplace(static_cast<std::int16_t>(firstRow ? j0 : 1));
            firstRow = false;
            while (column <= cols) {
                result_.cell(row, column) = Variant(element(row, column));
                if (column == INT16_MAX) throw RuntimeError(err::Overflow);
                ++column;
            }
            if (row == INT16_MAX) throw RuntimeError(err::Overflow);
            ++row;
        }
    }

  private:
    // Both elements are fetched before either is converted, so a missing row of the second
    // operand is reported before a text of the first that is not a number.
    double element(int i, int j) const {
        double sum = 0;
        std::int16_t k = 0;
        forEach16(k, inner_, [&] {
            int fetchA = pre_.error(i, k), fetchB = post_.error(k, j);
            if (fetchA == err::SubscriptOutOfRange) throw RuntimeError(fetchA);
            if (fetchB == err::SubscriptOutOfRange) throw RuntimeError(fetchB);
            if (fetchA) throw RuntimeError(fetchA);
            if (fetchB) throw RuntimeError(fetchB);
            sum = checked(sum + checked(pre_.value(i, k) * post_.value(k, j)));
        });
        return sum;
    }

    const Operand& pre_;
    const Operand& post_;
    int inner_;
    Array& result_;
    LoopPosition& at_;
};

// The first element (i, j) in loop order whose sum meets a bad operand element, or
// (rows + 1, 1) when there is none. Element (i, j) reads row i of the first operand and column
// j of the second, so the first bad row and the first bad column decide it.
std::pair<int, int> firstBadElement(const Operand& pre, const Operand& post, int rows, int cols,
                                    int inner) {
    const std::pair<int, int> none{rows + 1, 1};
    if (rows < 1 || cols < 1 || inner < 1) return none;
    auto badRow = [&](int i) {
        for (int k = 1; k <= inner; ++k)
            if (pre.error(i, k)) return true;
        return false;
    };
    int firstBadCol = 0;
    for (int k = 1; k <= inner && firstBadCol != 1; ++k)
        for (int j = 1; j <= (firstBadCol ? firstBadCol - 1 : cols); ++j)
            if (post.error(k, j)) {
                firstBadCol = j;
                break;
            }
    if (badRow(1)) return {1, 1};
    if (firstBadCol) return {1, firstBadCol};
    for (int i = 2; i <= rows; ++i)
        if (badRow(i)) return {i, 1};
    return none;
}

} // namespace

Result<Variant> CVelmor::Multiply(const Variant& PreMultiplier,
                                  const Variant& PostMultiplier) const {
    Result<Variant> r;
    try {
        const int rows = rowCount(PreMultiplier);
        const int cols = columnCount(PostMultiplier);
        const int inner = columnCount(PreMultiplier);
        // Bounds below zero raise error 9 before anything is read, where the result is made.
        if (rows < 0 || cols < 0) r.value = Array::matrix(rows, cols);
        const Array& pre = PreMultiplier.array();
        const Array& post = PostMultiplier.array();
        const bool fastBounds =
            rows <= kLargestFastBound && cols <= kLargestFastBound && inner <= kLargestFastBound;

        // Rows of the second operand beyond `inner` are never read.
        std::vector<double> a, b,
            c(static_cast<std::size_t>(std::max(rows, 0)) *
              static_cast<std::size_t>(std::max(cols, 0)));
        // A large product shares the reading of its operands and the making of its result
        // with a second thread, as it does its kernel.
        const bool two = fastBounds && productWorthTwoThreads(rows, inner, cols);
        bool numbers = false;
        if (two) {
            bool second = false;
            std::thread reader([&]() noexcept {
                try {
                    second = readNumbers(post, inner, cols, format_, b);
                } catch (...) { // the plain path below meets the same trouble and reports it
                }
            });
            numbers = readNumbers(pre, rows, inner, format_, a);
            reader.join();
            numbers = numbers && second;
        } else {
            numbers = fastBounds && readNumbers(pre, rows, inner, format_, a) &&
                      readNumbers(post, inner, cols, format_, b);
        }
        if (numbers) {
            multiplyDense(a.data(), b.data(), c.data(), rows, inner, cols, KernelIsa::Best,
                          two ? 2 : 1, progress);
            if (allFinite(c)) {
                r.value = Array::matrixOf(rows, cols, c.data(), two);
                finishLoops(r.position.row, r.position.column, rows, cols);
                return r;
            }
        }
        r.value = Array::matrix(rows, cols);
        Array& result = r.value.array();

        // Something fails: find the first element that does, keep what precedes it, and let
        // the plain loop compute that element and raise its error.
        Operand left = readOperand(pre, rows, inner, format_);
        Operand right = readOperand(post, inner, cols, format_);
        PlainProduct plain(left, right, inner, result, r.position);
        if (!fastBounds) {
            plain.runFrom(1, 1);
            return r;
        }
        auto [i0, j0] = firstBadElement(left, right, rows, cols, inner);
        // Elements before the first bad one have good operands, so the kernel's values are
        // exactly the plain loop's, and an overflow among them comes first.
        multiplyDense(left.values.data(), right.values.data(), c.data(), rows, inner, cols);
        const std::size_t before =
            std::min(c.size(), static_cast<std::size_t>(i0 - 1) * cols + (j0 - 1));
        for (std::size_t k = 0; k < before; ++k) {
            const int i = static_cast<int>(k / cols) + 1, j = static_cast<int>(k % cols) + 1;
            if (!std::isfinite(c[k])) {
                i0 = i;
                j0 = j;
                break;
            }
            result.cell(i, j) = Variant(c[k]);
        }
        plain.runFrom(i0, j0);
    } catch (const RuntimeError& e) {
        r.fail("Multiply", e);
    }
    return r;
}

} // namespace velmor
