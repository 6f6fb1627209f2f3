#pragma once

#include "ui/qt/control_binding.h"

class QLabel;

namespace velmor {

class Picture;
class Line;

// A QLabel showing the picture's image resource scaled to the control.
class PictureBinding : public ControlBinding {
  public:
    PictureBinding(FormWindow& window, Picture& picture, QWidget* parent);
};

// A sunken horizontal rule across the line's rectangle.
class LineBinding : public ControlBinding {
  public:
    LineBinding(FormWindow& window, Line& line, QWidget* parent);
};

} // namespace velmor
