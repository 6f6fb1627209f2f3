#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ui/adapters/engine_adapter.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
namespace {

const char* const kNotSquare =
    "The number of rows of the matrix does not equal the number of columns.";
const char* const kDeterminantTitle = "CVelmor class module - GetDeterminant";

using Rows = std::vector<std::vector<double>>;

// The matrix value of rows, with element (r, c) replaced by v when r is given.
Variant matrix(const Rows& rows, int r = 0, int c = 0, const Variant& v = {}) {
    const int n = static_cast<int>(rows.size()), m = static_cast<int>(rows[0].size());
    Array a = Array::matrix(n, m);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= m; ++j) a.at(i, j) = rows[i - 1][j - 1];
    if (r) a.at(r, c) = v;
    return a;
}

Rows rowsOf(const Variant& v) {
    const Array& a = v.array();
    Rows out(static_cast<std::size_t>(a.ubound(1)));
    for (int i = 1; i <= a.ubound(1); ++i)
        for (int j = 1; j <= a.ubound(2); ++j) out[i - 1].push_back(a.at(i, j).number());
    return out;
}

Rows square(int n, double diagonal, double other = 0) {
    Rows m(n, std::vector<double>(n, other));
    for (int k = 0; k < n; ++k) m[k][k] = diagonal;
    return m;
}

// Integers in -limit..limit, or reals in (-1, 1) for limit 0.
Rows randomRows(int n, int limit, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    Rows m = square(n, 0);
    for (auto& row : m)
        for (double& x : row) x = limit ? std::round(limit * real(rng)) : real(rng);
    return m;
}

// In doubles: exact for the integer matrices here.
Rows product(const Rows& a, const Rows& b) {
    Rows p = square(static_cast<int>(a.size()), 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a.size(); ++j)
            for (std::size_t k = 0; k < a.size(); ++k) p[i][j] += a[i][k] * b[k][j];
    return p;
}

// Order 11, determinant exactly 0, on which a partial-pivot LU overflows.
Rows luOverflow() {
    Rows m = square(11, 0);
    m[7][8] = m[7][10] = 1;
    m[10][8] = 1e308;
    m[10][10] = -1e308;
    return m;
}

Rows without(Rows m, int row, int column) {
    m.erase(m.begin() + row);
    for (auto& r : m) r.erase(r.begin() + column);
    return m;
}

class DeterminantTest : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    NumberFormat format{"."};
    EngineAdapter engine{dialogs, format};

    double det(const Rows& m) { return engine.GetDeterminant(matrix(m)); }
};

TEST_F(DeterminantTest, WorkedValues) {
    const std::pair<Rows, double> cases[] = {
        {{{1, 2}, {3, 4}}, -2},
        {{{2, 0, 1}, {1, 3, 2}, {1, 1, 2}}, 6},
        {{{2, 0, 1}, {1, 3, 2}, {1, 1, 1}}, 0},
        // Exactly -10000000000000012: Sarrus's six terms taken left to right round to
        // -1.000000000000001E+16; summing the signs apart or expanding rounds differently.
        {{{1, 3, 3}, {3, 1e16, 2}, {1, 0, 2}}, -1.000000000000001e16},
        {{{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 2, 3, 4}, {2, 7, 1, 8}}, 0},
        {{{3, 1, 4, 1}, {5, 9, 2, 6}, {5, 3, 5, 8}, {9, 7, 9, 3}}, 98},
    };
    for (const auto& [m, d] : cases) EXPECT_EQ(det(m), d);
    EXPECT_EQ(engine.GetDeterminant(matrix({{0}}, 1, 1, "7")), 7);
    // Large pivots whose product stays in range are no overflow.
    Rows scaled = square(12, 1e300);
    for (int k = 1; k < 12; k += 2) scaled[k][k] = 1e-300;
    EXPECT_NEAR(det(scaled), 1.0, 1e-12);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, MethodsAgreeOnRandomMatrices) {
    std::mt19937_64 rng(5);
    for (int n : {4, 7, 12, 40})
        for (int limit : {0, 3}) {
            Rows m = randomRows(n, limit, rng);
            const double d = det(m);
            std::swap(m[1], m[static_cast<std::size_t>(n) - 1]);
            // Exact for integers up to order 12: expansion or integer elimination.
            EXPECT_NEAR(det(m), -d, limit && n <= 12 ? 0 : 1e-12 * std::fabs(d))
                << n << " " << limit;
        }
    // Order 10 is the largest expansion, order 11 the smallest elimination: an order 11 with
    // two non-zero elements in its last column, expanded by hand through order-10 calls (slow).
    Rows m = randomRows(11, 0, rng);
    for (std::size_t k = 0; k < 11; ++k) m[k][10] = k == 3 || k == 6 ? m[k][10] : 0;
    const double byHand = -m[3][10] * det(without(m, 3, 10)) + m[6][10] * det(without(m, 6, 10));
    EXPECT_NEAR(det(m), byHand, 1e-12 * std::fabs(byHand));
    // Exact integer elimination where floating elimination would round: a singular order 12.
    Rows s = randomRows(12, 9, rng);
    for (std::size_t j = 0; j < 12; ++j) s[11][j] = 3 * s[0][j] - 7 * s[5][j];
    EXPECT_EQ(det(s), 0.0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, LargeOrdersAreRight) {
    std::mt19937_64 rng(2);
    const Rows m = randomRows(200, 0, rng), a = randomRows(100, 0, rng);
    const double d = det(m), inverse = engine.GetDeterminant(engine.Invert(matrix(m)));
    const Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(a)));
    EXPECT_NEAR(d * inverse, 1.0, 1e-9);
    const double da = det(a);
    const Rows p = product(a, adj);
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j) EXPECT_NEAR(p[i][j], i == j ? da : 0, 1e-9 * std::fabs(da));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, FailuresShowOneBox) {
    const std::string det = kDeterminantTitle, adj = "CVelmor class module - GetCofactorMatrix",
                      overflow = "Error No. 6; The number is too large",
                      mismatch = "Error No. 13; A text that is not a number was used as one";
    // Closed forms, expansions (texts met filling a minor or in the last column), eliminations.
    const std::tuple<Variant, std::string, std::string> cases[] = {
        {matrix({{1, 2, 3}, {4, 5, 6}}), kNotSquare, "Velmor"},
        {matrix(square(2, 1e200)), overflow, det},
        {matrix(square(5, 1e80)), overflow, det},
        {matrix(square(12, 1e30)), overflow, det},
        {matrix(square(3, 1, 1), 2, 2, "abc"), mismatch, det},
        {matrix(square(4, 1, 1), 1, 2, "abc"), mismatch, det},
        {matrix(square(6, 1, 1), 5, 6, "abc"), mismatch, det},
        {matrix(square(15, 1, 1), 9, 4, "abc"), mismatch, det},
        {Variant("x"), mismatch, det},
        {matrix({{5}}), "Error No. 9; A row or column outside the matrix was used",
         adj}, // no minor
        {matrix(square(12, 1e40)), overflow, adj},
        {matrix(square(9, 1, 1), 3, 4, "1..2"), mismatch, adj},
    };
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const auto& [input, prompt, title] = cases[k];
        SCOPED_TRACE(k);
        dialogs.clear();
        if (title == adj)
            EXPECT_TRUE(engine.GetAdjointMatrix(input).isEmpty());
        else
            EXPECT_EQ(engine.GetDeterminant(input), 0);
        const MsgIcon icon = prompt == kNotSquare ? MsgIcon::None : MsgIcon::Exclamation;
        EXPECT_EQ(test::boxes(dialogs), (test::Boxes{{prompt, MsgButtons::OK, icon, title}}));
    }
    // A floating elimination overflows here; the exact one finds the true 0.
    dialogs.clear();
    EXPECT_EQ(engine.GetDeterminant(matrix(luOverflow())), 0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, AdjointTimesInputIsDeterminantTimesIdentity) {
    EXPECT_EQ(rowsOf(engine.GetAdjointMatrix(matrix({{1, 2}, {3, 4}}))), (Rows{{4, -2}, {-3, 1}}));
    std::mt19937_64 rng(13);
    for (int n = 2; n <= 12; ++n) {
        const Rows m = randomRows(n, 5, rng), adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
        const Rows expected = square(n, det(m));
        EXPECT_EQ(product(m, adj), expected) << n;
        EXPECT_EQ(product(adj, m), expected) << n;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, SingularAdjointAboveOrderEight) {
    std::mt19937_64 rng(17);
    Rows m = randomRows(12, 5, rng);
    for (std::size_t j = 0; j < 12; ++j) m[4][j] = m[1][j] + 2 * m[8][j]; // rank 11
    const Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
    EXPECT_EQ(product(m, adj), square(12, 0));
    EXPECT_EQ(product(adj, m), square(12, 0));
    // Only leaving out one of the dependent rows 1, 4, 8 gives a non-zero cofactor.
    for (auto [i, j] : {std::pair{1, 0}, {4, 7}, {8, 11}, {0, 0}})
        EXPECT_EQ(adj[j][i], ((i + j) % 2 ? -1 : 1) * det(without(m, i, j))) << i << "," << j;
    EXPECT_NE(adj[0][1], 0);
    // Halved, the matrix is no longer integer: the floating path must agree, scaled.
    for (auto& row : m)
        for (double& x : row) x /= 2;
    Rows half = rowsOf(engine.GetAdjointMatrix(matrix(m)));
    for (auto& row : half)
        for (double& x : row) x = std::round(std::ldexp(x, 11));
    EXPECT_EQ(half, adj);
}

// Exactly singular on the floating path: det x inverse was 0 x inf, all NaN without a box.
TEST_F(DeterminantTest, ExactlySingularAdjointsOnTheFloatingPathAreFinite) {
    for (auto [n, d] : {std::pair(9, 0.5), std::pair(31, 1.0)}) {
        Rows m = square(n, d);
        m[n - 1][n - 1] = 0;
        const Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                EXPECT_NEAR(adj[i][j], i == n - 1 && j == n - 1 ? std::pow(d, n - 1) : 0, 1e-12)
                    << n << ": " << i << "," << j;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, BadElementFailsEveryMinorHoldingIt) {
    const Rows m = {{1, 2, 3, 4}, {5, 6, 7, 8}, {2, 7, 1, 8}, {3, 1, 4, 1}};
    const Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m, 2, 3, "seven")));
    // The minors of (i, j) with i != 2 and j != 3 hold the element: 9 boxes, 0 in their places.
    EXPECT_EQ(test::boxes(dialogs),
              test::Boxes(9, {"Error No. 13; A text that is not a number was used as one",
                              MsgButtons::OK, MsgIcon::Exclamation, kDeterminantTitle}));
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(adj[j][i], i == 1 || j == 2 ? adj[j][i] : 0);
    EXPECT_EQ(adj[2][1], 33); // the cofactor of (2, 3), which does not hold it
}

} // namespace
} // namespace velmor
