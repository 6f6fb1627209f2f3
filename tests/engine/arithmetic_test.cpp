#include <cmath>
#include <cstring>
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

// A matrix of the given elements, row by row; lower bound 1, or 0 as a grid gives it.
Variant matrix(int rows, int cols, const std::vector<Variant>& elements, int lower = 1) {
    Array a = Array::matrix(rows, cols, lower);
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) a.at(i, j) = elements.at(k++);
    return Variant(std::move(a));
}

// rows x cols numbers i * 10 + j, with optional replacements.
Variant counting(int rows, int cols) {
    std::vector<Variant> e;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) e.emplace_back(i * 10.0 + j);
    return matrix(rows, cols, e);
}

Variant& at(Variant& m, int i, int j) {
    return m.array().at(i, j);
}
double num(const Variant& m, int i, int j) {
    return m.array().at(i, j).number();
}

class Engine : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    NumberFormat format;
    CVelmor engine{dialogs, format};

    // Exactly one box, the engine's error box with this prompt for this method.
    void expectError(const std::string& prompt, const std::string& method) {
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        const Box& box = dialogs.boxes[0];
        EXPECT_EQ(box.prompt, prompt);
        EXPECT_EQ(box.title, "CVelmor class module - " + method);
        EXPECT_EQ(box.buttons, MsgButtons::OK);
        EXPECT_EQ(box.icon, MsgIcon::Exclamation);
        dialogs.clear();
    }

    void expectPosition(int row, int column) {
        EXPECT_EQ(engine.mintRow, row);
        EXPECT_EQ(engine.mintColumn, column);
    }
};

// ---- Add and Subtract

TEST_F(Engine, AddOfUnequalShapesShowsTheShapeMessageOnly) {
    Variant r = engine.Add(counting(2, 3), counting(3, 2));
    EXPECT_TRUE(r.isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    const Box& box = dialogs.boxes[0];
    EXPECT_EQ(box.prompt, "The number of rows and/or columns of the two matrices are not equal.");
    EXPECT_EQ(box.title, "Velmor");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::None);
    dialogs.clear();
    EXPECT_TRUE(engine.Subtract(counting(2, 3), counting(2, 2)).isEmpty());
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(Engine, AddConvertsTextsAndMixesLowerBounds) {
    Variant r = engine.Add(matrix(1, 1, {"1.5"}), matrix(1, 1, {"2"}));
    ASSERT_TRUE(r.isArray());
    EXPECT_TRUE(r.array().at(1, 1).isNumber());
    EXPECT_EQ(num(r, 1, 1), 3.5);

    Variant fromGrid = matrix(2, 2, {"1", Variant(), "-3", "4e1"}, 0);
    Variant fromFile = matrix(2, 2, {0.5, 2.0, "3", Variant()});
    r = engine.Add(fromGrid, fromFile);
    EXPECT_EQ(r.array().lbound(1), 1);
    EXPECT_EQ(r.array().lbound(2), 1);
    EXPECT_EQ(num(r, 1, 1), 1.5);
    EXPECT_EQ(num(r, 1, 2), 2); // an empty element counts as 0
    EXPECT_EQ(num(r, 2, 1), 0);
    EXPECT_EQ(num(r, 2, 2), 40);
    expectPosition(3, 3);
    EXPECT_TRUE(dialogs.boxes.empty());

    r = engine.Subtract(matrix(1, 2, {"5", 1.0}), matrix(1, 2, {"7.5", -1.0}));
    EXPECT_EQ(num(r, 1, 1), -2.5);
    EXPECT_EQ(num(r, 1, 2), 2);
}

TEST_F(Engine, AddReportsTheExactElementThatFails) {
    const struct {
        std::vector<Variant> first;
        std::string prompt;
    } cases[] = {
        {{1.0, 2.0, 3.0, 4.0, 5.0, "abc"}, "Error No. 13; Row-2 Column-3; Type mismatch"},
        {{1.0, "1,5", 3.0, 4.0, "x", 6.0}, "Error No. 13; Row-1 Column-2; Type mismatch"},
        {{1.0, 2.0, 3.0, "", 5.0, 6.0}, "Error No. 13; Row-2 Column-1; Type mismatch"},
        {{1.0, 1.7e308, 3.0, 4.0, 5.0, 6.0}, "Error No. 6; Row-1 Column-2; Overflow"},
        {{1.0, 2.0, 3.0, "1e999", 5.0, 6.0}, "Error No. 6; Row-2 Column-1; Overflow"},
        {{1.0, 2.0, Variant(Array::matrix(1, 1)), 4.0, 5.0, 6.0},
         "Error No. 13; Row-1 Column-3; Type mismatch"},
    };
    Variant second = matrix(2, 3, {1.0, 1e308, 1.0, 1.0, 1.0, 1.0});
    for (const auto& c : cases) {
        EXPECT_TRUE(engine.Add(matrix(2, 3, c.first), second).isEmpty());
        expectError(c.prompt, "Add");
    }
    EXPECT_TRUE(
        engine.Subtract(matrix(1, 2, {1.0, -1.7e308}), matrix(1, 2, {1.0, 1e308})).isEmpty());
    expectError("Error No. 6; Row-1 Column-2; Overflow", "Subtract");
}

TEST_F(Engine, FailureInALargeOperandIsFoundInLoopOrder) {
    Variant a = counting(60, 50), b = counting(60, 50);
    at(a, 41, 7) = Variant("bad");
    at(b, 37, 45) = Variant(1.7e308);
    at(a, 37, 45) = Variant(1.7e308);
    at(b, 52, 2) = Variant("bad");
    EXPECT_TRUE(engine.Add(a, b).isEmpty());
    expectError("Error No. 6; Row-37 Column-45; Overflow", "Add");
    at(a, 37, 45) = Variant(1.0);
    EXPECT_TRUE(engine.Add(a, b).isEmpty());
    expectError("Error No. 13; Row-41 Column-7; Type mismatch", "Add");
}

TEST_F(Engine, AnErrorBeforeTheLoopsReportsThePreviousPosition) {
    ASSERT_TRUE(engine.Add(counting(2, 3), counting(2, 3)).isArray());
    expectPosition(3, 4);
    EXPECT_TRUE(engine.Subtract(Variant("not a matrix"), counting(2, 3)).isEmpty());
    expectError("Error No. 13; Row-3 Column-4; Type mismatch", "Subtract");
}

// ---- Multiply

TEST_F(Engine, MultiplyShapesAndValues) {
    Variant a = matrix(2, 3, {"1", "2", "3", 4.0, 5.0, 6.0});
    Variant b = matrix(3, 2, {7.0, 8.0, 9.0, 10.0, 11.0, 12.0}, 0);
    Variant r = engine.Multiply(a, b);
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(r.array().ubound(1), 2);
    EXPECT_EQ(r.array().ubound(2), 2);
    EXPECT_EQ(r.array().lbound(1), 1);
    EXPECT_EQ(num(r, 1, 1), 58);
    EXPECT_EQ(num(r, 1, 2), 64);
    EXPECT_EQ(num(r, 2, 1), 139);
    EXPECT_EQ(num(r, 2, 2), 154);
    expectPosition(3, 3);

    r = engine.Multiply(matrix(1, 3, {1.0, 2.0, 3.0}), matrix(3, 1, {4.0, 5.0, 6.0}));
    EXPECT_EQ(r.array().ubound(1), 1);
    EXPECT_EQ(r.array().ubound(2), 1);
    EXPECT_EQ(num(r, 1, 1), 32);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Engine, MultiplyReadsOnlyTheRowsItNeeds) {
    // The third row of the second matrix is never read, even though it is not a number.
    Variant r = engine.Multiply(matrix(2, 2, {1.0, 2.0, 3.0, 4.0}),
                                matrix(3, 2, {5.0, 6.0, 7.0, 8.0, "junk", "junk"}));
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(num(r, 1, 1), 19);
    EXPECT_EQ(num(r, 2, 2), 50);

    // Too few rows: error 9 at the first element.
    EXPECT_TRUE(engine.Multiply(counting(2, 3), counting(2, 2)).isEmpty());
    expectError("Error No. 9 Column-1; Subscript out of range", "Multiply");
    expectPosition(1, 1);
}

TEST_F(Engine, MultiplyReportsTheFirstFailingElementInLoopOrder) {
    // A bad element of the first operand fails its whole row from column 1.
    Variant a = counting(2, 3);
    at(a, 2, 3) = Variant("x");
    EXPECT_TRUE(engine.Multiply(a, counting(3, 4)).isEmpty());
    expectError("Error No. 13 Column-1; Type mismatch", "Multiply");
    expectPosition(2, 1);

    // One of the second fails its column from row 1.
    Variant b = counting(3, 4);
    at(b, 2, 3) = Variant("x");
    EXPECT_TRUE(engine.Multiply(a, b).isEmpty());
    expectError("Error No. 13 Column-3; Type mismatch", "Multiply");
    expectPosition(1, 3);

    // Both elements are fetched before either converts: the missing row comes first.
    EXPECT_TRUE(engine.Multiply(matrix(1, 3, {1.0, 2.0, "x"}), matrix(2, 1, {1.0, 1.0})).isEmpty());
    expectError("Error No. 9 Column-1; Subscript out of range", "Multiply");

    // An overflow at an earlier k of the same element wins over a later bad text.
    EXPECT_TRUE(engine.Multiply(matrix(1, 2, {1e200, "x"}), matrix(2, 1, {1e200, 1.0})).isEmpty());
    expectError("Error No. 6 Column-1; Overflow", "Multiply");

    // An overflow in an earlier element wins over a bad text in a later row.
    Variant c = matrix(2, 2, {1.0, 1e300, "x", 1.0});
    EXPECT_TRUE(engine.Multiply(c, matrix(2, 2, {1.0, 1.0, 1.0, 1e10})).isEmpty());
    expectError("Error No. 6 Column-2; Overflow", "Multiply");
    expectPosition(1, 2);
}

TEST_F(Engine, MultiplyFindsTheFailureInLargeOperands) {
    Variant a = counting(40, 30), b = counting(30, 50);
    at(a, 25, 4) = Variant("bad");
    at(b, 17, 33) = Variant("bad");
    EXPECT_TRUE(engine.Multiply(a, b).isEmpty());
    expectError("Error No. 13 Column-33; Type mismatch", "Multiply");
    expectPosition(1, 33);
    at(b, 17, 33) = Variant(1.0);
    EXPECT_TRUE(engine.Multiply(a, b).isEmpty());
    expectError("Error No. 13 Column-1; Type mismatch", "Multiply");
    expectPosition(25, 1);
    at(a, 25, 4) = Variant(1.0);
    at(a, 31, 2) = Variant(1e300);
    at(b, 2, 48) = Variant(1e300);
    EXPECT_TRUE(engine.Multiply(a, b).isEmpty());
    expectError("Error No. 6 Column-48; Overflow", "Multiply");
    expectPosition(31, 48);
}

TEST_F(Engine, MultiplyIsBitForBitThePlainLoop) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> d(-1e3, 1e3);
    const int m = 23, k = 301, n = 17;
    std::vector<Variant> ea, eb;
    for (int i = 0; i < m * k; ++i)
        ea.emplace_back(i % 3 ? Variant(d(rng)) : Variant(format.toText(d(rng))));
    for (int i = 0; i < k * n; ++i) eb.emplace_back(d(rng) / 7);
    Variant a = matrix(m, k, ea), b = matrix(k, n, eb);
    Variant r = engine.Multiply(a, b);
    ASSERT_TRUE(r.isArray());
    for (int i = 1; i <= m; ++i)
        for (int j = 1; j <= n; ++j) {
            double sum = 0;
            for (int p = 1; p <= k; ++p)
                sum = sum + format.toNumber(a.array().at(i, p)) * b.array().at(p, j).number();
            double got = num(r, i, j);
            ASSERT_EQ(std::memcmp(&got, &sum, sizeof sum), 0) << i << "," << j;
        }
}

TEST_F(Engine, MultiplyWithAnEmptyInnerDimensionGivesZeros) {
    Variant r = engine.Multiply(Variant(Array::matrix(2, 0, 0)), counting(0, 3));
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(r.array().ubound(1), 2);
    EXPECT_EQ(r.array().ubound(2), 3);
    EXPECT_EQ(num(r, 2, 3), 0);
}

TEST_F(Engine, ColumnIndexOverflowsPastTheSixteenBitLimit) {
    std::vector<Variant> ones(32767, Variant(1.0));
    EXPECT_TRUE(engine.Multiply(matrix(1, 1, {2.0}), matrix(1, 32767, ones)).isEmpty());
    expectError("Error No. 6 Column-32767; Overflow", "Multiply");
    EXPECT_TRUE(engine.Transpose(matrix(32767, 1, ones)).isEmpty());
    expectError("Error No. 6; Row-32767 Column-2; Overflow", "Transpose");
    EXPECT_TRUE(engine.ScaleMultiply(2, matrix(1, 32767, ones)).isEmpty());
    expectError("Error No. 6; Row-1 Column-32767; Overflow", "ScaleMultiply");
}

// ---- ScaleMultiply and Transpose

TEST_F(Engine, ScaleMultiplyMakesNumbers) {
    Variant r = engine.ScaleMultiply(0, matrix(2, 2, {"1", "-2", "3.5", Variant()}, 0));
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(r.array().lbound(1), 1);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) {
            EXPECT_TRUE(r.array().at(i, j).isNumber());
            EXPECT_EQ(num(r, i, j), 0);
        }
    r = engine.ScaleMultiply(-1.5, matrix(1, 2, {"2", 4.0}));
    EXPECT_EQ(num(r, 1, 1), -3);
    EXPECT_EQ(num(r, 1, 2), -6);
    expectPosition(2, 3);

    EXPECT_TRUE(engine.ScaleMultiply(2, matrix(1, 2, {"2", "two"})).isEmpty());
    expectError("Error No. 13; Row-1 Column-2; Type mismatch", "ScaleMultiply");
    EXPECT_TRUE(engine.ScaleMultiply(1e300, matrix(2, 1, {"1", "1e10"})).isEmpty());
    expectError("Error No. 6; Row-2 Column-1; Overflow", "ScaleMultiply");
}

TEST_F(Engine, TransposeCopiesElementsUnchanged) {
    Variant r = engine.Transpose(matrix(2, 3, {"a", "1", "-2.5", 4.0, Variant(), "x"}, 0));
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(r.array().ubound(1), 3);
    EXPECT_EQ(r.array().ubound(2), 2);
    EXPECT_EQ(r.array().lbound(1), 1);
    EXPECT_EQ(r.array().at(1, 1), Variant("a"));
    EXPECT_EQ(r.array().at(2, 1), Variant("1"));
    EXPECT_EQ(r.array().at(1, 2), Variant(4.0));
    EXPECT_TRUE(r.array().at(2, 2).isEmpty());
    EXPECT_EQ(r.array().at(3, 2), Variant("x"));
    expectPosition(3, 4);

    EXPECT_TRUE(engine.Transpose(Variant(7.0)).isEmpty());
    expectError("Error No. 13; Row-3 Column-4; Type mismatch", "Transpose");
}

// ---- GetTrace

TEST_F(Engine, TraceSumsTheDiagonal) {
    EXPECT_EQ(engine.GetTrace(matrix(1, 1, {"4.5"})), 4.5);
    EXPECT_EQ(engine.GetTrace(matrix(3, 3, {1.0, 9.0, 9.0, 9.0, "2", 9.0, 9.0, 9.0, 3.0}, 0)), 6);
    EXPECT_EQ(engine.mintRow, 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Engine, TraceFailuresReportWithoutLocationAndReturnZero) {
    EXPECT_EQ(engine.GetTrace(counting(3, 2)), 0);
    expectError("Error No. 9; Subscript out of range", "GetTrace");
    EXPECT_EQ(engine.mintRow, 3);
    EXPECT_EQ(engine.GetTrace(matrix(2, 2, {1.0, 0.0, 0.0, "z"})), 0);
    expectError("Error No. 13; Type mismatch", "GetTrace");
    EXPECT_EQ(engine.GetTrace(matrix(2, 2, {1.7e308, 0.0, 0.0, 1.7e308})), 0);
    expectError("Error No. 6; Overflow", "GetTrace");
}

// ---- GetMinMaxArray

TEST_F(Engine, MinMaxOfNumbersAndOfOneElement) {
    Variant r = engine.GetMinMaxArray(matrix(1, 1, {"7"}));
    ASSERT_TRUE(r.isArray());
    EXPECT_EQ(r.array().dims(), 1);
    EXPECT_EQ(r.array().lbound(1), 0);
    EXPECT_EQ(r.array().ubound(1), 1);
    EXPECT_EQ(r.array().at(0), Variant("7"));
    EXPECT_EQ(r.array().at(1), Variant("7"));

    r = engine.GetMinMaxArray(matrix(2, 3, {3.0, 8.0, -1.0, 8.0, 0.0, -0.5}));
    EXPECT_EQ(r.array().at(0), Variant(-1.0));
    EXPECT_EQ(r.array().at(1), Variant(8.0));
    expectPosition(3, 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Texts that read as numbers compare by value, not character by character (where 10 < 9).
TEST_F(Engine, MinMaxComparesNumericTextsByValue) {
    Variant r = engine.GetMinMaxArray(matrix(1, 3, {"9", "10", "-1"}));
    EXPECT_EQ(r.array().at(0), Variant("-1"));
    EXPECT_EQ(r.array().at(1), Variant("10"));

    r = engine.GetMinMaxArray(matrix(2, 2, {"-2", "-10", "1e3", "999"}, 0));
    EXPECT_EQ(r.array().at(0), Variant("-10"));
    EXPECT_EQ(r.array().at(1), Variant("1e3"));

    // Equal values are ties: the first one found stays, as the text it is.
    r = engine.GetMinMaxArray(matrix(1, 4, {"5", "5.0", "2", "2.00"}));
    EXPECT_EQ(r.array().at(0), Variant("2"));
    EXPECT_EQ(r.array().at(1), Variant("5"));

    // A text that is not a number compares as text with the others.
    r = engine.GetMinMaxArray(matrix(1, 3, {"10", "abc", "-1"}));
    EXPECT_EQ(r.array().at(0), Variant("-1"));
    EXPECT_EQ(r.array().at(1), Variant("abc"));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Engine, MinMaxFailures) {
    engine.mintRow = 5;
    engine.mintColumn = 6;
    EXPECT_TRUE(engine.GetMinMaxArray(Variant(Array::matrix(0, 2, 0))).isEmpty());
    expectError("Error No. 9; Row-5 Column-6; Subscript out of range", "GetMinMaxArray");
    EXPECT_TRUE(engine.GetMinMaxArray(Variant("x")).isEmpty());
    expectError("Error No. 13; Row-5 Column-6; Type mismatch", "GetMinMaxArray");
    EXPECT_TRUE(engine.GetMinMaxArray(matrix(1, 2, {1.0, Variant(Array::matrix(1, 1))})).isEmpty());
    expectError("Error No. 13; Row-1 Column-2; Type mismatch", "GetMinMaxArray");
}

} // namespace
} // namespace velmor
