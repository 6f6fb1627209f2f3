#include "ui/qt/grid_model.h"

#include <QBrush>
#include <QString>

#include "ui/view/grid.h"

namespace velmor {

namespace {
// Grid cell alignment (0..8: left/centre/right by three, top/centre/bottom within) to Qt.
// 0, what a cell holds until code sets one, and 9 are the grid's general alignment: numbers
// to the right, other text to the left.
Qt::Alignment alignmentOf(int a, const std::string& text) {
    if (a == 0 || a == 9) {
        bool number = !text.empty() &&
                      text.find_first_not_of("0123456789.,-+Ee ") == std::string::npos &&
                      text.find_first_of("0123456789") != std::string::npos;
        return (number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    Qt::Alignment h = a / 3 == 0 ? Qt::AlignLeft : a / 3 == 1 ? Qt::AlignHCenter : Qt::AlignRight;
    // Rows are one line of text high: top and bottom alignment show as centred anyway.
    return h | Qt::AlignVCenter;
}
} // namespace

GridModel::GridModel(const Grid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.Rows() - 1), cols_(grid.Cols() - 1) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    int r = index.row() + 1, c = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(grid_.TextMatrix(r, c));
    case Qt::TextAlignmentRole:
        return static_cast<int>(alignmentOf(grid_.alignmentAt(r, c), grid_.TextMatrix(r, c)));
    case Qt::BackgroundRole:
        return background_.isValid() ? QVariant(QBrush(background_)) : QVariant();
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole) return static_cast<int>(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    const std::string& text = orientation == Qt::Horizontal ? grid_.TextMatrix(0, section + 1)
                                                            : grid_.TextMatrix(section + 1, 0);
    return QString::fromStdString(text);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

bool GridModel::refresh() {
    int rows = grid_.Rows() - 1, cols = grid_.Cols() - 1;
    if (rows != rows_ || cols != cols_) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
        return true;
    }
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    if (cols_ > 0) emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    if (rows_ > 0) emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
    return false;
}

} // namespace velmor
