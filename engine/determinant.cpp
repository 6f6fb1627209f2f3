#include <cmath>
#include <vector>

#include "engine/cvelmor.h"
#include "engine/dense.h"
#include "engine/dense_determinant.h"
#include "engine/exact_determinant.h"

namespace velmor {

namespace {

// Cofactor expansion costs n!/6 closed-form evaluations; above these orders the elimination
// methods take over (the adjoint's minors are one order smaller than its input).
constexpr int kExpansionMaxOrder = 10;
constexpr int kAdjointExpansionMaxOrder = 8;

// Double arithmetic that raises overflow (error 6) instead of reaching an infinity, or the
// NaN an infinity turns into further on.
double checked(double x) {
    if (!std::isfinite(x)) throw RuntimeError(err::Overflow);
    return x;
}
double mul(double x, double y) {
    return checked(x * y);
}
double add(double x, double y) {
    return checked(x + y);
}
double sub(double x, double y) {
    return checked(x - y);
}

double signOf(int power) {
    return power % 2 == 0 ? 1.0 : -1.0;
}

// The elements 1..n of a square matrix as numbers, row-major.
std::vector<double> toDoubles(const Array& a, int n, const NumberFormat& format) {
    std::vector<double> out(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    a.at(1, 1); // error 9 when the bounds start above 1
    std::size_t k = 0;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) out[k++] = format.toNumber(a.cell(r, c));
    return out;
}

// Up to exact::kMaxOrder exactly, every decimal being a rational; floating point above.
double eliminationDeterminant(const Array& a, int n, const NumberFormat& format) {
    if (n <= exact::kMaxOrder) return exact::determinant(a, n, format);
    std::vector<double> m = toDoubles(a, n, format);
    return checked(dense::determinant(m, n));
}

// Row-major adjugate for orders beyond the expansion: element (j, i) is cofactor (i, j).
std::vector<double> eliminationAdjugate(const Array& a, int n, const NumberFormat& format) {
    if (n <= exact::kMaxOrder) return exact::adjugate(a, n, format);
    std::vector<double> adj = dense::adjugate(toDoubles(a, n, format), n);
    for (double x : adj) checked(x);
    return adj;
}

} // namespace

Result<double> CVelmor::GetDeterminant(const Variant& InputArray) const {
    Result<double> r;
    r.value = determinant(InputArray, r.issues);
    return r;
}

double CVelmor::determinant(const Variant& InputArray, std::vector<EngineIssue>& issues) const {
    try {
        const int n = rowCount(InputArray);
        if (n != columnCount(InputArray)) {
            issues.push_back(
                EngineIssue::condition("GetDeterminant", EngineIssue::Kind::NotSquare));
            return 0;
        }
        const Array& a = InputArray.array();
        auto num = [&](int r, int c) { return format_.toNumber(a.at(r, c)); };
        switch (n) {
        case 1:
            return num(1, 1);
        case 2:
            return sub(mul(num(1, 1), num(2, 2)), mul(num(2, 1), num(1, 2)));
        case 3: {
            // Rule of Sarrus, term by term, each product left to right.
            double d = mul(mul(num(1, 1), num(2, 2)), num(3, 3));
            d = add(d, mul(mul(num(1, 2), num(2, 3)), num(3, 1)));
            d = add(d, mul(mul(num(1, 3), num(2, 1)), num(3, 2)));
            d = sub(d, mul(mul(num(3, 1), num(2, 2)), num(1, 3)));
            d = sub(d, mul(mul(num(3, 2), num(2, 3)), num(1, 1)));
            return sub(d, mul(mul(num(3, 3), num(2, 1)), num(1, 2)));
        }
        default:
            break;
        }
        if (n < 4) return 0;
        if (n > kExpansionMaxOrder) return eliminationDeterminant(a, n, format_);

        // Expansion along the last column; every minor is a determinant of its own, which
        // reports its own errors and then counts as 0.
        std::vector<Variant> lastColumn(static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i) lastColumn[static_cast<std::size_t>(i - 1)] = a.at(i, n);
        Variant minor = Array::matrix(n - 1, n - 1);
        double sum = 0;
        for (int k = 1; k <= n; ++k) {
            Array& m = minor.array();
            int counter = 0;
            for (int row = 1; row <= n; ++row) {
                if (row == k) continue;
                ++counter;
                for (int c = 1; c <= n - 1; ++c) m.cell(counter, c) = num(row, c);
            }
            const double cofactor = signOf(n + k) * determinant(minor, issues);
            sum = add(sum,
                      mul(format_.toNumber(lastColumn[static_cast<std::size_t>(k - 1)]), cofactor));
        }
        return sum;
    } catch (const RuntimeError& e) {
        issues.push_back(EngineIssue::error("GetDeterminant", e));
        return 0;
    }
}

Result<Variant> CVelmor::GetAdjointMatrix(const Variant& InputArray) const {
    const char* const operation = "GetCofactorMatrix";
    Result<Variant> r;
    try {
        const int rows = rowCount(InputArray);
        const int columns = columnCount(InputArray);
        if (rows < 2 || columns < 2) throw RuntimeError(err::SubscriptOutOfRange); // no minor
        const Array& a = InputArray.array();

        if (rows > kAdjointExpansionMaxOrder || columns > kAdjointExpansionMaxOrder) {
            if (rows != columns) {
                // Every minor would fail the same way; say it once, then fail as the
                // expansion does when the cofactor lands outside the result.
                r.refuse(operation, EngineIssue::Kind::NotSquare);
                throw RuntimeError(err::SubscriptOutOfRange);
            }
            const int n = rows;
            std::vector<double> adj = eliminationAdjugate(a, n, format_);
            r.value = Array::matrix(n, n);
            Array& out = r.value.array();
            std::size_t k = 0;
            for (int i = 1; i <= n; ++i)
                for (int j = 1; j <= n; ++j) out.cell(i, j) = adj[k++];
            return r;
        }

        Variant minor = Array::matrix(rows - 1, columns - 1);
        r.value = Array::matrix(rows, columns);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                Array& m = minor.array();
                int mr = 0;
                for (int x = 1; x <= rows; ++x) {
                    if (x == i) continue;
                    ++mr;
                    int mc = 0;
                    for (int y = 1; y <= columns; ++y)
                        if (y != j) m.at(mr, ++mc) = a.at(x, y);
                }
                const double d = determinant(minor, r.issues);
                r.value.array().at(j, i) = signOf(i + j) * d;
            }
    } catch (const RuntimeError& e) {
        r.fail(operation, e);
    }
    return r;
}

} // namespace velmor
