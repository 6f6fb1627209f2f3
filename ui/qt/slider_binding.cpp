#include "ui/qt/slider_binding.h"

#include <QSlider>

#include "ui/qt/form_window.h"
#include "ui/view/slider.h"

namespace velmor {

SliderBinding::SliderBinding(FormWindow& window, Slider& slider, QWidget* parent)
    : ControlBinding(window, slider, new QSlider(Qt::Horizontal, parent)),
      bar_(static_cast<QSlider*>(widget())) {
    bar_->setTickPosition(QSlider::TicksBelow);
    bar_->setTickInterval(1);
    connect(bar_, &QSlider::sliderMoved, this, [this](int value) {
        this->window().guard([&] {
            if (Slider* s = this->slider(); s && !this->window().mirroring()) s->userScroll(value);
        });
    });
    connect(bar_, &QSlider::valueChanged, this, [this](int value) {
        if (bar_->isSliderDown()) return; // a drag completes on release
        this->window().guard([&] {
            if (Slider* s = this->slider(); s && !this->window().mirroring())
                s->userSetValue(value);
        });
    });
    connect(bar_, &QSlider::sliderReleased, this, [this] {
        this->window().guard([this] {
            if (Slider* s = this->slider(); s && !this->window().mirroring())
                s->userSetValue(bar_->value());
        });
    });
}

Slider* SliderBinding::slider() const {
    return static_cast<Slider*>(control());
}

void SliderBinding::syncAll() {
    ControlBinding::syncAll();
    FormWindow::Mirror mirror(window());
    sync(Prop::Range);
    sync(Prop::Value);
}

void SliderBinding::sync(Prop prop) {
    Slider* s = slider();
    if (!s) return;
    switch (prop) {
    case Prop::Range:
        bar_->setRange(s->Min(), s->Max());
        bar_->setSingleStep(s->SmallChange());
        bar_->setPageStep(s->LargeChange());
        break;
    case Prop::Value:
        if (bar_->value() != s->Value()) bar_->setValue(s->Value());
        break;
    default:
        ControlBinding::sync(prop);
    }
}

} // namespace velmor
