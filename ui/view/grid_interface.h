#pragma once

#include <functional>
#include <string>

namespace velmor {

// Cell alignments used by the grids.
inline constexpr int kAlignCenter = 4;
inline constexpr int kAlignRight = 7;

// The grid operations the grid transfer (ui/adapters) uses. Counts include the heading row and
// column; Row and Col count from 0. Invalid values raise run-time errors.
class IGrid {
  public:
    virtual ~IGrid() = default;
    virtual int Rows() const = 0;
    virtual void setRows(int rows) = 0;
    virtual int Cols() const = 0;
    virtual void setCols(int cols) = 0;
    virtual int Row() const = 0;
    virtual void setRow(int row) = 0;
    virtual int Col() const = 0;
    virtual void setCol(int col) = 0;
    virtual const std::string& Text() const = 0;
    virtual void setText(const std::string& text) = 0;
    virtual int CellAlignment() const = 0;
    virtual void setCellAlignment(int alignment) = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;

    // Bulk access for the grid transfer. Visits the data cells of rows 1..rows and columns
    // 1..cols (both within the grid) row by row, giving each one's text to change in place,
    // and sets their alignment unless it is negative; then the last cell is the current one,
    // as after a loop of the per-cell calls, with one change notice instead of one per call.
    using CellVisitor = std::function<void(int row, int col, std::string& text)>;
    virtual void visitCells(int rows, int cols, int alignment, const CellVisitor& visit) = 0;
};

} // namespace velmor
