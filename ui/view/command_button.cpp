#include "ui/view/command_button.h"

#include "ui/view/form.h"

namespace velmor {

CommandButton::CommandButton(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::Button), caption_(std::move(caption)) {}

void CommandButton::setCaption(std::string caption) {
    caption_ = std::move(caption);
    notify(Prop::Caption);
}

void CommandButton::userClick() {
    if (!Enabled() || !Visible()) return;
    if (!hasFocus()) form().moveFocus(this);
    click();
}

Label::Label(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::Label), caption_(std::move(caption)) {
    setTabStop(false);
}

void Label::setCaption(std::string caption) {
    caption_ = std::move(caption);
    notify(Prop::Caption);
}

Picture::Picture(Form& form, std::string name, std::string resource)
    : Control(form, std::move(name), ControlKind::Picture), resource_(std::move(resource)) {
    setTabStop(false);
}

Line::Line(Form& form, std::string name) : Control(form, std::move(name), ControlKind::Line) {
    setTabStop(false);
}

} // namespace velmor
