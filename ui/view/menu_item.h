#pragma once

#include <functional>
#include <string>
#include <vector>

namespace velmor {

class MenuItem;

class MenuObserver {
  public:
    virtual ~MenuObserver() = default;
    virtual void menuChanged(MenuItem& item) = 0;
};

// A menu command or a top-level menu with children. Shortcut is in Qt's portable text form
// ("Ctrl+O"), empty when none.
class MenuItem {
  public:
    MenuItem(std::string name, std::string caption, std::string shortcut = {});

    const std::string& name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    const std::string& Shortcut() const { return shortcut_; }
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    const std::vector<MenuItem*>& children() const { return children_; }
    void add(MenuItem& child) { children_.push_back(&child); }

    std::function<void()> onClick;
    void userClick() {
        if (enabled_ && onClick) onClick();
    }

    void setObserver(MenuObserver* observer) { observer_ = observer; }

  private:
    std::string name_, caption_, shortcut_;
    bool enabled_ = true;
    std::vector<MenuItem*> children_;
    MenuObserver* observer_ = nullptr;
};

} // namespace velmor
