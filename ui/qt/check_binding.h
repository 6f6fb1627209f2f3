#pragma once

#include "ui/qt/control_binding.h"

class QCheckBox;

namespace velmor {

class CheckBox;

// A QCheckBox: a click, Space or the access key goes to the control, which decides the
// state; the widget only mirrors the control's Value.
class CheckBinding : public ControlBinding {
  public:
    CheckBinding(FormWindow& window, CheckBox& box, QWidget* parent);
    void syncAll() override;

  protected:
    void sync(Prop prop) override;

  private:
    QCheckBox* box_;
};

} // namespace velmor
