#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/values.h"
#include "ui/adapters/engine_adapter.h"
#include "tests/support/scripted_dialogs.h"

namespace velmor {
using velmor::test::matrix;

namespace {

Variant ones(int rows, int cols) {
    return matrix(rows, cols, std::vector<Variant>(rows * cols, 1));
}

Variant with(Variant m, int i, int j, Variant element) {
    m.array().at(i, j) = std::move(element);
    return m;
}

class Engine : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine{dialogs, format};

    // The result, with both loops left one past their bounds.
    void expectResult(const Variant& got, const Variant& expected) {
        EXPECT_EQ(got, expected);
        EXPECT_EQ(engine.position().row, rowCount(expected) + 1);
        EXPECT_EQ(engine.position().column, columnCount(expected) + 1);
    }

    void expectError(std::size_t k, const std::string& prompt, const std::string& method) {
        ASSERT_LT(k, dialogs.boxes.size());
        const test::Box& b = dialogs.boxes[k];
        EXPECT_EQ(std::tuple(b.prompt, b.title, b.buttons, b.icon),
                  std::tuple(prompt, "CVelmor class module - " + method, MsgButtons::OK,
                             MsgIcon::Exclamation));
    }
};

TEST_F(Engine, UnequalShapesShowTheShapeMessageOnly) {
    EXPECT_TRUE(engine.Add(ones(2, 3), ones(3, 2)).isEmpty());
    EXPECT_TRUE(engine.Subtract(ones(2, 3), ones(2, 2)).isEmpty());
    EXPECT_EQ(
        test::boxes(dialogs),
        test::Boxes(2, {"The number of rows and/or columns of the two matrices are not equal.",
                        MsgButtons::OK, MsgIcon::None, "Velmor"}));
}

TEST_F(Engine, ResultsAreNumberMatricesWithLowerBoundOne) {
    const Variant grid = matrix(2, 2, {"1", Variant(), "-3", "4e1"}, 0); // empty counts as 0
    const Variant file = matrix(2, 2, {0.5, 2, "3", Variant()});
    expectResult(engine.Add(grid, file), matrix(2, 2, {1.5, 2, 0, 40}));
    expectResult(engine.Subtract(matrix(1, 2, {"5", 1}), matrix(1, 2, {"7.5", -1})),
                 matrix(1, 2, {-2.5, 2}));
    expectResult(engine.Multiply(matrix(2, 3, {"1", "2", "3", 4, 5, 6}),
                                 matrix(3, 2, {7, 8, 9, 10, 11, 12}, 0)),
                 matrix(2, 2, {58, 64, 139, 154}));
    // Rows of the second operand beyond the inner dimension are never read.
    expectResult(engine.Multiply(matrix(1, 2, {1, 2}), matrix(3, 1, {5, 7, "junk"})),
                 matrix(1, 1, {19}));
    expectResult(engine.Multiply(Variant(Array::matrix(2, 0, 0)), ones(0, 3)),
                 matrix(2, 3, {0, 0, 0, 0, 0, 0}));
    expectResult(engine.ScaleMultiply(0, grid), matrix(2, 2, {0, 0, 0, 0}));
    expectResult(engine.ScaleMultiply(-1.5, matrix(1, 2, {"2", 4})), matrix(1, 2, {-3, -6}));
    // Transpose alone copies elements unchanged; its loops run over the input.
    EXPECT_EQ(engine.Transpose(matrix(2, 3, {"a", "1", "-2.5", 4, Variant(), "x"}, 0)),
              matrix(3, 2, {"a", 4, "1", Variant(), "-2.5", "x"}));
    EXPECT_EQ(engine.position().row, 3);
    EXPECT_EQ(engine.position().column, 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Engine, ErrorBoxesLocateTheFirstFailingElementInLoopOrder) {
    const Variant second = matrix(2, 3, {1, 1e308, 1, 1, 1, 1});
    auto add = [&](std::vector<Variant> e) { return engine.Add(matrix(2, 3, e), second); };
    // Run one after another; each leaves one box.
    const struct {
        Variant result;
        const char* method;
        const char* prompt;
    } cases[] = {
        {add({1, 2, 3, 4, 5, "abc"}), "Add",
         "Error No. 13; Row-2 Column-3; A text that is not a number was used as one"},
        {add({1, 2, "x", "y", 5, 6}), "Add",
         "Error No. 13; Row-1 Column-3; A text that is not a number was used as one"},
        {add({1, 1.7e308, 3, 4, 5, 6}), "Add",
         "Error No. 6; Row-1 Column-2; The number is too large"},
        {add({1, 2, 3, "1e999", 5, 6}), "Add",
         "Error No. 6; Row-2 Column-1; The number is too large"},
        {engine.Subtract(matrix(1, 2, {1, -1.7e308}), matrix(1, 2, {1, 1e308})), "Subtract",
         "Error No. 6; Row-1 Column-2; The number is too large"},
        {engine.ScaleMultiply(1e300, matrix(2, 1, {"1", "1e10"})), "ScaleMultiply",
         "Error No. 6; Row-2 Column-1; The number is too large"},
        {engine.GetMinMaxArray(matrix(1, 2, {1, Variant(Array::matrix(1, 1))})), "GetMinMaxArray",
         "Error No. 13; Row-1 Column-2; A text that is not a number was used as one"},
        // A bound of 32,767 overflows the 16-bit index stepping past it.
        {engine.Transpose(ones(32767, 1)), "Transpose",
         "Error No. 6; Row-32767 Column-2; The number is too large"},
        {engine.ScaleMultiply(2, ones(1, 32767)), "ScaleMultiply",
         "Error No. 6; Row-1 Column-32767; The number is too large"},
        // An error before the loops reports the position the last operation left.
        {engine.Subtract("not a matrix", ones(2, 3)), "Subtract",
         "Error No. 13; Row-1 Column-32767; A text that is not a number was used as one"},
        {engine.Transpose(7), "Transpose",
         "Error No. 13; Row-1 Column-32767; A text that is not a number was used as one"},
        {engine.GetMinMaxArray(Variant(Array::matrix(0, 2, 0))), "GetMinMaxArray",
         "Error No. 9; Row-1 Column-32767; A row or column outside the matrix was used"},
    };
    ASSERT_EQ(dialogs.boxes.size(), std::size(cases));
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        EXPECT_TRUE(cases[k].result.isEmpty()) << k;
        expectError(k, cases[k].prompt, cases[k].method);
    }
}

// The prompt names the column only; the row is kept for later prompts.
TEST_F(Engine, MultiplyErrorsStopAtTheFirstFailingElement) {
    Variant p = with(ones(40, 30), 25, 4, "bad"), q = ones(30, 50);
    const struct {
        Variant pre, post;
        const char* prompt;
        int row;
    } cases[] = {
        // A bad element fails its row from column 1 (first operand) or column from row 1 (second).
        {p, q, "Error No. 13 Column-1; A text that is not a number was used as one", 25},
        {p, with(q, 17, 33, "bad"),
         "Error No. 13 Column-33; A text that is not a number was used as one", 1},
        {with(with(p, 25, 4, 1), 31, 2, 1e300), with(q, 2, 48, 1e300),
         "Error No. 6 Column-48; The number is too large", 31},
        // A missing row of the second operand fails before any element converts.
        {ones(2, 3), ones(2, 2),
         "Error No. 9 Column-1; A row or column outside the matrix was used", 1},
        {matrix(1, 3, {1, 2, "x"}), matrix(2, 1, {1, 1}),
         "Error No. 9 Column-1; A row or column outside the matrix was used", 1},
        // An overflow at an earlier k, or in an earlier element, wins over a later bad text.
        {matrix(1, 2, {1e200, "x"}), matrix(2, 1, {1e200, 1}),
         "Error No. 6 Column-1; The number is too large", 1},
        {matrix(2, 2, {1, 1e300, "x", 1}), matrix(2, 2, {1, 1, 1, 1e10}),
         "Error No. 6 Column-2; The number is too large", 1},
        {matrix(1, 1, {2}), ones(1, 32767), "Error No. 6 Column-32767; The number is too large", 1},
        // Large enough for the operands to be read on two threads.
        {with(ones(200, 200), 150, 4, "bad"), ones(200, 200),
         "Error No. 13 Column-1; A text that is not a number was used as one", 150},
        {ones(200, 200), with(ones(200, 200), 17, 33, "bad"),
         "Error No. 13 Column-33; A text that is not a number was used as one", 1},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(engine.Multiply(c.pre, c.post).isEmpty());
        expectError(0, c.prompt, "Multiply");
        EXPECT_EQ(engine.position().row, c.row);
        dialogs.clear();
    }
}

// A product large enough to share its reading, kernel and result with a second thread sums
// every element as the plain loop does.
TEST_F(Engine, LargeProductsGiveThePlainLoopsSums) {
    const int m = 200, k = 190, n = 170;
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<double> a(m * k), b(k * n);
    for (double& x : a) x = u(rng);
    for (double& x : b) x = u(rng);
    Variant pre = Array::matrix(m, k), post = Array::matrix(k, n), want = Array::matrix(m, n);
    for (int i = 0; i < m; ++i)
        for (int p = 0; p < k; ++p) pre.array().at(i + 1, p + 1) = a[i * k + p];
    pre.array().at(3, 5) = "0.25"; // numbers as text read the same
    a[2 * k + 4] = 0.25;
    for (int p = 0; p < k; ++p)
        for (int j = 0; j < n; ++j) post.array().at(p + 1, j + 1) = b[p * n + j];
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < n; ++j) {
            double sum = 0;
            for (int p = 0; p < k; ++p) sum = sum + a[i * k + p] * b[p * n + j];
            want.array().at(i + 1, j + 1) = sum;
        }
    expectResult(engine.Multiply(pre, post), want);
}

TEST_F(Engine, TraceSumsTheDiagonalAndGivesZeroOnFailure) {
    EXPECT_EQ(engine.GetTrace(matrix(3, 3, {1, 9, 9, 9, "2", 9, 9, 9, 3}, 0)), 6);
    EXPECT_EQ(engine.position().row, 4);
    EXPECT_EQ(engine.GetTrace(ones(3, 2)), 0);
    EXPECT_EQ(engine.GetTrace(matrix(2, 2, {1.7e308, 0, 0, 1.7e308})), 0);
    ASSERT_EQ(dialogs.boxes.size(), 2u); // the prompts have no location part
    expectError(0, "Error No. 9; A row or column outside the matrix was used", "GetTrace");
    expectError(1, "Error No. 6; The number is too large", "GetTrace");
}

// Texts that read as numbers compare by value: character by character "10" < "9", which would
// give plainly wrong extremes.
TEST_F(Engine, MinMaxComparesNumericTextsByValue) {
    const struct {
        Variant m, min, max;
    } cases[] = {
        {matrix(1, 1, {"7"}), "7", "7"},
        {matrix(2, 3, {3, 8, -1, 8, 0, -0.5}), -1, 8},
        {matrix(1, 3, {"9", "10", "-1"}), "-1", "10"},
        {matrix(2, 2, {"-2", "-10", "1e3", "999"}, 0), "-10", "1e3"},
        {matrix(1, 4, {"5", "5.0", "2", "2.00"}), "2", "5"}, // ties keep the first found
        {matrix(1, 3, {"10", "abc", "-1"}), "-1", "abc"},    // a non-number compares as text
    };
    for (const auto& c : cases) {
        Variant r = engine.GetMinMaxArray(c.m);
        ASSERT_TRUE(r.isArray());
        EXPECT_EQ(r.array().at(0), c.min);
        EXPECT_EQ(r.array().at(1), c.max);
    }
    // Numbers before texts that are not numbers, in every order of a mixed row ("10 9 1a"
    // used to give 9 and 1a, "10 1a 9" 10 and 9).
    const std::vector<Variant> elements{"10", "9", "1a", "b", 2.5};
    std::vector<int> order{0, 1, 2, 3, 4};
    do {
        std::vector<Variant> row;
        for (int k : order) row.push_back(elements[k]);
        Variant r = engine.GetMinMaxArray(matrix(1, 5, row));
        EXPECT_EQ(r.array().at(0), Variant(2.5));
        EXPECT_EQ(r.array().at(1), Variant("b"));
    } while (std::next_permutation(order.begin(), order.end()));
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
} // namespace velmor
