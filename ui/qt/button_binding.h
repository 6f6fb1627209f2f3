#pragma once

#include "ui/qt/control_binding.h"

class QPushButton;

namespace velmor {

class CommandButton;

// A QPushButton: the caption keeps its '&' access key; Enter or Space on the focused button
// and its access key press it, as does Enter (default) or Esc (cancel) anywhere in the form.
class ButtonBinding : public ControlBinding {
  public:
    ButtonBinding(FormWindow& window, CommandButton& button, QWidget* parent);
    void syncAll() override;

  protected:
    void sync(Prop prop) override;

  private:
    QPushButton* button_;
};

} // namespace velmor
