#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cvelmor.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
namespace {

using test::Box;
using test::ScriptedDialogs;

const char* const kNotSquare =
    "The number of rows of the matrix does not equal the number of columns.";
const char* const kDeterminantTitle = "CVelmor class module - GetDeterminant";
const char* const kAdjointTitle = "CVelmor class module - GetCofactorMatrix";

using Rows = std::vector<std::vector<double>>;

Variant matrix(const Rows& rows) {
    const int r = static_cast<int>(rows.size()), c = static_cast<int>(rows[0].size());
    Array a = Array::matrix(r, c);
    for (int i = 1; i <= r; ++i)
        for (int j = 1; j <= c; ++j)
            a.at(i, j) = rows[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)];
    return a;
}

Rows rowsOf(const Variant& v) {
    const Array& a = v.array();
    Rows out;
    for (int i = 1; i <= a.ubound(1); ++i) {
        out.emplace_back();
        for (int j = 1; j <= a.ubound(2); ++j) out.back().push_back(a.at(i, j).number());
    }
    return out;
}

Rows randomIntegers(int n, int limit, std::mt19937_64& rng) {
    std::uniform_int_distribution<int> d(-limit, limit);
    Rows m(n, std::vector<double>(n));
    for (auto& row : m)
        for (double& x : row) x = d(rng);
    return m;
}

Rows randomReals(int n, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Rows m(n, std::vector<double>(n));
    for (auto& row : m)
        for (double& x : row) x = d(rng);
    return m;
}

// The exact integer product of two integer matrices.
std::vector<std::vector<std::int64_t>> product(const Rows& a, const Rows& b) {
    const std::size_t n = a.size();
    std::vector<std::vector<std::int64_t>> p(n, std::vector<std::int64_t>(n));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            for (std::size_t k = 0; k < n; ++k)
                p[i][j] += static_cast<std::int64_t>(a[i][k]) * static_cast<std::int64_t>(b[k][j]);
    return p;
}

// An independent determinant for checks: LU in long double.
long double luDeterminant(Rows m) {
    const std::size_t n = m.size();
    std::vector<std::vector<long double>> a(n, std::vector<long double>(n));
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) a[i][j] = m[i][j];
    long double det = 1;
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t p = k;
        for (std::size_t i = k + 1; i < n; ++i)
            if (std::fabs(a[i][k]) > std::fabs(a[p][k])) p = i;
        if (a[p][k] == 0) return 0;
        if (p != k) std::swap(a[p], a[k]), det = -det;
        det *= a[k][k];
        for (std::size_t i = k + 1; i < n; ++i) {
            long double f = a[i][k] / a[k][k];
            for (std::size_t j = k; j < n; ++j) a[i][j] -= f * a[k][j];
        }
    }
    return det;
}

Rows without(const Rows& m, std::size_t row, std::size_t column) {
    Rows out;
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (i == row) continue;
        out.emplace_back();
        for (std::size_t j = 0; j < m.size(); ++j)
            if (j != column) out.back().push_back(m[i][j]);
    }
    return out;
}

class DeterminantTest : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    NumberFormat format{"."};
    CVelmor engine{dialogs, format};

    double det(const Rows& m) { return engine.GetDeterminant(matrix(m)); }

    void expectBox(const Box& b, const std::string& prompt, MsgIcon icon,
                   const std::string& title) {
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.buttons, MsgButtons::OK);
        EXPECT_EQ(b.icon, icon);
        EXPECT_EQ(b.title, title);
    }
};

TEST_F(DeterminantTest, WorkedValues) {
    struct Case {
        Rows m;
        double det;
    };
    const std::vector<Case> cases = {
        {{{7}}, 7},
        {{{1, 2}, {3, 4}}, -2},
        {{{2, 0, 1}, {1, 3, 2}, {1, 1, 2}}, 6},
        {{{2, 0, 1}, {1, 3, 2}, {1, 1, 1}}, 0},
        {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}, 1},
        {{{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 2, 3, 4}, {2, 7, 1, 8}}, 0},
        {{{3, 1, 4, 1}, {5, 9, 2, 6}, {5, 3, 5, 8}, {9, 7, 9, 3}}, 98},
    };
    for (const Case& c : cases) EXPECT_EQ(det(c.m), c.det);
    EXPECT_EQ(engine.mintNo_Rows, 4); // put back after every inner call
    EXPECT_EQ(engine.mintNo_Columns, 4);
    Variant keyed = matrix({{0}});
    keyed.array().at(1, 1) = "7";
    EXPECT_EQ(engine.GetDeterminant(keyed), 7);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, SarrusKeepsItsOrderOfOperations) {
    // Exactly -10000000000000012. The six terms added and subtracted left to right round to
    // -1.000000000000001E+16; positive and negative terms summed apart, or a cofactor
    // expansion, round differently.
    EXPECT_EQ(det({{1, 3, 3}, {3, 1e16, 2}, {1, 0, 2}}), -1.000000000000001e16);
}

TEST_F(DeterminantTest, RowSwapChangesTheSign) {
    std::mt19937_64 rng(5);
    for (int n : {4, 7, 12, 40}) {
        Rows m = randomReals(n, rng);
        const double d = det(m);
        std::swap(m[0], m[static_cast<std::size_t>(n) - 1]);
        EXPECT_NEAR(det(m), -d, 1e-12 * std::fabs(d)) << n;
        Rows ints = randomIntegers(n, 3, rng);
        const double e = det(ints);
        std::swap(ints[1], ints[2]);
        if (n <= 12)
            EXPECT_EQ(det(ints), -e) << n; // exact: expansion or integer elimination
        else
            EXPECT_NEAR(det(ints), -e, 1e-12 * std::fabs(e)) << n;
    }
}

TEST_F(DeterminantTest, ExpansionAndEliminationAgree) {
    std::mt19937_64 rng(9);
    // Order 10 is the largest expansion, order 11 the smallest elimination. Expanding an
    // order-11 matrix by hand along its last column through order-10 calls gives its value.
    Rows m = randomReals(11, rng);
    double byHand = 0;
    for (std::size_t k = 0; k < 11; ++k) {
        const double minor = det(without(m, k, 10));
        byHand += m[k][10] * (k % 2 == 0 ? minor : -minor);
    }
    EXPECT_NEAR(det(m), byHand, 1e-12 * std::fabs(byHand));
    for (int n : {10, 11}) {
        Rows r = randomReals(n, rng);
        const double independent = static_cast<double>(luDeterminant(r));
        EXPECT_NEAR(det(r), independent, 1e-12 * std::fabs(independent)) << n;
        // Integer matrices: both methods are exact here.
        Rows i = randomIntegers(n, 9, rng);
        EXPECT_EQ(det(i), std::round(static_cast<double>(luDeterminant(i)))) << n;
    }
    // Exact integer elimination where LU would round: a singular order-12 integer matrix.
    Rows s = randomIntegers(12, 9, rng);
    for (std::size_t j = 0; j < 12; ++j) s[11][j] = 3 * s[0][j] - 7 * s[5][j];
    EXPECT_EQ(det(s), 0.0);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, LargeOrdersFinishQuickly) {
    std::mt19937_64 rng(2);
    Rows m = randomReals(200, rng);
    const auto start = std::chrono::steady_clock::now();
    const double d = det(m);
    const double a = std::fabs(static_cast<double>(luDeterminant(m)));
    EXPECT_NEAR(d, static_cast<double>(luDeterminant(m)), 1e-9 * a);
    Variant adj = engine.GetAdjointMatrix(matrix(randomReals(100, rng)));
    EXPECT_TRUE(adj.isArray());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST_F(DeterminantTest, NotSquareIsAPlainMessage) {
    EXPECT_EQ(det({{1, 2, 3}, {4, 5, 6}}), 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectBox(dialogs.boxes[0], kNotSquare, MsgIcon::None, "Velmor");
    EXPECT_EQ(engine.mstrMessage, kNotSquare);
}

TEST_F(DeterminantTest, OverflowIsErrorSix) {
    // Diagonal matrices beyond the double range: in a closed form, inside the expansion
    // (the order-4 minor overflows, its call reports and gives 0) and in the elimination.
    const std::vector<std::pair<int, double>> cases = {{2, 1e200}, {5, 1e80}, {12, 1e30}};
    for (auto [n, diagonal] : cases) {
        Rows m(n, std::vector<double>(n, 0.0));
        for (int k = 0; k < n; ++k) m[k][k] = diagonal;
        dialogs.clear();
        EXPECT_EQ(det(m), 0) << n;
        ASSERT_EQ(dialogs.boxes.size(), 1u) << n;
        expectBox(dialogs.boxes[0], "Error No. 6; Overflow", MsgIcon::Exclamation,
                  kDeterminantTitle);
    }
    // Large pivots whose product stays in range are not an overflow.
    Rows scaled(12, std::vector<double>(12, 0.0));
    for (int k = 0; k < 12; ++k) scaled[k][k] = k % 2 == 0 ? 1e300 : 1e-300;
    dialogs.clear();
    EXPECT_NEAR(det(scaled), 1.0, 1e-12);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(DeterminantTest, NotANumberShowsOneBox) {
    // Closed form, expansion (converted while the minors are filled, or in the last column),
    // elimination: one box each, and 0.
    struct Case {
        int n, row, column;
    };
    for (Case c : {Case{3, 2, 2}, Case{4, 1, 2}, Case{6, 5, 6}, Case{10, 1, 1}, Case{15, 9, 4}}) {
        Variant m = matrix(Rows(c.n, std::vector<double>(c.n, 1.0)));
        m.array().at(c.row, c.column) = "abc";
        dialogs.clear();
        EXPECT_EQ(engine.GetDeterminant(m), 0) << c.n;
        ASSERT_EQ(dialogs.boxes.size(), 1u) << c.n;
        expectBox(dialogs.boxes[0], "Error No. 13; Type mismatch", MsgIcon::Exclamation,
                  kDeterminantTitle);
    }
    dialogs.clear();
    EXPECT_EQ(engine.GetDeterminant(Variant("x")), 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectBox(dialogs.boxes[0], "Error No. 13; Type mismatch", MsgIcon::Exclamation,
              kDeterminantTitle);
}

class AdjointTest : public DeterminantTest {};

TEST_F(AdjointTest, TwoByTwo) {
    Variant adj = engine.GetAdjointMatrix(matrix({{1, 2}, {3, 4}}));
    EXPECT_EQ(rowsOf(adj), (Rows{{4, -2}, {-3, 1}}));
    EXPECT_EQ(engine.mintNo_Rows, 1); // the last minor's
}

TEST_F(AdjointTest, TimesInputIsDeterminantTimesIdentity) {
    std::mt19937_64 rng(13);
    for (int n = 2; n <= 12; ++n) {
        Rows m = randomIntegers(n, 5, rng);
        const double d = det(m);
        Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
        auto left = product(m, adj), right = product(adj, m);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                EXPECT_EQ(left[i][j], i == j ? static_cast<std::int64_t>(d) : 0) << n;
                EXPECT_EQ(right[i][j], i == j ? static_cast<std::int64_t>(d) : 0) << n;
            }
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(AdjointTest, SingularOrderTwelveHasRankOneAdjoint) {
    std::mt19937_64 rng(17);
    Rows m = randomIntegers(12, 6, rng);
    for (std::size_t j = 0; j < 12; ++j) m[4][j] = m[1][j] + 2 * m[8][j]; // rank 11
    Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
    auto left = product(m, adj), right = product(adj, m);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j) {
            EXPECT_EQ(left[i][j], 0);
            EXPECT_EQ(right[i][j], 0);
        }
    // Cofactors against an independent determinant of their minors; only leaving out one of
    // the dependent rows 1, 4, 8 gives a non-zero one.
    for (auto [i, j] : {std::pair{1, 0}, {4, 7}, {8, 11}, {0, 0}}) {
        const long double minor = luDeterminant(without(m, i, j));
        const double cofactor = std::round(static_cast<double>((i + j) % 2 == 0 ? minor : -minor));
        EXPECT_EQ(adj[j][i], cofactor) << i << "," << j;
    }
    EXPECT_NE(adj[0][1], 0);
    // The same matrix halved is no longer integer: the floating path must agree, scaled.
    Rows half = m;
    for (auto& row : half)
        for (double& x : row) x /= 2;
    Rows adjHalf = rowsOf(engine.GetAdjointMatrix(matrix(half)));
    double largest = 0;
    for (const auto& row : adj)
        for (double x : row) largest = std::max(largest, std::fabs(x));
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j)
            EXPECT_NEAR(adjHalf[i][j], std::ldexp(adj[i][j], -11), std::ldexp(largest, -11) * 1e-9);
}

TEST_F(AdjointTest, WellConditionedLargeOrderAgreesWithMinors) {
    std::mt19937_64 rng(19);
    Rows m = randomReals(20, rng);
    Rows adj = rowsOf(engine.GetAdjointMatrix(matrix(m)));
    for (auto [i, j] : {std::pair{0, 0}, {3, 17}, {19, 2}}) {
        const long double minor = luDeterminant(without(m, i, j));
        const double cofactor = static_cast<double>((i + j) % 2 == 0 ? minor : -minor);
        EXPECT_NEAR(adj[j][i], cofactor, 1e-10 * std::fabs(cofactor));
    }
    EXPECT_EQ(engine.mintNo_Rows, 19);
}

TEST_F(AdjointTest, ErrorBoxes) {
    // 1 x 1: there is no minor.
    EXPECT_TRUE(engine.GetAdjointMatrix(matrix({{5}})).isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectBox(dialogs.boxes[0], "Error No. 9; Subscript out of range", MsgIcon::Exclamation,
              kAdjointTitle);
    // Overflow of the adjoint's elements at an elimination order.
    Rows big(12, std::vector<double>(12, 0.0));
    for (int k = 0; k < 12; ++k) big[k][k] = 1e40;
    dialogs.clear();
    EXPECT_TRUE(engine.GetAdjointMatrix(matrix(big)).isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectBox(dialogs.boxes[0], "Error No. 6; Overflow", MsgIcon::Exclamation, kAdjointTitle);
    // A text that is not a number at an elimination order: one box, nothing back.
    Variant bad = matrix(Rows(9, std::vector<double>(9, 1.0)));
    bad.array().at(3, 4) = "1..2";
    dialogs.clear();
    EXPECT_TRUE(engine.GetAdjointMatrix(bad).isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    expectBox(dialogs.boxes[0], "Error No. 13; Type mismatch", MsgIcon::Exclamation, kAdjointTitle);
}

TEST_F(AdjointTest, BadElementInExpansionFailsEveryMinorHoldingIt) {
    Variant m = matrix({{1, 2, 3, 4}, {5, 6, 7, 8}, {2, 7, 1, 8}, {3, 1, 4, 1}});
    m.array().at(2, 3) = "seven";
    Rows adj = rowsOf(engine.GetAdjointMatrix(m));
    // The minors of (i, j) with i != 2 and j != 3 hold the element: 9 boxes, 0 in their places.
    ASSERT_EQ(dialogs.boxes.size(), 9u);
    for (const Box& b : dialogs.boxes)
        expectBox(b, "Error No. 13; Type mismatch", MsgIcon::Exclamation, kDeterminantTitle);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (i != 1 && j != 2) {
                EXPECT_EQ(adj[j][i], 0) << i << "," << j;
            }
    EXPECT_EQ(adj[2][1], 33); // the cofactor of (2, 3), which does not hold it
}

} // namespace
} // namespace velmor
