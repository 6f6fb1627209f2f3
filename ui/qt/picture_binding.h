#pragma once

#include "ui/qt/control_binding.h"

class QLabel;

namespace velmor {

class Picture;

// A QLabel showing the picture's image resource scaled to the control.
class PictureBinding : public ControlBinding {
  public:
    PictureBinding(FormWindow& window, Picture& picture, QWidget* parent);
};

} // namespace velmor
