#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/view/control.h"

namespace velmor {

class CommandButton;
class MenuItem;
class Form;

enum class FormProp { Caption, Size, MousePointer, Visible, Focus, Loaded };

class FormObserver {
  public:
    virtual ~FormObserver() = default;
    virtual void formChanged(Form& form, FormProp prop) = 0;
    // The form is being destroyed (its controls are already gone): drop every reference.
    virtual void formDestroyed(Form&) {}
    // The form's owner is about to destroy it and its controls: let the window go while
    // the controls still exist.
    virtual void formReleased(Form&) {}
};

inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

// unloadMode of QueryUnload: closed through the window frame, or by code.
inline constexpr int kUnloadFromFrame = 0;
inline constexpr int kUnloadFromCode = 1;

// A window: caption, outer size in twips, mouse pointer, its controls and menus, the focus,
// and the load / query-unload / unload / resize events.
class Form {
  public:
    explicit Form(std::string name, std::string caption = {});
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void setCaption(std::string caption);
    double Width() const { return width_; }
    double Height() const { return height_; }
    // Assigning a size raises Resize, as a user resize does.
    void setWidth(double width);
    void setHeight(double height);
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Loaded() const { return loaded_; }
    const std::string& icon() const { return icon_; }
    void setIcon(std::string resource) { icon_ = std::move(resource); }
    // Fixed-size dialog, or a window the user may resize.
    bool resizable() const { return resizable_; }
    void setResizable(bool resizable) { resizable_ = resizable; }

    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::string& name) const;
    const std::vector<Control*>& tabOrder() const { return tabOrder_; }
    void setTabOrder(std::vector<Control*> order) { tabOrder_ = std::move(order); }
    const std::vector<MenuItem*>& menus() const { return menus_; }
    void addMenu(MenuItem& menu) { menus_.push_back(&menu); }
    CommandButton* defaultButton() const { return default_; }
    CommandButton* cancelButton() const { return cancel_; }
    void setDefaultButton(CommandButton* b) { default_ = b; }
    void setCancelButton(CommandButton* b) { cancel_ = b; }

    Control* ActiveControl() const { return active_; }
    // Moves the focus, raising LostFocus of the old control and GotFocus of the new one.
    void moveFocus(Control* to);

    // Raises Load once.
    void load();
    // QueryUnload then Unload; false when a handler cancelled.
    bool unload(int mode = kUnloadFromCode);

    std::function<void()> onLoad;
    std::function<void(int& cancel, int unloadMode)> onQueryUnload;
    std::function<void(int& cancel)> onUnload;
    std::function<void()> onResize;

    // User actions.
    void userFocus(Control* to);
    void userResize(double width, double height);
    bool userClose() { return unload(kUnloadFromFrame); }
    void userPressEscape();
    void userPressEnter();
    // Tab / Shift+Tab: the next focusable tab stop in tab order.
    void userTab(bool backwards = false);

    void setObserver(FormObserver* observer) { observer_ = observer; }
    // Owners whose controls are members declared after the form call this first in their
    // destructor, so that no window outlives the controls it shows.
    void releaseWindow() {
        if (observer_) observer_->formReleased(*this);
    }
    FormObserver* observer() const { return observer_; }

  private:
    friend class Control;
    void registerControl(Control* c) { controls_.push_back(c); }
    void unregisterControl(Control* c);
    void notify(FormProp prop);

    std::string name_, caption_, icon_;
    double width_ = 0, height_ = 0;
    int mousePointer_ = kPointerDefault;
    bool visible_ = false, loaded_ = false, resizable_ = false;
    std::vector<Control*> controls_, tabOrder_;
    std::vector<MenuItem*> menus_;
    CommandButton *default_ = nullptr, *cancel_ = nullptr;
    Control* active_ = nullptr;
    bool focusPending_ = false;
    std::uint64_t focusMoves_ = 0;
    FormObserver* observer_ = nullptr;
};

} // namespace velmor
