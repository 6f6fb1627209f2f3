#include "ui/qt/label_binding.h"

#include <QLabel>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/command_button.h"

namespace velmor {

LabelBinding::LabelBinding(FormWindow& window, Label& label, QWidget* parent)
    : ControlBinding(window, label, new QLabel(parent)), label_(static_cast<QLabel*>(widget())) {
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setFocusPolicy(Qt::NoFocus);
    tabPolicy_ = Qt::NoFocus;
}

void LabelBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Caption);
}

void LabelBinding::sync(Prop prop) {
    if (prop == Prop::Caption) {
        if (auto* l = static_cast<Label*>(control())) label_->setText(promptToQt(l->Caption()));
        return;
    }
    ControlBinding::sync(prop);
}

} // namespace velmor
