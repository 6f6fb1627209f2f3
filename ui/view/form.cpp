#include "ui/view/form.h"

#include <algorithm>

#include "ui/view/command_button.h"

namespace velmor {

Form::Form(std::string name, std::string caption)
    : name_(std::move(name)), caption_(std::move(caption)) {}

Form::~Form() {
    if (observer_) observer_->formDestroyed(*this);
}

void Form::notify(FormProp prop) {
    if (observer_) observer_->formChanged(*this, prop);
}

void Form::setCaption(std::string caption) {
    caption_ = std::move(caption);
    notify(FormProp::Caption);
}

void Form::setWidth(double width) {
    width_ = width;
    notify(FormProp::Size);
    if (onResize) onResize();
}

void Form::setHeight(double height) {
    height_ = height;
    notify(FormProp::Size);
    if (onResize) onResize();
}

void Form::setMousePointer(int pointer) {
    if (mousePointer_ == pointer) return;
    mousePointer_ = pointer;
    notify(FormProp::MousePointer);
}

void Form::setVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    notify(FormProp::Visible);
}

Control* Form::find(const std::string& name) const {
    auto it = std::find_if(controls_.begin(), controls_.end(),
                           [&](Control* c) { return c->name() == name; });
    return it == controls_.end() ? nullptr : *it;
}

void Form::unregisterControl(Control* c) {
    std::erase(controls_, c);
    std::erase(tabOrder_, c);
    if (active_ == c) active_ = nullptr;
}

void Form::moveFocus(Control* to) {
    if (to == active_ && !focusPending_) return;
    // A target whose GotFocus has not run yet never had the focus, so it loses nothing.
    Control* from = focusPending_ ? nullptr : active_;
    active_ = to;
    const std::uint64_t move = ++focusMoves_;
    notify(FormProp::Focus);
    if (from && from->onLostFocus) {
        focusPending_ = true;
        from->onLostFocus();
        // A LostFocus handler that moved the focus elsewhere abandons this move.
        if (focusMoves_ != move) return;
    }
    focusPending_ = false;
    if (to && to->onGotFocus) to->onGotFocus();
}

void Form::load() {
    if (loaded_) return;
    loaded_ = true;
    notify(FormProp::Loaded);
    if (onLoad) onLoad();
}

bool Form::unload(int mode) {
    if (!loaded_) return true;
    int cancel = 0;
    if (onQueryUnload) onQueryUnload(cancel, mode);
    if (cancel) return false;
    if (onUnload) onUnload(cancel);
    if (cancel) return false;
    loaded_ = false;
    visible_ = false;
    active_ = nullptr;
    notify(FormProp::Loaded);
    return true;
}

void Form::userFocus(Control* to) {
    if (to && (!to->Enabled() || !to->Visible() || !to->canTakeFocus())) return;
    moveFocus(to);
}

void Form::userResize(double width, double height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    if (onResize) onResize();
}

// Enter and Esc press the default and cancel buttons where the focus is: unlike a click,
// they move no focus, so no LostFocus handler runs first.
void Form::userPressEscape() {
    if (cancel_ && cancel_->Enabled() && cancel_->Visible()) cancel_->click();
}

void Form::userPressEnter() {
    if (default_ && default_->Enabled() && default_->Visible()) default_->click();
}

void Form::userTab(bool backwards) {
    const auto& order = tabOrder_.empty() ? controls_ : tabOrder_;
    if (order.empty()) return;
    auto n = static_cast<int>(order.size());
    auto it = std::find(order.begin(), order.end(), active_);
    int start = it == order.end() ? (backwards ? 0 : n - 1) : static_cast<int>(it - order.begin());
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (backwards ? -step : step)) % n + n) % n;
        Control* c = order[static_cast<std::size_t>(i)];
        if (c->TabStop() && c->Enabled() && c->Visible() && c->canTakeFocus()) {
            moveFocus(c);
            return;
        }
    }
}

} // namespace velmor
