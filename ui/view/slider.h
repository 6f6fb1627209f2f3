#pragma once

#include "ui/view/control.h"

namespace velmor {

class Slider : public Control {
  public:
    Slider(Form& form, std::string name, int min, int max);

    int Value() const { return value_; }
    // Assigning a different value raises Change.
    void setValue(int value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int SmallChange() const { return small_; }
    int LargeChange() const { return large_; }
    void setSteps(int small, int large);

    std::function<void()> onChange; // a completed move
    std::function<void()> onScroll; // while dragging

    void userScroll(int value);   // intermediate drag positions
    void userSetValue(int value); // a completed move

  private:
    int min_, max_, value_, small_ = 1, large_ = 5;
};

} // namespace velmor
