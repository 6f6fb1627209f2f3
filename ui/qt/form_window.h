#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/menu_item.h"

class QAction;
class QEventLoop;
class QMenu;
class QMenuBar;
class QCloseEvent;
class QKeyEvent;

namespace velmor {

class ControlBinding;

// The real window of one abstract form: a QMainWindow for a resizable form with menus, a
// fixed-size QDialog otherwise, one widget per control placed from its twips geometry.
// Works with any dialog service, so tests can drive real widgets over scripted boxes.
class FormWindow : public QObject, public FormObserver, public MenuObserver {
  public:
    explicit FormWindow(Form& form, QWidget* parent = nullptr);
    ~FormWindow() override;

    // Marks a stretch of code that mirrors the abstract state onto the widgets: focus moves
    // and widget signals it causes are not reported back.
    class Mirror {
      public:
        explicit Mirror(FormWindow& w) : w_(w) { ++w_.mirroring_; }
        ~Mirror() { --w_.mirroring_; }
        Mirror(const Mirror&) = delete;
        Mirror& operator=(const Mirror&) = delete;

      private:
        FormWindow& w_;
    };
    bool mirroring() const { return mirroring_ > 0; }

    // The form, or nullptr once it was unloaded or destroyed.
    Form* form() const { return form_; }
    QWidget* window() const { return window_; }
    // The area the controls are placed on (the client area).
    QWidget* client() const { return client_; }
    QWidget* widgetFor(const Control& control) const;
    ControlBinding* bindingFor(const Control& control) const;
    QAction* actionFor(const MenuItem& item) const;

    // Shows the window (modal: blocking its parent window); a second show brings it to the
    // front.
    void present(bool modal);
    // Quits `loop` when the form is unloaded.
    void setModalLoop(QEventLoop* loop) { modalLoop_ = loop; }
    // Called once when the form is unloaded or destroyed; the window is hidden by then.
    std::function<void(FormWindow&)> onGone;

    // Lets events from `widget` and its children reach `binding` (focus, keys).
    void watch(QWidget* widget, ControlBinding* binding);

    // Runs a user action through to the controllers. No exception may leave an event handler
    // into Qt: one that does is shown in an error box and the program goes on. False when the
    // action failed so.
    template <class Action> bool guard(Action&& action) noexcept {
        try {
            action();
            return true;
        } catch (...) {
            reportEscaped(std::current_exception());
            return false;
        }
    }
    // Where the error boxes of guard() go; without one they are plain message boxes.
    void setErrorBoxes(DialogService* boxes) { errorBoxes_ = boxes; }

    // FormObserver, MenuObserver
    void formChanged(Form& form, FormProp prop) override;
    void formDestroyed(Form& form) override;
    void formReleased(Form& form) override;
    void menuChanged(MenuItem& item) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool filterEvent(QObject* watched, QEvent* event);
    void reportEscaped(std::exception_ptr error) noexcept;
    void buildMenus(QMenuBar* bar);
    void addMenuItems(QMenu* menu, MenuItem& item);
    void buildControls();
    void applyTabOrder();
    QSize clientSizeOf(double width, double height) const;
    void applySize();
    void clientResized(QSize size);
    void mirrorFocus();
    void mirrorPointer();
    void reportFocus(ControlBinding* binding, Qt::FocusReason reason);
    bool windowKey(QKeyEvent& event);
    bool windowClose(QCloseEvent& event);
    // Stops all traffic with the abstract objects; `alive` says whether they still exist.
    void detach(bool alive);
    void gone();

    Form* form_;
    bool hasMenus_ = false;
    QPointer<QWidget> window_;
    QWidget* client_ = nullptr;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::map<const Control*, ControlBinding*> byControl_;
    std::map<const QObject*, ControlBinding*> byWidget_;
    std::map<const MenuItem*, QAction*> actions_;
    std::vector<MenuItem*> menuItems_;
    int mirroring_ = 0;
    bool cursorPushed_ = false;
    QTimer sizeTimer_;
    QEventLoop* modalLoop_ = nullptr;
    DialogService* errorBoxes_ = nullptr;
};

} // namespace velmor
