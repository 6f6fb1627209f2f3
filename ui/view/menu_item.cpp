#include "ui/view/menu_item.h"

namespace velmor {

MenuItem::MenuItem(std::string name, std::string caption, std::string shortcut)
    : name_(std::move(name)), caption_(std::move(caption)), shortcut_(std::move(shortcut)) {}

void MenuItem::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (observer_) observer_->menuChanged(*this);
}

} // namespace velmor
