#pragma once

#include <QStyledItemDelegate>

namespace velmor {

// Paints grid cells so that no text is cut off at its start: a number wider than its cell
// is shortened to the digits that fit (or "###"), any other text is elided at the right.
// The tooltip of a shortened cell shows its whole text; the cell itself keeps it.
class GridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // The text painted for `index` in a cell of `option.rect`.
    QString shownText(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// Pixels a column needs beside its text: the style's margin on either side and the grid line.
int cellTextPadding(const QWidget* widget);

} // namespace velmor
