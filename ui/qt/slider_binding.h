#pragma once

#include "ui/qt/control_binding.h"

class QSlider;

namespace velmor {

class Slider;

// A horizontal QSlider with tick marks. Drag positions report as scrolling; the end of a
// drag, a click on the groove or an arrow key reports a completed move.
class SliderBinding : public ControlBinding {
  public:
    SliderBinding(FormWindow& window, Slider& slider, QWidget* parent);
    void syncAll() override;

  protected:
    void sync(Prop prop) override;

  private:
    Slider* slider() const;
    QSlider* bar_;
};

} // namespace velmor
