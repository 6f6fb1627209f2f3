#include "ui/qt/grid_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/view/cell_text.h"

namespace velmor {

int cellTextPadding(const QWidget* widget) {
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The item view style pads its text by the focus frame margin plus one, on each side.
    return 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1) + 1;
}

QString GridDelegate::shownText(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QString& text = opt.text;
    // The rectangle has the grid line taken off already.
    const int room = opt.rect.width() + 1 - cellTextPadding(opt.widget);
    const QFontMetrics& metrics = opt.fontMetrics;
    if (metrics.horizontalAdvance(text) <= room) return text;
    auto fits = [&](std::string_view s) {
        return metrics.horizontalAdvance(QString::fromUtf8(s.data(), qsizetype(s.size()))) <= room;
    };
    if (std::optional<std::string> number = shortenNumber(text.toStdString(), fits))
        return QString::fromStdString(*number);
    return metrics.elidedText(text, Qt::ElideRight, std::max(0, room));
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text = shownText(option, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && view && event->type() == QEvent::ToolTip) {
        const QString whole = index.data(Qt::DisplayRole).toString();
        if (shownText(option, index) != whole) {
            QToolTip::showText(event->globalPos(), whole, view, view->visualRect(index));
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace velmor
