#include "ui/qt/combo_binding.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/combo_box.h"

namespace velmor {

ComboBinding::ComboBinding(FormWindow& window, ComboBox& combo, QWidget* parent)
    : ControlBinding(window, combo, new QComboBox(parent)),
      box_(static_cast<QComboBox*>(widget())) {
    box_->setEditable(combo.editable());
    box_->setMaxVisibleItems(8);
    tabPolicy_ = box_->focusPolicy();
    connect(box_, &QComboBox::activated, this, [this](int index) {
        if (ComboBox* c = this->combo(); c && !this->window().mirroring()) c->userPick(index);
    });
    if (QLineEdit* edit = box_->lineEdit()) {
        // The text portion takes what is typed, nothing more: no completion, no new items.
        box_->setInsertPolicy(QComboBox::NoInsert);
        box_->setCompleter(nullptr);
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            ComboBox* c = this->combo();
            if (!c || this->window().mirroring()) return;
            c->userEdit(fromQt(text));
            reportSelection();
        });
        connect(edit, &QLineEdit::cursorPositionChanged, this, [this] { reportSelection(); });
        connect(edit, &QLineEdit::selectionChanged, this, [this] { reportSelection(); });
    }
}

ComboBox* ComboBinding::combo() const {
    return static_cast<ComboBox*>(control());
}

void ComboBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    show();
}

void ComboBinding::sync(Prop prop) {
    switch (prop) {
    case Prop::Items:
    case Prop::ListIndex:
    case Prop::Text:
    case Prop::Selection:
        show();
        break;
    case Prop::ToolTip:
        showToolTip();
        break;
    default:
        ControlBinding::sync(prop);
    }
}

void ComboBinding::showToolTip() {
    ComboBox* c = combo();
    if (!c) return;
    // A name longer than the box shows whole in the tooltip, below the box's own tip.
    QString tip = toQt(c->ToolTipText());
    const QString name = toQt(c->Text());
    // The text field: the line edit, or the box less its arrow.
    const int room = box_->lineEdit() ? box_->lineEdit()->width() - 4
                                      : box_->width() - 8 -
                                            box_->style()->pixelMetric(QStyle::PM_ScrollBarExtent,
                                                                       nullptr, box_);
    if (box_->fontMetrics().horizontalAdvance(name) > room)
        tip = tip.isEmpty() ? name : tip + QLatin1Char('\n') + name;
    box_->setToolTip(tip);
}

void ComboBinding::show() {
    ComboBox* c = combo();
    if (!c) return;
    QSignalBlocker block(box_);
    if (items_ != c->items()) {
        items_ = c->items();
        box_->clear();
        QStringList list;
        for (const auto& item : items_) list << toQt(item);
        box_->addItems(list);
        // The drop-down list shows every name whole, however narrow the box.
        int widest = 0;
        for (const QString& item : list)
            widest = std::max(widest, box_->view()->fontMetrics().horizontalAdvance(item));
        box_->view()->setMinimumWidth(widest + 4 * box_->view()->frameWidth() +
                                      box_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
    }
    if (box_->currentIndex() != c->ListIndex()) box_->setCurrentIndex(c->ListIndex());
    showToolTip();
    QLineEdit* edit = box_->lineEdit();
    if (!edit) return;
    QString text = toQt(c->Text());
    if (edit->text() != text) edit->setText(text);
    int start = qtPosition(text, c->SelStart());
    int end = qtPosition(text, c->SelStart() + c->SelLength());
    if (end > start)
        edit->setSelection(start, end - start);
    else if (edit->cursorPosition() != start || edit->hasSelectedText())
        edit->setCursorPosition(start);
}

void ComboBinding::reportSelection() {
    ComboBox* c = combo();
    QLineEdit* edit = box_->lineEdit();
    if (!c || !edit || window().mirroring()) return;
    QString t = edit->text();
    int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    int end = edit->hasSelectedText() ? start + edit->selectionLength() : start;
    int from = utf8Offset(t, start);
    c->userSelect(from, utf8Offset(t, end) - from);
}

bool ComboBinding::keyPress(QKeyEvent& event) {
    ComboBox* c = combo();
    if (!c) return false;
    bool editable = c->editable();
    bool typed = typeKey(
        event, [this] { reportSelection(); },
        [this](int code) {
            if (ComboBox* target = combo()) target->userChar(code);
        },
        true);
    // A list-only box raises KeyPress and then lets Qt find the item by its initial.
    if (typed && !editable && combo() && event.key() != Qt::Key_Return &&
        event.key() != Qt::Key_Enter)
        return false;
    return typed;
}

} // namespace velmor
