#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmor {

class Form;
class Control;

enum class ControlKind { Button, Label, TextBox, ComboBox, Slider, Grid, Picture, Line, CheckBox };

// What changed on a control; the Qt binding mirrors it onto the widget.
enum class Prop {
    Text,
    Caption,
    Enabled,
    Visible,
    TabStop,
    Geometry,
    ToolTip,
    Items,
    ListIndex,
    Value,
    Cells,
    Shape,
    ColWidth,
    CurrentCell,
    Font,
    Selection,
    Range,
    Scroll
};

class ControlObserver {
  public:
    virtual ~ControlObserver() = default;
    virtual void propertyChanged(Control& control, Prop prop) = 0;
};

// Virtual key codes and shift bits as the key handlers receive them.
namespace key {
inline constexpr int Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32;
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46;
inline constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;
} // namespace key

// Base of every abstract control: enabled, visible, tab stop, geometry in twips, tooltip,
// focus and key events. Events run synchronously inside the call that raised them.
class Control {
  public:
    Control(Form& form, std::string name, ControlKind kind);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    ControlKind kind() const { return kind_; }
    Form& form() const { return form_; }

    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool TabStop() const { return tabStop_; }
    void setTabStop(bool tabStop);
    const std::string& ToolTipText() const { return toolTip_; }
    void setToolTipText(std::string text);

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void move(double left, double top, double width, double height);

    // Moves the focus here: LostFocus of the old control, then GotFocus of this one.
    // Run-time error 5 when the control is disabled, hidden or cannot take the focus.
    void SetFocus();
    bool hasFocus() const;
    virtual bool canTakeFocus() const { return true; }

    // Events.
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(int& keyCode, int shift)> onKeyDown;
    std::function<void(int& keyAscii)> onKeyPress;

    // User actions, called by the binding and by tests.
    void userKeyDown(int keyCode, int shift = 0);

    void setObserver(ControlObserver* observer) { observer_ = observer; }

  protected:
    void notify(Prop prop);
    // KeyPress with the code; returns the code after the handler (0: swallowed).
    int raiseKeyPress(int code);

  private:
    Form& form_;
    std::string name_;
    ControlKind kind_;
    bool enabled_ = true, visible_ = true, tabStop_ = true;
    std::string toolTip_;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    ControlObserver* observer_ = nullptr;
};

} // namespace velmor
