#include "ui/view/check_box.h"

#include "ui/view/form.h"

namespace velmor {

CheckBox::CheckBox(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::CheckBox), caption_(std::move(caption)) {}

void CheckBox::setValue(int value) {
    value = value ? 1 : 0;
    if (value == value_) return;
    value_ = value;
    notify(Prop::Value);
    if (onClick) onClick();
}

void CheckBox::userClick() {
    if (!Enabled() || !Visible()) return;
    if (!hasFocus()) form().moveFocus(this);
    setValue(1 - value_);
}

} // namespace velmor
