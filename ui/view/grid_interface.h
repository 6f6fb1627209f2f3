#pragma once

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
};

} // namespace velmor
