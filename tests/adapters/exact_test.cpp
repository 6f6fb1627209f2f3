#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "ui/adapters/engine_adapter.h"
#include "engine/exact_fractions.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/values.h"

namespace velmor {
namespace {

using exact::Operation;
using test::errorOf;
using test::fromTexts;
using test::Texts;
using test::textsOf;

std::string toString(__int128 v) {
    if (v < 0) return "-" + toString(-v);
    return v < 10 ? std::string(1, static_cast<char>('0' + v))
                  : toString(v / 10) + static_cast<char>('0' + v % 10);
}

__int128 binomial(int n, int k) {
    __int128 b = 1;
    for (int i = 1; i <= k; ++i) b = b * (n - k + i) / i;
    return b;
}

// An order-n integer matrix in -9..9 whose last row is the sum of the first two.
Texts singular(int n, std::mt19937_64& rng) {
    std::uniform_int_distribution<int> digit(-9, 9);
    Texts m(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(n)));
    std::vector<std::vector<int>> v(m.size(), std::vector<int>(m.size()));
    for (std::size_t i = 0; i < m.size(); ++i)
        for (std::size_t j = 0; j < m.size(); ++j) {
            v[i][j] = i + 1 == m.size() ? v[0][j] + v[1][j] : digit(rng);
            m[i][j] = std::to_string(v[i][j]);
        }
    return m;
}

class Exact : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    NumberFormat format{"."};
    EngineAdapter engine{dialogs, format};
};

TEST_F(Exact, TextsReadAsExactRationalsByTheDecimalRules) {
    // A 1 x 1 determinant shows how a text reads exactly; the decimal reader must agree.
    const std::pair<std::string, std::string> numbers[] = {
        {"0.5", "1/2"},
        {"-7/12", "-7/12"},
        {"7/-12", "-7/12"},
        {"-6/-4", "3/2"},
        {" 1 / 3 ", "1/3"},
        {"1.25E2", "125"},
        {"-1e-3", "-1/1000"},
        {"+.5", "1/2"},
        {"0/5", "0"},
        {"0.333333333333333", "333333333333333/1000000000000000"},
        {"1E+400", "1" + std::string(400, '0')}, // beyond doubles, still a rational
    };
    for (const auto& [text, fraction] : numbers) {
        EXPECT_EQ(exact::determinantFraction(fromTexts({{text}}), format), fraction) << text;
        double x = 0;
        EXPECT_EQ(format.tryToNumber(text, x), text != "1E+400") << text;
    }
    EXPECT_EQ(exact::determinantFraction(test::matrix(1, 1, {0.1}), format),
              "3602879701896397/36028797018963968"); // a double is its binary value
    for (const char* text : {"1/0", "0/0", "1/2.5", "1//2", "/3", "1/", "1/3/4", "1 2/3", "abc"}) {
        EXPECT_EQ(errorOf([&] { exact::determinantFraction(fromTexts({{text}}), format); }),
                  err::TypeMismatch)
            << text;
    }
}

TEST_F(Exact, HilbertInversesMatchTheClosedForm) {
    for (int n = 3; n <= 12; ++n) {
        Texts h(n, std::vector<std::string>(n)), expected = h;
        for (int i = 1; i <= n; ++i)
            for (int j = 1; j <= n; ++j) {
                h[i - 1][j - 1] = "1/" + std::to_string(i + j - 1);
                const __int128 c = binomial(i + j - 2, i - 1);
                const __int128 v =
                    (i + j - 1) * binomial(n + i - 1, n - j) * binomial(n + j - 1, n - i) * c * c;
                expected[i - 1][j - 1] = toString((i + j) % 2 ? -v : v);
            }
        const auto r = exact::fractions(Operation::Invert, fromTexts(h), nullptr, "", format);
        EXPECT_EQ(textsOf(r.matrix), expected) << n;
    }
}

TEST_F(Exact, SingularIntegerMatricesHaveDeterminantZeroAtEveryOrder) {
    std::mt19937_64 rng(16);
    for (int n : {14, 30, 200})
        EXPECT_EQ(engine.GetDeterminant(fromTexts(singular(n, rng))), 0) << n;
    // At rank n - 1 the adjoint is not 0, and adj(A) A is exactly 0.
    const Variant a = fromTexts(singular(30, rng));
    const auto adj = exact::fractions(Operation::Adjoint, a, nullptr, "", format);
    EXPECT_NE(adj.minimum, adj.maximum);
    const auto zero = exact::fractions(Operation::Multiply, adj.matrix, &a, "", format);
    EXPECT_EQ(std::tie(zero.minimum, zero.maximum), std::tuple("0", "0"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Exact, DeterminantIsRoundedOnceOrOverflows) {
    // Diagonal 1E+200, 1E-200, ...: every partial product but the last is far off the result.
    Texts swing(13, std::vector<std::string>(13, "0"));
    for (int k = 0; k < 13; ++k) swing[k][k] = k % 2 ? "1E-200" : "1E+200";
    swing[12][12] = "3/7";
    EXPECT_EQ(engine.GetDeterminant(fromTexts(swing)), 3.0 / 7.0);
    std::mt19937_64 rng(5);
    Texts big = singular(200, rng);
    big[199][0] = "1000"; // now regular, |det| about 1E+330
    EXPECT_EQ(engine.GetDeterminant(fromTexts(big)), 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Error No. 6; The number is too large");
}

TEST_F(Exact, OperationsInFractions) {
    const Variant a = fromTexts({{"1/2", "-1/3"}, {"0.25", "2"}}),
                  b = fromTexts({{"-7/12", "1"}, {"3", "1/6"}});
    const std::tuple<Operation, const Variant*, std::string, Texts> cases[] = {
        {Operation::Add, &b, "", {{"-1/12", "2/3"}, {"13/4", "13/6"}}},
        {Operation::Subtract, &b, "", {{"13/12", "-4/3"}, {"-11/4", "11/6"}}},
        {Operation::Multiply, &b, "", {{"-31/24", "4/9"}, {"281/48", "7/12"}}},
        {Operation::Scale, nullptr, "-3/2", {{"-3/4", "1/2"}, {"-3/8", "-3"}}},
        {Operation::Transpose, nullptr, "", {{"1/2", "1/4"}, {"-1/3", "2"}}},
        {Operation::Invert, nullptr, "", {{"24/13", "4/13"}, {"-3/13", "6/13"}}},
        {Operation::Adjoint, nullptr, "", {{"2", "1/3"}, {"-1/4", "1/2"}}},
    };
    for (const auto& [op, second, scalar, expected] : cases) {
        const auto r = exact::fractions(op, a, second, scalar, format);
        EXPECT_EQ(textsOf(r.matrix), expected) << static_cast<int>(op);
    }
    const auto m = exact::fractions(Operation::Add, a, &b, "", format);
    EXPECT_EQ(std::tie(m.minimum, m.maximum), std::tuple("-1/12", "13/4"));
    EXPECT_EQ(exact::traceFraction(a, format), "5/2");
    const auto s = exact::fractions(Operation::Invert, fromTexts({{"1/3", "1"}, {"1", "3"}}),
                                    nullptr, "", format);
    EXPECT_TRUE(s.singular && s.matrix.isEmpty());
}

} // namespace
} // namespace velmor
