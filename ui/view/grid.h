#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/limits.h"
#include "ui/view/control.h"
#include "ui/view/grid_interface.h"

namespace velmor {

class MenuItem;

// A block of data cells, corners included.
struct CellRange {
    int top = 1, left = 1, bottom = 1, right = 1;
    bool operator==(const CellRange&) const = default;
    bool single() const { return top == bottom && left == right; }
};

// The grid control: one fixed heading row and column, a current cell, per-cell text and
// alignment, column widths in twips. The cell store lives here; the Qt binding's table
// model reads it, so only visible cells are ever drawn.
class Grid : public Control, public IGrid {
  public:
    // Largest number of data cells ((Rows - 1) x (Cols - 1)) a grid holds; a resize beyond it
    // fails with run-time error 7 and changes nothing.
    static constexpr long long kMaxDataCells = kMaxMatrixCells;
    static constexpr int kDefaultColWidth = 960;
    static constexpr int kRowHeight = 240;

    Grid(Form& form, std::string name);

    int Rows() const override { return rows_; }
    void setRows(int rows) override;
    int Cols() const override { return cols_; }
    void setCols(int cols) override;
    int FixedRows() const { return 1; }
    int FixedCols() const { return 1; }
    int Row() const override { return row_; }
    void setRow(int row) override;
    int Col() const override { return col_; }
    void setCol(int col) override;
    const std::string& Text() const override;
    void setText(const std::string& text) override;
    int CellAlignment() const override;
    void setCellAlignment(int alignment) override;
    bool Visible() const override { return Control::Visible(); }
    void setVisible(bool visible) override { Control::setVisible(visible); }
    void visitCells(int rows, int cols, int alignment, const CellVisitor& visit) override;

    const std::string& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const std::string& text);
    int alignmentAt(int row, int col) const;

    int ColWidth(int col) const;
    void setColWidth(int col, int width);
    int RowHeight(int) const { return kRowHeight; }
    // Every cell, headings included, loses its text.
    void Clear();

    // Geometry of the current cell relative to the grid, in twips, taking the scroll
    // position (TopRow, LeftCol) into account.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    int TopRow() const { return topRow_; }
    int LeftCol() const { return leftCol_; }
    // Scrolls the data cells so that `row` / `col` is the first one shown; the current cell
    // stays.
    void setTopRow(int row);
    void setLeftCol(int col);
    // Row 1, column 1 first, as a grid shows a matrix it was just given.
    void scrollHome() {
        setTopRow(1);
        setLeftCol(1);
    }

    // The widest text of column `col`, heading included, as `measure` gives text widths in
    // twips. Texts several characters shorter than the longest are not measured, and texts
    // that differ only in their digits are measured once, every digit the widest.
    int widestText(int col, const std::function<int(const std::string&)>& measure) const;

    // The selected block: the current cell alone unless the user or code selected more.
    // Code that moves the current cell, a new shape and Clear drop the selection.
    CellRange Selection() const;
    // Clipped to the data cells.
    void setSelection(CellRange range);
    void selectAll();
    // Offered by a right click on the grid: the children of this menu.
    MenuItem* contextMenu() const { return contextMenu_; }
    void setContextMenu(MenuItem* menu) { contextMenu_ = menu; }

    const std::string& FontName() const { return fontName_; }
    double FontSize() const { return fontSize_; }
    void setFont(std::string name, double size);

    std::function<void()> onClick;
    std::function<void()> onDblClick;

    // User actions: a click or double click on a data cell (the focus moves to the grid
    // first), a character typed on the grid, and scrolling.
    void userClick(int row, int col);
    void userDblClick(int row, int col);
    void userChar(int code);
    void userScrolled(int topRow, int leftCol);
    // The user gave a data column a new width (dragged or fitted its heading's border).
    void userColWidth(int col, int width);
    // The user moved the current cell (a selection being extended stays) or selected a block.
    void userCurrentCell(int row, int col);
    void userSelect(CellRange range);

    // Bumped by every cell change; lets the binding refresh lazily.
    std::uint64_t revision() const { return revision_; }

  private:
    void resize(int rows, int cols);
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(c);
    }
    void cellsChanged(Prop prop);
    void dropSelection();

    int rows_ = 2, cols_ = 2, row_ = 1, col_ = 1, topRow_ = 1, leftCol_ = 1;
    std::vector<std::string> text_;
    std::vector<std::uint8_t> align_;
    std::vector<int> colWidth_;
    std::string fontName_ = "Sans Serif";
    double fontSize_ = 8.25;
    std::uint64_t revision_ = 0;
    CellRange selection_;
    bool selected_ = false; // a block beyond the current cell
    MenuItem* contextMenu_ = nullptr;
};

} // namespace velmor
