#include "ui/view/slider.h"

#include <algorithm>

namespace velmor {

Slider::Slider(Form& form, std::string name, int min, int max)
    : Control(form, std::move(name), ControlKind::Slider), min_(min), max_(max), value_(min) {}

void Slider::setValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) return;
    value_ = value;
    notify(Prop::Value);
    if (onChange) onChange();
}

void Slider::setSteps(int small, int large) {
    small_ = small;
    large_ = large;
    notify(Prop::Range);
}

void Slider::userScroll(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) return;
    value_ = value;
    if (onScroll) onScroll();
}

void Slider::userSetValue(int value) {
    value = std::clamp(value, min_, max_);
    bool changed = value != value_;
    value_ = value;
    // A completed move reports once even when dragging already reached the value.
    if (onChange) onChange();
    if (changed) notify(Prop::Value);
}

} // namespace velmor
