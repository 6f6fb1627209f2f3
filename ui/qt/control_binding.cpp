#include "ui/qt/control_binding.h"

#include <QKeyEvent>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/form.h"

namespace velmor {

ControlBinding::ControlBinding(FormWindow& window, Control& control, QWidget* widget)
    : QObject(nullptr), tabPolicy_(widget->focusPolicy()), window_(window), control_(&control),
      widget_(widget) {
    widget->setObjectName(toQt(control.name()));
    if (!control.canTakeFocus()) tabPolicy_ = Qt::NoFocus;
    control.setObserver(this);
}

ControlBinding::~ControlBinding() = default;

void ControlBinding::detach(bool alive) {
    if (control_ && alive) control_->setObserver(nullptr);
    control_ = nullptr;
}

void ControlBinding::propertyChanged(Control& control, Prop prop) {
    if (&control != control_ || !widget_) return;
    FormWindow::Mirror mirror(window_);
    sync(prop);
}

void ControlBinding::syncAll() {
    FormWindow::Mirror mirror(window_);
    for (Prop p : {Prop::Geometry, Prop::ToolTip, Prop::TabStop, Prop::Enabled, Prop::Visible})
        sync(p);
}

void ControlBinding::sync(Prop prop) {
    if (!control_ || !widget_) return;
    switch (prop) {
    case Prop::Enabled:
        widget_->setEnabled(control_->Enabled());
        break;
    case Prop::Visible:
        widget_->setVisible(control_->Visible());
        break;
    case Prop::TabStop:
        // A control out of the tab order still takes the focus by a click or by code.
        widget_->setFocusPolicy(tabPolicy_ == Qt::NoFocus ? Qt::NoFocus
                                : control_->TabStop()     ? tabPolicy_
                                                          : Qt::ClickFocus);
        break;
    case Prop::Geometry:
        widget_->setGeometry(
            twipsToRect(control_->Left(), control_->Top(), control_->Width(), control_->Height()));
        break;
    case Prop::ToolTip:
        widget_->setToolTip(toQt(control_->ToolTipText()));
        break;
    default:
        break;
    }
}

bool ControlBinding::typeKey(QKeyEvent& event, const std::function<void()>& syncSelection,
                             const std::function<void(int)>& typeChar, bool enterPressesDefault) {
    if (!control_) return false;
    Control* focused = window_.form() ? window_.form()->ActiveControl() : nullptr;
    syncSelection();
    if (int code = virtualKeyCode(event))
        control_->userKeyDown(code, shiftState(event.modifiers()));
    std::vector<int> chars = typedChars(event);
    if (chars.empty()) {
        // Alt with a character is an access key that matched nothing: no widget types it.
        bool altChord = (event.modifiers() & Qt::AltModifier) && !event.text().isEmpty() &&
                        event.text().front().isPrint();
        return !control_ || altChord; // an unloaded form keeps no keys either
    }
    for (int ch : chars) {
        if (!control_) return true;
        syncSelection();
        typeChar(ch);
    }
    // Enter whose handler moved the focus has done its job: no default button as well.
    Form* form = window_.form();
    if (enterPressesDefault && chars == std::vector<int>{13} && control_ && form &&
        form->defaultButton() && form->ActiveControl() == focused)
        form->userPressEnter();
    return true;
}

bool ControlBinding::keyPress(QKeyEvent& event) {
    if (!control_) return false;
    if (int code = virtualKeyCode(event))
        control_->userKeyDown(code, shiftState(event.modifiers()));
    return false;
}

} // namespace velmor
