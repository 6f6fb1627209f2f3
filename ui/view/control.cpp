#include "ui/view/control.h"

#include "engine/runtime_error.h"
#include "ui/view/form.h"

namespace velmor {

Control::Control(Form& form, std::string name, ControlKind kind)
    : form_(form), name_(std::move(name)), kind_(kind) {
    form_.registerControl(this);
}

Control::~Control() {
    form_.unregisterControl(this);
}

void Control::notify(Prop prop) {
    if (observer_) observer_->propertyChanged(*this, prop);
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    notify(Prop::Enabled);
}

void Control::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notify(Prop::Visible);
}

void Control::setTabStop(bool tabStop) {
    if (tabStop_ == tabStop) return;
    tabStop_ = tabStop;
    notify(Prop::TabStop);
}

void Control::setToolTipText(std::string text) {
    toolTip_ = std::move(text);
    notify(Prop::ToolTip);
}

void Control::setLeft(double v) {
    left_ = v;
    notify(Prop::Geometry);
}
void Control::setTop(double v) {
    top_ = v;
    notify(Prop::Geometry);
}
void Control::setWidth(double v) {
    width_ = v;
    notify(Prop::Geometry);
}
void Control::setHeight(double v) {
    height_ = v;
    notify(Prop::Geometry);
}
void Control::move(double left, double top, double width, double height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::Geometry);
}

void Control::SetFocus() {
    if (!enabled_ || !visible_ || !canTakeFocus()) throw RuntimeError(err::InvalidArgument);
    form_.moveFocus(this);
}

bool Control::hasFocus() const {
    return form_.ActiveControl() == this;
}

void Control::userKeyDown(int keyCode, int shift) {
    if (onKeyDown) onKeyDown(keyCode, shift);
}

int Control::raiseKeyPress(int code) {
    if (onKeyPress) onKeyPress(code);
    return code;
}

} // namespace velmor
