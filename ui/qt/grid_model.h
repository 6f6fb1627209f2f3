#pragma once

#include <QAbstractTableModel>
#include <QColor>

namespace velmor {

class Grid;

// The data cells of an abstract grid as a table: model row r, column c is grid cell
// (r + 1, c + 1); the heading row and column are the header texts. Cells are read when the
// view draws them; the shape is re-read only by refresh(), so the view never sees a shape
// change it was not told about.
class GridModel : public QAbstractTableModel {
  public:
    explicit GridModel(const Grid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Takes in the grid's changes: a reset when its shape changed (true), otherwise one
    // change signal over all cells and headers.
    bool refresh();
    // Background of the cells; the view's own background shows beyond the last cell.
    void setCellBackground(const QColor& color) { background_ = color; }

  private:
    const Grid& grid_;
    int rows_ = 0, cols_ = 0;
    QColor background_;
};

} // namespace velmor
