#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ui/adapters/engine_adapter.h"
#include "engine/gauss_jordan.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/values.h"

namespace velmor {
namespace {

const char* const kDivision = "Division by zero. The matrix is singular.";
const char* const kNotSquare =
    "The number of rows of the matrix does not equal the number of columns.";
const double kNaN = std::nan("");

using Rows = std::vector<std::vector<double>>;
using test::matrixOf;

bool sameBits(double x, double y) {
    return std::memcmp(&x, &y, sizeof x) == 0;
}

// The textbook loops for finite input: the box they end with ("" when inverted), the inverse.
std::pair<std::string, Rows> referenceInvert(Rows a) {
    const int n = static_cast<int>(a.size());
    std::vector<int> used(n);
    std::vector<std::pair<int, int>> pivots; // row and column of each pass
    int irow = 0, icol = 0;
    for (int i = 0; i < n; ++i) {
        double big = 0;
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < n && used[j] != 1; ++k)
                if (used[k] == 0 && std::fabs(a[j][k]) >= big)
                    big = std::fabs(a[j][k]), irow = j, icol = k;
        ++used[icol];
        if (irow != icol) std::swap(a[irow], a[icol]);
        pivots.emplace_back(irow, icol);
        if (std::fabs(a[icol][icol]) < 1E-13) return {kDivision, {}};
        const double pivinv = 1.0 / a[icol][icol];
        a[icol][icol] = 1.0;
        for (double& x : a[icol]) x *= pivinv;
        for (int r = 0; r < n; ++r)
            if (r != icol) {
                const double dum = a[r][icol];
                a[r][icol] = 0.0;
                for (int l = 0; l < n; ++l) a[r][l] = a[r][l] - a[icol][l] * dum;
            }
    }
    for (auto p = pivots.rbegin(); p != pivots.rend(); ++p)
        for (auto& row : a) std::swap(row[p->first], row[p->second]);
    return {"", a};
}

class InvertTest : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    NumberFormat format{"."};
    EngineAdapter engine{dialogs, format};
};

TEST_F(InvertTest, WorkedInverses) {
    const Variant grid = matrixOf({{"4", "7"}, {"2", " 6.0 "}}, 0); // texts, lower bounds 0
    const Variant inv = engine.Invert(grid);
    const Array& a = inv.array();
    EXPECT_EQ((std::vector{a.lbound(1), a.lbound(2), a.ubound(1), a.ubound(2)}),
              (std::vector{0, 0, 2, 2}));
    for (int k = 0; k <= 2; ++k) EXPECT_TRUE(a.at(0, k).isEmpty() && a.at(k, 0).isEmpty());
    const double expected[] = {0.6, -0.7, -0.2, 0.4};
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(a.at(k / 2 + 1, k % 2 + 1).number(), expected[k], 1e-15);
    EXPECT_TRUE(grid.array().at(1, 1) == Variant("4")); // the argument is left alone
    // A row swap brings a non-zero pivot onto the diagonal.
    EXPECT_TRUE(engine.Invert(matrixOf({{0, 1}, {1, 0}})) == matrixOf({{0, 1}, {1, 0}}));
    // Magnitude 3 at (1,2) and (3,3): the scan takes the last, (3,3). Pivoting on (1,2) rounds
    // every element differently (0.39999999999999986 for the first, -1.39E-17 for (2,3)).
    EXPECT_TRUE(engine.Invert(matrixOf({{-2, -3, -1}, {-2, -1, -1}, {1, -1, 3}})) ==
                matrixOf({{0.39999999999999997, -1, -0.20000000000000001},
                          {-0.5, 0.5, 1.3877787807814457e-17},
                          {-0.29999999999999999, 0.5, 0.40000000000000002}}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(InvertTest, FailuresShowOneBoxAndReturnNothing) {
    const std::string mismatch = "Error No. 13; A text that is not a number was used as one",
                      app = "Velmor", overflow = "Error No. 6; The number is too large",
                      invert = "CVelmor class module - Invert";
    const std::tuple<Variant, std::string, MsgIcon, std::string> cases[] = {
        {matrixOf({{1, 2}, {2, 4}}), kDivision, MsgIcon::Critical, app},
        {matrixOf({{1e-14, 0}, {0, 1e-14}}), kDivision, MsgIcon::Critical, app}, // absolute
        {matrixOf({{0, 0}, {0, 0}}), kDivision, MsgIcon::Critical, app},
        // Only NaNs left in the second pass: its pivot column repeats, the third pass says so.
        {matrixOf({{1, kNaN, kNaN}, {kNaN, kNaN, kNaN}, {kNaN, kNaN, kNaN}}),
         "The matrix is singular.", MsgIcon::Critical, app},
        {matrixOf({{1, 2, 3}, {4, 5, 6}}), kNotSquare, MsgIcon::None, app},
        {matrixOf({{1, 0, 0}, {0, 0, 1}, {0, "1,5", 0}}), mismatch, MsgIcon::Exclamation, invert},
        {Variant(3.0), mismatch, MsgIcon::Exclamation, invert},
        // No pivot at all in the first pass: the use count of column 0 is outside the list.
        {matrixOf({{kNaN, kNaN}, {kNaN, kNaN}}),
         "Error No. 9; A row or column outside the matrix was used", MsgIcon::Exclamation, invert},
        // An elimination step beyond the double range: the zeros or NaNs it leaves are no
        // inverse (the exact ones are finite).
        {matrixOf({{1e308, 1e308}, {-1e308, 1e308}}), overflow, MsgIcon::Exclamation, invert},
        {matrixOf({{1e308, 1e308, 1e308}, {-1e308, 1e308, 1e308}, {-1e308, -1e308, 1e308}}),
         overflow, MsgIcon::Exclamation, invert},
    };
    for (const auto& [input, prompt, icon, title] : cases) {
        SCOPED_TRACE(prompt);
        dialogs.clear();
        EXPECT_TRUE(engine.Invert(input).isEmpty());
        EXPECT_EQ(test::boxes(dialogs), (test::Boxes{{prompt, MsgButtons::OK, icon, title}}));
    }
}

TEST_F(InvertTest, AgreesBitForBitWithThePlainLoopsAndInverts) {
    // Small integers tie everywhere; two threads are forced on (by default from order 600).
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    for (int n : {1, 2, 3, 5, 8, 17, 40, 101, 300})
        for (bool ties : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "order " << n << " ties " << ties);
            Rows m(n, std::vector<double>(n));
            GaussJordan gj(n);
            gj.setThreads(2, 0);
            Variant in = Array::matrix(n, n);
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) {
                    m[r][c] = ties ? std::round(3 * real(rng)) : real(rng);
                    in.array().at(r + 1, c + 1) = gj.matrix()(r, c) = m[r][c];
                }
            const auto [box, want] = referenceInvert(m);
            const bool inverted = gj.run() == GaussJordan::Outcome::Inverted;
            dialogs.clear();
            const Variant inv = engine.Invert(in);
            EXPECT_EQ(dialogs.boxes.empty() ? "" : dialogs.boxes[0].prompt, box);
            ASSERT_EQ(inverted && inv.isArray(), box.empty());
            if (!inverted) continue;
            const Array& got = inv.array();
            double worst = 0; // of inverse times input minus the identity
            for (int r = 0; r < n; ++r)
                for (int c = 0; c < n; ++c) {
                    ASSERT_TRUE(sameBits(got.at(r + 1, c + 1).number(), want[r][c]))
                        << r << "," << c;
                    ASSERT_TRUE(sameBits(gj.result(r, c), want[r][c])) << r << "," << c;
                    double s = r == c ? -1.0 : 0.0;
                    for (int k = 0; k < n; ++k) s += want[r][k] * m[k][c];
                    worst = std::max(worst, std::fabs(s));
                }
            EXPECT_LT(ties ? 0 : worst, 1e-9); // small integers can be ill-conditioned
        }
}

} // namespace
} // namespace velmor
