#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "ui/view/control.h"

class QKeyEvent;

namespace velmor {

class FormWindow;

// One widget standing for one abstract control: mirrors the control's properties onto the
// widget and forwards the user's actions to the control. The base handles what every
// control has (enabled, visible, tab stop, geometry, tooltip).
class ControlBinding : public QObject, public ControlObserver {
  public:
    ControlBinding(FormWindow& window, Control& control, QWidget* widget);
    ~ControlBinding() override;

    // The abstract control, or nullptr once the binding is detached.
    Control* control() const { return control_; }
    QWidget* widget() const { return widget_; }
    FormWindow& window() const { return window_; }

    // Mirrors every property; called once the widget has been made.
    virtual void syncAll();
    void propertyChanged(Control& control, Prop prop) final;
    // Stops forwarding and mirroring; `alive` says whether the control may still be told.
    void detach(bool alive);

    // A key pressed while the widget has the focus; true when the key was used up.
    virtual bool keyPress(QKeyEvent& event);
    // Applies pending changes before a user action reaches the control.
    virtual void flush() {}

  protected:
    virtual void sync(Prop prop);
    // The key sequence of an edit field: KeyDown, then each character the key types goes to
    // `typeChar` after `syncSelection` copied the caret into the control. Enter that leaves
    // the focus where it was presses the form's default button when `enterPressesDefault`.
    // True when the key typed characters, so the widget must not apply it itself.
    bool typeKey(QKeyEvent& event, const std::function<void()>& syncSelection,
                 const std::function<void(int)>& typeChar, bool enterPressesDefault);
    // Focus policy of the widget when it is a tab stop.
    Qt::FocusPolicy tabPolicy_;

  private:
    FormWindow& window_;
    Control* control_;
    QPointer<QWidget> widget_;
};

} // namespace velmor
