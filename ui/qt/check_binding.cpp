#include "ui/qt/check_binding.h"

#include <QCheckBox>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/check_box.h"

namespace velmor {

CheckBinding::CheckBinding(FormWindow& window, CheckBox& box, QWidget* parent)
    : ControlBinding(window, box, new QCheckBox(parent)), box_(static_cast<QCheckBox*>(widget())) {
    connect(box_, &QCheckBox::clicked, this, [this] {
        auto* b = static_cast<CheckBox*>(control());
        if (!b || this->window().mirroring()) return;
        b->userClick();
        // The handler may have put the value back (or kept it): show what the control holds.
        sync(Prop::Value);
    });
}

void CheckBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Caption);
    sync(Prop::Value);
}

void CheckBinding::sync(Prop prop) {
    auto* b = static_cast<CheckBox*>(control());
    if (!b) return;
    switch (prop) {
    case Prop::Caption:
        box_->setText(toQt(b->Caption()));
        break;
    case Prop::Value: {
        FormWindow::Mirror mirror(window());
        box_->setChecked(b->Value() != 0);
        break;
    }
    default:
        ControlBinding::sync(prop);
    }
}

} // namespace velmor
