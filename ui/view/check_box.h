#pragma once

#include "ui/view/control.h"

namespace velmor {

// A check box: a caption (with its '&' access key) and a Value, 0 unticked or 1 ticked.
// Assigning a different Value raises Click, as a click by the user does.
class CheckBox : public Control {
  public:
    CheckBox(Form& form, std::string name, std::string caption);

    const std::string& Caption() const { return caption_; }
    int Value() const { return value_; }
    void setValue(int value);

    std::function<void()> onClick;

    // A click, Space or the access key: the focus moves here first, then the box toggles.
    void userClick();

  private:
    std::string caption_;
    int value_ = 0;
};

} // namespace velmor
