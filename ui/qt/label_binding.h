#pragma once

#include "ui/qt/control_binding.h"

class QLabel;

namespace velmor {

class Label;

// A word-wrapped QLabel showing the caption as plain text.
class LabelBinding : public ControlBinding {
  public:
    LabelBinding(FormWindow& window, Label& label, QWidget* parent);
    void syncAll() override;

  protected:
    void sync(Prop prop) override;

  private:
    QLabel* label_;
};

} // namespace velmor
