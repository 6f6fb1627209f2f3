#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cvelmor.h"
#include "engine/gauss_jordan.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
namespace {

using test::Box;
using test::ScriptedDialogs;

const char* const kNotSquare =
    "The number of rows of the matrix does not equal the number of columns.";
const char* const kSingular = "The matrix is singular.";
const char* const kDivision = "Division by zero. The matrix is singular.";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Rows = std::vector<std::vector<double>>;

Variant matrix(const Rows& rows, int lower = 1) {
    const int r = static_cast<int>(rows.size()), c = static_cast<int>(rows[0].size());
    Array a = Array::matrix(r, c, lower);
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

bool sameBits(double x, double y) {
    return std::memcmp(&x, &y, sizeof x) == 0 || (std::isnan(x) && std::isnan(y));
}

// The textbook loops, 1-based, with no shortcut of any kind: what Invert must reproduce.
struct Reference {
    std::string outcome; // "" when inverted, else the message, or "error 9"
    Rows inverse;
};

Reference referenceInvert(const Rows& input) {
    const int n = static_cast<int>(input.size());
    std::vector<std::vector<double>> a(n + 1, std::vector<double>(n + 1));
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) a[r][c] = input[r - 1][c - 1];
    std::vector<int> ipiv(n + 1), indxr(n + 1), indxc(n + 1);
    int irow = 0, icol = 0;
    for (int i = 1; i <= n; ++i) {
        double big = 0;
        for (int j = 1; j <= n; ++j)
            if (ipiv[j] != 1)
                for (int k = 1; k <= n; ++k) {
                    if (ipiv[k] == 0 && std::fabs(a[j][k]) >= big) {
                        big = std::fabs(a[j][k]);
                        irow = j;
                        icol = k;
                    } else if (ipiv[k] > 1) {
                        return {kSingular, {}};
                    }
                }
        if (icol == 0) return {"error 9", {}};
        ++ipiv[icol];
        if (irow != icol)
            for (int l = 1; l <= n; ++l) std::swap(a[irow][l], a[icol][l]);
        indxr[i] = irow;
        indxc[i] = icol;
        if (std::fabs(a[icol][icol]) < 1E-13) return {kDivision, {}};
        const double pivinv = 1.0 / a[icol][icol];
        a[icol][icol] = 1.0;
        for (int l = 1; l <= n; ++l) a[icol][l] *= pivinv;
        for (int ll = 1; ll <= n; ++ll)
            if (ll != icol) {
                const double dum = a[ll][icol];
                a[ll][icol] = 0.0;
                for (int l = 1; l <= n; ++l) a[ll][l] = a[ll][l] - a[icol][l] * dum;
            }
    }
    for (int l = n; l >= 1; --l)
        if (indxr[l] != indxc[l])
            for (int k = 1; k <= n; ++k) std::swap(a[k][indxr[l]], a[k][indxc[l]]);
    Rows out(n, std::vector<double>(n));
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) out[r - 1][c - 1] = a[r][c];
    return {"", out};
}

// Small integers tie in magnitude everywhere, so they exercise the pivot order.
Rows randomRows(int n, std::mt19937_64& rng, bool ties) {
    std::uniform_int_distribution<int> small(-3, 3);
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    Rows m(n, std::vector<double>(n));
    for (auto& row : m)
        for (double& x : row) x = ties ? small(rng) : real(rng);
    return m;
}

class InvertTest : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    NumberFormat format{"."};
    CVelmor engine{dialogs, format};

    void expectOneBox(const std::string& prompt, MsgIcon icon, const std::string& title) {
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const Box& b = dialogs.boxes[0];
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.buttons, MsgButtons::OK);
        EXPECT_EQ(b.icon, icon);
        EXPECT_EQ(b.title, title);
    }
};

TEST_F(InvertTest, WorkedInverses) {
    struct Case {
        Rows input, inverse;
    };
    const std::vector<Case> cases = {
        {{{4}}, {{0.25}}},
        {{{4, 7}, {2, 6}}, {{0.6, -0.7}, {-0.2, 0.4}}},
        {{{0, 1}, {1, 0}}, {{0, 1}, {1, 0}}}, // the row swap brings a pivot onto the diagonal
        {{{1, 1}, {1, -1}}, {{0.5, 0.5}, {0.5, -0.5}}},
    };
    for (const Case& c : cases) {
        Variant inv = engine.Invert(matrix(c.input));
        ASSERT_TRUE(inv.isArray());
        Rows got = rowsOf(inv);
        for (std::size_t r = 0; r < got.size(); ++r)
            for (std::size_t k = 0; k < got.size(); ++k)
                EXPECT_NEAR(got[r][k], c.inverse[r][k], 1e-15);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_EQ(engine.mintOrder, 2);
}

TEST_F(InvertTest, EqualMagnitudesPivotOnTheLastElementScanned) {
    // Magnitude 3 at (1,2) and (3,3): the scan takes (3,3). Starting from (1,2) instead rounds
    // every element differently (0.39999999999999986 for the first, -1.39E-17 for (2,3)).
    Rows got = rowsOf(engine.Invert(matrix({{-2, -3, -1}, {-2, -1, -1}, {1, -1, 3}})));
    const Rows expected = {{0.39999999999999997, -1, -0.20000000000000001},
                           {-0.5, 0.5, 1.3877787807814457e-17},
                           {-0.29999999999999999, 0.5, 0.40000000000000002}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(got[r][c], expected[r][c]) << r << "," << c;
}

TEST_F(InvertTest, SingularMatricesShowTheirMessage) {
    struct Case {
        Rows input;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{{1, 2}, {2, 4}}, kDivision},
        {{{1e-14, 0}, {0, 1e-14}}, kDivision}, // the threshold is absolute
        {{{0, 0}, {0, 0}}, kDivision},
        // Only NaNs left in the second pass: its pivot column repeats, the third pass says so.
        {{{1, kNaN, kNaN}, {kNaN, kNaN, kNaN}, {kNaN, kNaN, kNaN}}, kSingular},
    };
    for (const Case& c : cases) {
        dialogs.clear();
        EXPECT_TRUE(engine.Invert(matrix(c.input)).isEmpty());
        expectOneBox(c.message, MsgIcon::Critical, "Velmor");
    }
}

TEST_F(InvertTest, NotSquareIsAPlainMessage) {
    EXPECT_TRUE(engine.Invert(matrix({{1, 2, 3}, {4, 5, 6}})).isEmpty());
    expectOneBox(kNotSquare, MsgIcon::None, "Velmor");
    EXPECT_EQ(engine.mstrMessage, kNotSquare);
}

TEST_F(InvertTest, TextElementsAreReadAsNumbers) {
    Variant keyed = matrix({{0, 0}, {0, 0}}, 0);
    Array& a = keyed.array();
    a.at(1, 1) = "4";
    a.at(1, 2) = "7";
    a.at(2, 1) = "2";
    a.at(2, 2) = " 6.0 ";
    Rows got = rowsOf(engine.Invert(keyed));
    EXPECT_EQ(got, rowsOf(engine.Invert(matrix({{4, 7}, {2, 6}}))));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(InvertTest, ErrorsShowTheInvertBoxWithoutLocation) {
    // A text that is not a number, wherever it is, before anything else happens.
    Variant m = matrix({{1, 0, 0}, {0, 0, 1}, {0, 1, 0}});
    m.array().at(3, 2) = "1,5";
    EXPECT_TRUE(engine.Invert(m).isEmpty());
    expectOneBox("Error No. 13; Type mismatch", MsgIcon::Exclamation,
                 "CVelmor class module - Invert");
    dialogs.clear();
    EXPECT_TRUE(engine.Invert(Variant(3.0)).isEmpty());
    expectOneBox("Error No. 13; Type mismatch", MsgIcon::Exclamation,
                 "CVelmor class module - Invert");
    // No pivot at all in the first pass: the use count of column 0 is outside the list.
    dialogs.clear();
    EXPECT_TRUE(engine.Invert(matrix({{kNaN, kNaN}, {kNaN, kNaN}})).isEmpty());
    expectOneBox("Error No. 9; Subscript out of range", MsgIcon::Exclamation,
                 "CVelmor class module - Invert");
}

TEST_F(InvertTest, GridMatrixKeepsItsBounds) {
    Variant in = matrix({{4, 7}, {2, 6}}, 0);
    Variant inv = engine.Invert(in);
    ASSERT_TRUE(inv.isArray());
    const Array& a = inv.array();
    EXPECT_EQ(a.lbound(1), 0);
    EXPECT_EQ(a.lbound(2), 0);
    EXPECT_EQ(a.ubound(1), 2);
    EXPECT_EQ(a.ubound(2), 2);
    for (int k = 0; k <= 2; ++k) {
        EXPECT_TRUE(a.at(0, k).isEmpty());
        EXPECT_TRUE(a.at(k, 0).isEmpty());
    }
    EXPECT_NEAR(a.at(1, 2).number(), -0.7, 1e-15);
    EXPECT_TRUE(in.array().at(1, 1) == Variant(4.0)); // the argument is left alone
}

TEST_F(InvertTest, AgreesBitForBitWithThePlainLoops) {
    std::mt19937_64 rng(7);
    for (int n : {1, 2, 3, 5, 8, 17, 40, 73}) {
        for (bool ties : {false, true}) {
            Rows m = randomRows(n, rng, ties);
            Reference ref = referenceInvert(m);
            dialogs.clear();
            Variant inv = engine.Invert(matrix(m));
            if (!ref.outcome.empty()) {
                EXPECT_TRUE(inv.isEmpty());
                ASSERT_EQ(dialogs.boxes.size(), 1u);
                EXPECT_EQ(dialogs.boxes[0].prompt, ref.outcome);
                continue;
            }
            ASSERT_TRUE(inv.isArray()) << n;
            Rows got = rowsOf(inv);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    ASSERT_TRUE(sameBits(got[r][c], ref.inverse[r][c]))
                        << "n " << n << " ties " << ties << " at " << r << "," << c;
        }
    }
}

TEST(GaussJordanTest, TwoThreadsGiveTheSameBits) {
    std::mt19937_64 rng(11);
    for (int n : {9, 101, 300}) {
        for (bool ties : {false, true}) {
            Rows m = randomRows(n, rng, ties);
            Reference ref = referenceInvert(m);
            GaussJordan gj(n);
            gj.setThreads(2, 0);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) gj.matrix()(r, c) = m[r][c];
            GaussJordan::Outcome outcome = gj.run();
            if (!ref.outcome.empty()) {
                EXPECT_NE(outcome, GaussJordan::Outcome::Inverted);
                continue;
            }
            ASSERT_EQ(outcome, GaussJordan::Outcome::Inverted);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c)
                    ASSERT_TRUE(sameBits(gj.result(r, c), ref.inverse[r][c])) << n;
        }
    }
}

TEST_F(InvertTest, InverseTimesInputIsTheIdentity) {
    std::mt19937_64 rng(3);
    for (int n : {4, 30, 120, 200}) {
        Rows m = randomRows(n, rng, false);
        for (int k = 0; k < n; ++k) m[k][k] += 2.0; // diagonally heavy: well conditioned
        Rows inv = rowsOf(engine.Invert(matrix(m)));
        double worst = 0;
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c) {
                double s = 0;
                for (int k = 0; k < n; ++k) s += inv[r][k] * m[k][c];
                worst = std::max(worst, std::fabs(s - (r == c ? 1.0 : 0.0)));
            }
        EXPECT_LT(worst, 1e-12) << n;
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
} // namespace velmor
