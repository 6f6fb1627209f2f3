#include "ui/qt/button_binding.h"

#include <QPushButton>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/command_button.h"
#include "ui/view/form.h"

namespace velmor {

ButtonBinding::ButtonBinding(FormWindow& window, CommandButton& button, QWidget* parent)
    : ControlBinding(window, button, new QPushButton(parent)),
      button_(static_cast<QPushButton*>(widget())) {
    // Enter on the focused button presses it, in dialogs and main windows alike.
    button_->setAutoDefault(true);
    connect(button_, &QPushButton::clicked, this, [this] {
        this->window().guard([this] {
            if (auto* b = static_cast<CommandButton*>(control())) b->userClick();
        });
    });
}

void ButtonBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Caption);
    if (Form* form = window().form()) button_->setDefault(form->defaultButton() == control());
}

void ButtonBinding::sync(Prop prop) {
    if (prop == Prop::Caption) {
        if (auto* b = static_cast<CommandButton*>(control())) button_->setText(toQt(b->Caption()));
        return;
    }
    ControlBinding::sync(prop);
}

} // namespace velmor
