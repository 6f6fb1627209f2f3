#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/values.h"
#include "ui/adapters/engine_adapter.h"
#include "tests/support/scripted_dialogs.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"

namespace velmor {
using velmor::test::matrix;

namespace {

using Lines = std::vector<std::string>;

// A grid that can refuse to take a column count or a cell alignment.
struct RefusingGrid : Grid {
    using Grid::Grid;
    std::string refused;
    void check(const char* what) const {
        if (refused == what) throw RuntimeError(err::InvalidPropertyValue);
    }
    void setCols(int c) override { check("Cols"), Grid::setCols(c); }
    void setCellAlignment(int a) override { check("CellAlignment"), Grid::setCellAlignment(a); }
};

class GridTransfer : public ::testing::Test {
  protected:
    test::ScriptedDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine{dialogs, format};
    Form form{"frmTest"};
    RefusingGrid grid{form, "MSFlexGrid1"};

    void SetUp() override { engine.FlexGrid = &grid; }

    // Every cell: a row per line, joined by '|'.
    Lines cells() const {
        Lines out(grid.Rows());
        for (int i = 0; i < grid.Rows(); ++i)
            for (int j = 0; j < grid.Cols(); ++j) out[i] += (j ? "|" : "") + grid.TextMatrix(i, j);
        return out;
    }
    // Current cell, then the loop indices.
    std::vector<int> state() const {
        return {grid.Row(), grid.Col(), engine.position().row, engine.position().column};
    }
};

TEST_F(GridTransfer, GridToArrayReadsTextsAndWritesZeroIntoEmptyCells) {
    engine.ArrayToGrid(matrix(2, 3, {"1", "", "3", "4", "5", "-6.5"}));
    grid.setTextMatrix(0, 0, "corner");
    EXPECT_EQ(engine.GridToArray(), matrix(2, 3, {"1", "0", "3", "4", "5", "-6.5"}, 0));
    EXPECT_EQ(cells(), (Lines{"corner|1|2|3", "1|1|0|3", "2|4|5|-6.5"}));
    EXPECT_EQ(state(), (std::vector{2, 3, 3, 4}));
    // Texts go both ways unchanged.
    engine.ArrayToGrid(matrix(2, 2, {"1,5", " 7 ", "-0", "abc"}));
    EXPECT_EQ(engine.GridToArray(), matrix(2, 2, {"1,5", " 7 ", "-0", "abc"}, 0));
    // Headings only: no element rows or columns; an inner loop that never runs leaves its index.
    engine.position().column = 7;
    for (auto [rows, cols, row, column] : {std::array{1, 4, 1, 7}, std::array{3, 1, 3, 1}}) {
        grid.setRows(rows);
        grid.setCols(cols);
        EXPECT_EQ(engine.GridToArray(), Variant(Array::matrix(rows - 1, cols - 1, 0)));
        EXPECT_EQ(engine.position().row, row);
        EXPECT_EQ(engine.position().column, column);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(GridTransfer, GridToArrayErrorBoxesReportThePosition) {
    engine.position() = {3, 4};
    engine.FlexGrid = nullptr;
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    engine.FlexGrid = &grid;
    grid.setRows(40000); // the count does not fit 16 bits
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    grid.setRows(32768); // it fits, but the row index overflows stepping past the last row
    EXPECT_TRUE(engine.GridToArray().isEmpty());
    EXPECT_EQ(grid.TextMatrix(32767, 1), "0");
    test::Boxes expected;
    for (const char* prompt :
         {"Error No. 91; Row-3 Column-4; Something the action needs is missing",
          "Error No. 6; Row-3 Column-4; The number is too large",
          "Error No. 6; Row-32767 Column-2; The number is too large"})
        expected.emplace_back(prompt, MsgButtons::OK, MsgIcon::Exclamation,
                              "CVelmor class module - GridToArray");
    EXPECT_EQ(test::boxes(dialogs), expected);
}

TEST_F(GridTransfer, ArrayToGridRewritesHeadingsElementsAndAlignment) {
    engine.ArrayToGrid(matrix(3, 4, std::vector<Variant>(12, "old")));
    grid.setTextMatrix(0, 0, "corner");
    grid.setVisible(false);
    // An element that cannot be shown leaves its cell as it was.
    const Variant unshowable(Array::matrix(1, 1));
    engine.ArrayToGrid(matrix(2, 3, {"x", 1.0 / 3, -1e-5, unshowable, Variant(), 1e15}));
    EXPECT_EQ(cells(), (Lines{"corner|1|2|3", "1|x|0.333333333333333|-1E-05", "2|old||1E+15"}));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(grid.alignmentAt(i, j), i && j ? kAlignRight : kAlignCenter) << i << j;
    EXPECT_TRUE(grid.Visible());
    EXPECT_EQ(state(), (std::vector{2, 3, 3, 4}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

// A 1 x 32,766 matrix shown after a long one used to keep the grid's old columns.
TEST_F(GridTransfer, ArrayToGridTakesAWideMatrixAfterALongOne) {
    for (auto [rows, cols] : {std::pair(2000, 2), std::pair(1, 32766), std::pair(32766, 1)}) {
        engine.ArrayToGrid(matrix(rows, cols, std::vector<Variant>(rows * cols, "7")));
        EXPECT_EQ(std::pair(grid.Rows(), grid.Cols()), std::pair(rows + 1, cols + 1));
        EXPECT_EQ(grid.TextMatrix(rows, cols), "7");
    }
}

TEST_F(GridTransfer, ArrayToGridNeverReports) {
    engine.ArrayToGrid(matrix(3, 3, std::vector<Variant>(9, "keep")));
    // Without a grid only the counts are read.
    engine.FlexGrid = nullptr;
    engine.ArrayToGrid(matrix(1, 2, {"1", "2"}));
    EXPECT_EQ(grid.Rows(), 4);
    // Not a matrix: the grid stays as it was.
    engine.FlexGrid = &grid;
    engine.ArrayToGrid("not a matrix");
    EXPECT_EQ(cells(),
              (Lines{"|1|2|3", "1|keep|keep|keep", "2|keep|keep|keep", "3|keep|keep|keep"}));
    // A refused statement is skipped alone.
    grid.refused = "CellAlignment";
    engine.ArrayToGrid(matrix(2, 2, {"a", "b", "c", "d"}));
    EXPECT_EQ(cells(), (Lines{"|1|2", "1|a|b", "2|c|d"}));
    grid.refused = "Cols"; // rows still follow the matrix; later headings land in the last column
    engine.ArrayToGrid(matrix(3, 4, std::vector<Variant>(12, "n")));
    EXPECT_EQ(cells(), (Lines{"|1|4", "1|n|n", "2|n|n", "3|n|n"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

} // namespace
} // namespace velmor
