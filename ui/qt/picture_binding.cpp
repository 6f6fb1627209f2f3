#include "ui/qt/picture_binding.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

#include "ui/qt/qt_convert.h"
#include "ui/view/command_button.h"

namespace velmor {

PictureBinding::PictureBinding(FormWindow& window, Picture& picture, QWidget* parent)
    : ControlBinding(window, picture, new QLabel(parent)) {
    auto* label = static_cast<QLabel*>(widget());
    label->setPixmap(QPixmap(resourcePath(picture.resource())));
    label->setScaledContents(true);
    label->setFocusPolicy(Qt::NoFocus);
    tabPolicy_ = Qt::NoFocus;
}

LineBinding::LineBinding(FormWindow& window, Line& line, QWidget* parent)
    : ControlBinding(window, line, new QFrame(parent)) {
    auto* frame = static_cast<QFrame*>(widget());
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setFocusPolicy(Qt::NoFocus);
    tabPolicy_ = Qt::NoFocus;
}

} // namespace velmor
