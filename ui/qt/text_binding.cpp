#include "ui/qt/text_binding.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/text_box.h"

namespace velmor {

namespace {
// Lowest box, in pixels, that still shows a frame around its text.
constexpr int kFramedMinHeight = 20;

QWidget* makeEditor(TextBox& box, QWidget* parent) {
    if (!box.MultiLine()) return new QLineEdit(parent);
    auto* plain = new QPlainTextEdit(parent);
    plain->setTabChangesFocus(true);
    // A multi-line box scrolls with the caret but shows no scroll bars.
    plain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    plain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return plain;
}
} // namespace

TextBinding::TextBinding(FormWindow& window, TextBox& box, QWidget* parent)
    : ControlBinding(window, box, makeEditor(box, parent)) {
    line_ = qobject_cast<QLineEdit*>(widget());
    plain_ = qobject_cast<QPlainTextEdit*>(widget());
    if (line_) {
        connect(line_, &QLineEdit::textEdited, this, [this] { reportEdit(); });
        connect(line_, &QLineEdit::selectionChanged, this, [this] { reportSelection(); });
        connect(line_, &QLineEdit::cursorPositionChanged, this, [this] { reportSelection(); });
    } else {
        connect(plain_, &QPlainTextEdit::textChanged, this, [this] { reportEdit(); });
        connect(plain_, &QPlainTextEdit::selectionChanged, this, [this] { reportSelection(); });
        connect(plain_, &QPlainTextEdit::cursorPositionChanged, this,
                [this] { reportSelection(); });
    }
}

TextBox* TextBinding::box() const {
    return static_cast<TextBox*>(control());
}

QString TextBinding::text() const {
    return line_ ? line_->text() : plain_->toPlainText();
}

void TextBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Font);
    sync(Prop::Text);
    if (line_) {
        const int a = box() ? box()->Alignment() : kTextLeft;
        line_->setAlignment((a == kTextRight    ? Qt::AlignRight
                             : a == kTextCenter ? Qt::AlignHCenter
                                                : Qt::AlignLeft) |
                            Qt::AlignVCenter);
    }
}

void TextBinding::sync(Prop prop) {
    TextBox* b = box();
    if (!b) return;
    // Locked is a design-time property without a notification: re-read it on every change.
    if (line_)
        line_->setReadOnly(b->Locked());
    else
        plain_->setReadOnly(b->Locked());
    switch (prop) {
    case Prop::Text:
        showText();
        break;
    case Prop::Selection:
        showSelection();
        break;
    case Prop::Font:
        if (!b->FontName().empty() && b->FontSize() > 0) {
            QFont font(toQt(b->FontName()));
            font.setPointSizeF(b->FontSize());
            widget()->setFont(font);
        }
        break;
    case Prop::Geometry:
        ControlBinding::sync(prop);
        // A box as low as a grid row (the cell editor) has no room for a frame.
        // Its text then stands where a grid cell's text does: one pixel further in than a
        // frameless line edit puts it, and clear of the grid line the box covers.
        if (line_) {
            const bool framed = line_->height() >= kFramedMinHeight;
            line_->setFrame(framed);
            line_->setTextMargins(framed ? QMargins() : QMargins(1, 0, 1, 0));
        }
        break;
    default:
        ControlBinding::sync(prop);
    }
}

void TextBinding::showText() {
    TextBox* b = box();
    QString t = toQt(b->Text());
    if (t == text()) return; // the widget made this text itself: its caret stays
    if (line_)
        line_->setText(t);
    else
        plain_->setPlainText(t);
    showSelection();
}

void TextBinding::showSelection() {
    TextBox* b = box();
    QString t = text();
    int start = qtPosition(t, b->SelStart());
    int end = qtPosition(t, b->SelStart() + b->SelLength());
    if (line_) {
        if (end > start)
            line_->setSelection(start, end - start);
        else
            line_->setCursorPosition(start);
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        plain_->setTextCursor(c);
    }
}

void TextBinding::reportEdit() {
    TextBox* b = box();
    if (!b || window().mirroring()) return;
    b->userEdit(fromQt(text()));
    if (box()) reportSelection();
}

void TextBinding::reportSelection() {
    TextBox* b = box();
    if (!b || window().mirroring()) return;
    QString t = text();
    int start = 0, end = 0;
    if (line_) {
        start = line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
        end = line_->hasSelectedText() ? start + line_->selectionLength() : start;
    } else {
        QTextCursor c = plain_->textCursor();
        start = c.selectionStart();
        end = c.selectionEnd();
    }
    int from = utf8Offset(t, start);
    b->userSelect(from, utf8Offset(t, end) - from);
}

bool TextBinding::keyPress(QKeyEvent& event) {
    TextBox* b = box();
    if (!b) return false;
    return typeKey(
        event, [this] { reportSelection(); },
        [this](int code) {
            if (TextBox* target = box()) target->userChar(code);
        },
        !b->MultiLine());
}

} // namespace velmor
