#pragma once

#include "ui/view/control.h"

namespace velmor {

class CommandButton : public Control {
  public:
    CommandButton(Form& form, std::string name, std::string caption);

    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);

    std::function<void()> onClick;

    // A press by mouse, Space, access key, Enter (default) or Esc (cancel). Pressing with
    // the mouse or an access key moves the focus to the button first, as a real click does.
    void userClick();
    // Code calling the handler directly (cmdSave_Click from elsewhere) raises no focus move.
    void click() {
        if (onClick) onClick();
    }

  private:
    std::string caption_;
};

class Label : public Control {
  public:
    Label(Form& form, std::string name, std::string caption);
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    bool canTakeFocus() const override { return false; }

  private:
    std::string caption_;
};

// A picture showing an image resource (the application icon).
class Picture : public Control {
  public:
    Picture(Form& form, std::string name, std::string resource);
    const std::string& resource() const { return resource_; }
    bool canTakeFocus() const override { return false; }

  private:
    std::string resource_;
};

// A separator line; its geometry is the rectangle it is drawn in.
class Line : public Control {
  public:
    Line(Form& form, std::string name);
    bool canTakeFocus() const override { return false; }
};

} // namespace velmor
