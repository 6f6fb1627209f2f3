#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/cvelmor.h"
#include "tests/support/scripted_dialogs.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"

namespace velmor {
namespace {

using test::ScriptedDialogs;

class GridTransfer : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    NumberFormat format;
    CVelmor engine{dialogs, format};
    Form form{"frmTest"};
    Grid grid{form, "MSFlexGrid1"};

    void SetUp() override { engine.FlexGrid = &grid; }

    void fill(int rows, int cols, const std::vector<std::string>& cells) {
        grid.setRows(rows);
        grid.setCols(cols);
        std::size_t k = 0;
        for (int i = 1; i < rows; ++i)
            for (int j = 1; j < cols; ++j) grid.setTextMatrix(i, j, cells.at(k++));
    }
};

Variant textMatrix(int rows, int cols, const std::vector<std::string>& cells) {
    Array a = Array::matrix(rows, cols);
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) a.at(i, j) = Variant(cells.at(k++));
    return Variant(std::move(a));
}

TEST_F(GridTransfer, GridToArrayReadsCellTextsWithLowerBoundsZero) {
    fill(3, 4, {"1", "2", "3", "4", "5", "-6.5"});
    grid.setTextMatrix(0, 0, "corner");
    Variant m = engine.GridToArray();
    ASSERT_TRUE(m.isArray());
    const Array& a = m.array();
    EXPECT_EQ(a.lbound(1), 0);
    EXPECT_EQ(a.lbound(2), 0);
    EXPECT_EQ(a.ubound(1), 2);
    EXPECT_EQ(a.ubound(2), 3);
    EXPECT_EQ(a.at(1, 1), Variant("1"));
    EXPECT_EQ(a.at(2, 3), Variant("-6.5"));
    EXPECT_TRUE(a.at(0, 0).isEmpty());
    EXPECT_TRUE(a.at(0, 2).isEmpty());
    EXPECT_TRUE(a.at(1, 0).isEmpty());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(engine.mintNo_Rows, 2);
    EXPECT_EQ(engine.mintNo_Columns, 3);
    EXPECT_EQ(engine.mintRow, 3);
    EXPECT_EQ(engine.mintColumn, 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, GridToArrayWritesZeroIntoEmptyCells) {
    fill(3, 3, {"1", "", "", "4"});
    Variant m = engine.GridToArray();
    EXPECT_EQ(grid.TextMatrix(1, 2), "0");
    EXPECT_EQ(grid.TextMatrix(2, 1), "0");
    EXPECT_EQ(grid.TextMatrix(0, 1), ""); // headings are never touched
    EXPECT_EQ(m.array().at(1, 2), Variant("0"));
    EXPECT_EQ(m.array().at(2, 2), Variant("4"));
}

TEST_F(GridTransfer, GridToArrayOfHeadingsOnly) {
    engine.mintColumn = 7;
    fill(1, 4, {});
    Variant m = engine.GridToArray();
    EXPECT_EQ(m.array().ubound(1), 0);
    EXPECT_EQ(m.array().ubound(2), 3);
    EXPECT_EQ(engine.mintRow, 1);
    EXPECT_EQ(engine.mintColumn, 7); // the inner loop never ran

    fill(3, 1, {});
    m = engine.GridToArray();
    EXPECT_EQ(m.array().ubound(1), 2);
    EXPECT_EQ(m.array().ubound(2), 0);
    EXPECT_EQ(engine.mintRow, 3);
    EXPECT_EQ(engine.mintColumn, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, GridToArrayWithoutGridReportsWithThePreviousPosition) {
    engine.FlexGrid = nullptr;
    engine.mintRow = 3;
    engine.mintColumn = 4;
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    const auto& box = dialogs.boxes[0];
    EXPECT_EQ(box.prompt,
              "Error No. 91; Row-3 Column-4; Object variable or With block variable not set");
    EXPECT_EQ(box.title, "CVelmor class module - GridToArray");
    EXPECT_EQ(box.buttons, MsgButtons::OK);
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
}

TEST_F(GridTransfer, GridToArrayOverflowsOnSixteenBitCounts) {
    // 39,999 rows do not fit the 16-bit count: error 6 before any loop.
    engine.mintRow = 2;
    engine.mintColumn = 5;
    grid.setRows(40000);
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Error No. 6; Row-2 Column-5; Overflow");

    // 32,767 rows fit, but the row index overflows stepping past the last one.
    dialogs.clear();
    grid.setRows(32768);
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Error No. 6; Row-32767 Column-2; Overflow");
    EXPECT_EQ(grid.TextMatrix(32767, 1), "0"); // the loop had got that far
}

TEST_F(GridTransfer, ArrayToGridWritesHeadingsElementsAndAlignment) {
    grid.setTextMatrix(0, 0, "corner");
    grid.setVisible(false);
    Array a = Array::matrix(2, 3);
    a.at(1, 1) = Variant("x");
    a.at(1, 2) = Variant(1.0 / 3);
    a.at(1, 3) = Variant(-1e-5);
    a.at(2, 1) = Variant(2.5);
    a.at(2, 3) = Variant(1e15); // (2, 2) stays empty
    engine.ArrayToGrid(Variant(std::move(a)));

    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_TRUE(grid.Visible());
    const std::vector<std::vector<std::string>> expected = {
        {"corner", "1", "2", "3"},
        {"1", "x", "0.333333333333333", "-1E-05"},
        {"2", "2.5", "", "1E+15"},
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(grid.TextMatrix(i, j), expected[i][j]) << i << "," << j;
            int align = i == 0 || j == 0 ? kAlignCenter : kAlignRight;
            EXPECT_EQ(grid.alignmentAt(i, j), align) << i << "," << j;
        }
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(engine.mintNo_Rows, 2);
    EXPECT_EQ(engine.mintNo_Columns, 3);
    EXPECT_EQ(engine.mintRow, 3);
    EXPECT_EQ(engine.mintColumn, 4);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, ArrayToGridShrinksAndOverwritesTheOldGrid) {
    fill(5, 5, std::vector<std::string>(16, "old"));
    engine.ArrayToGrid(textMatrix(2, 1, {"a", "b"}));
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 1), "a");
    EXPECT_EQ(grid.TextMatrix(2, 1), "b");
    EXPECT_EQ(grid.TextMatrix(0, 1), "1");
}

TEST_F(GridTransfer, RoundTripKeepsTextsWithLowerBoundsZero) {
    Variant m = textMatrix(2, 2, {"1,5", " 7 ", "-0", "abc"});
    engine.ArrayToGrid(m);
    Variant back = engine.GridToArray();
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 2; ++j) EXPECT_EQ(back.array().at(i, j), m.array().at(i, j));
    EXPECT_EQ(back.array().lbound(1), 0);
}

TEST_F(GridTransfer, ArrayToGridOfANonMatrixUsesThePreviousCounts) {
    fill(4, 4, std::vector<std::string>(9, "keep"));
    engine.mintNo_Rows = 1;
    engine.mintNo_Columns = 2;
    engine.ArrayToGrid(Variant("not a matrix"));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.TextMatrix(0, 2), "2");
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");
    EXPECT_EQ(grid.TextMatrix(1, 2), "keep");
    EXPECT_EQ(grid.alignmentAt(1, 2), kAlignRight);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, ArrayToGridSkipsAnElementItCannotShow) {
    fill(2, 3, {"old", "old"});
    Array a = Array::matrix(1, 2);
    a.at(1, 1) = Variant(Array::matrix(1, 1));
    a.at(1, 2) = Variant(4.0);
    engine.ArrayToGrid(Variant(std::move(a)));
    EXPECT_EQ(grid.TextMatrix(1, 1), "old");
    EXPECT_EQ(grid.TextMatrix(1, 2), "4");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, ArrayToGridWithoutGridDoesNothingVisible) {
    engine.FlexGrid = nullptr;
    engine.ArrayToGrid(textMatrix(2, 3, {"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(engine.mintNo_Rows, 2);
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A grid that refuses one kind of statement: every other statement must still run.
class RefusingGrid : public IGrid {
  public:
    enum What { RefuseAlignment, RefuseText, RefuseCols } refuse;
    Grid& inner;
    RefusingGrid(Grid& g, What w) : refuse(w), inner(g) {}
    int Rows() const override { return inner.Rows(); }
    void setRows(int r) override { inner.setRows(r); }
    int Cols() const override { return inner.Cols(); }
    void setCols(int c) override {
        if (refuse == RefuseCols) throw RuntimeError(err::InvalidPropertyValue);
        inner.setCols(c);
    }
    int Row() const override { return inner.Row(); }
    void setRow(int r) override { inner.setRow(r); }
    int Col() const override { return inner.Col(); }
    void setCol(int c) override { inner.setCol(c); }
    const std::string& Text() const override { return inner.Text(); }
    void setText(const std::string& t) override {
        if (refuse == RefuseText && inner.Row() == 1 && inner.Col() == 1)
            throw RuntimeError(err::InvalidPropertyValue);
        inner.setText(t);
    }
    int CellAlignment() const override { return inner.CellAlignment(); }
    void setCellAlignment(int a) override {
        if (refuse == RefuseAlignment) throw RuntimeError(err::InvalidPropertyValue);
        inner.setCellAlignment(a);
    }
    bool Visible() const override { return inner.Visible(); }
    void setVisible(bool v) override { inner.setVisible(v); }
};

TEST_F(GridTransfer, ArrayToGridSkipsEachFailingStatementAlone) {
    Variant m = textMatrix(2, 2, {"a", "b", "c", "d"});

    RefusingGrid noAlign(grid, RefusingGrid::RefuseAlignment);
    engine.FlexGrid = &noAlign;
    engine.ArrayToGrid(m);
    EXPECT_EQ(grid.TextMatrix(0, 2), "2");
    EXPECT_EQ(grid.TextMatrix(2, 2), "d");

    RefusingGrid noText(grid, RefusingGrid::RefuseText);
    grid.setTextMatrix(1, 1, "kept");
    engine.FlexGrid = &noText;
    engine.ArrayToGrid(textMatrix(2, 2, {"w", "x", "y", "z"}));
    EXPECT_EQ(grid.TextMatrix(1, 1), "kept");
    EXPECT_EQ(grid.TextMatrix(1, 2), "x");
    EXPECT_EQ(grid.TextMatrix(2, 1), "y");

    // Columns refused: the grid keeps 3 columns, rows still follow the matrix, and only
    // the cells that exist are written.
    RefusingGrid noCols(grid, RefusingGrid::RefuseCols);
    engine.FlexGrid = &noCols;
    engine.ArrayToGrid(textMatrix(3, 4, std::vector<std::string>(12, "n")));
    EXPECT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(3, 0), "3");
    EXPECT_EQ(grid.TextMatrix(3, 1), "n");
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
} // namespace velmor
