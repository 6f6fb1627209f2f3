#include "ui/qt/form_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QResizeEvent>

#include "engine/runtime_error.h"
#include "ui/adapters/error_prompt.h"
#include "ui/qt/button_binding.h"
#include "ui/qt/check_binding.h"
#include "ui/qt/combo_binding.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/label_binding.h"
#include "ui/qt/picture_binding.h"
#include "ui/qt/qt_convert.h"
#include "ui/qt/slider_binding.h"
#include "ui/qt/text_binding.h"
#include "ui/view/check_box.h"
#include "ui/view/combo_box.h"
#include "ui/view/command_button.h"
#include "ui/view/grid.h"
#include "ui/view/slider.h"
#include "ui/view/text_box.h"

namespace velmor {

namespace {
// Frame and title bar of a window, in twips, beyond its client area; a menu bar adds 300.
constexpr double kFrameWidth = 120;
constexpr double kFrameHeight = 510;
constexpr double kMenuBarHeight = 300;
constexpr double kFormFontPoints = 8.25;

int menuBarHeight(QMenuBar* bar, int width) {
    int h = bar->heightForWidth(width);
    return h > 0 ? h : bar->sizeHint().height();
}
} // namespace

FormWindow::FormWindow(Form& form, QWidget* parent) : form_(&form) {
    hasMenus_ = !form.menus().empty();
    if (hasMenus_ || form.resizable()) {
        auto* main = new QMainWindow(parent, parent ? Qt::Window : Qt::WindowFlags());
        client_ = new QWidget(main);
        main->setCentralWidget(client_);
        window_ = main;
        if (hasMenus_) buildMenus(main->menuBar());
    } else {
        auto* dialog = new QDialog(parent);
        client_ = dialog;
        window_ = dialog;
    }
    window_->setObjectName(toQt(form.name()));
    // The twips layout was drawn for a narrow 8-point dialog font: prefer the common
    // Arial-metric faces, else the desktop's own.
    QFont font = window_->font();
    QStringList families{"Liberation Sans", "Arimo", "Nimbus Sans", "Arial", "Helvetica"};
    families << font.families();
    font.setFamilies(families);
    font.setPointSizeF(kFormFontPoints);
    window_->setFont(font);
    window_->setWindowTitle(toQt(form.Caption()));
    if (!form.icon().empty()) window_->setWindowIcon(QIcon(resourcePath(form.icon())));
    window_->installEventFilter(this);
    if (client_ != window_) client_->installEventFilter(this);

    buildControls();
    applyTabOrder();
    sizeTimer_.setSingleShot(true);
    connect(&sizeTimer_, &QTimer::timeout, this, [this] { applySize(); });
    applySize();
    form.setObserver(this);
    mirrorFocus();
    mirrorPointer();
}

FormWindow::~FormWindow() {
    detach(form_ != nullptr);
    if (cursorPushed_) QApplication::restoreOverrideCursor();
    // The widgets go first: their destruction may still send events through the filter.
    delete window_.data();
    byWidget_.clear();
    bindings_.clear();
}

void FormWindow::buildMenus(QMenuBar* bar) {
    for (MenuItem* top : form_->menus()) {
        QMenu* menu = bar->addMenu(toQt(top->Caption()));
        actions_[top] = menu->menuAction();
        menu->menuAction()->setEnabled(top->Enabled());
        top->setObserver(this);
        menuItems_.push_back(top);
        for (MenuItem* child : top->children()) addMenuItems(menu, *child);
    }
}

void FormWindow::addMenuItems(QMenu* menu, MenuItem& item) {
    QAction* action = nullptr;
    if (!item.children().empty()) {
        QMenu* sub = menu->addMenu(toQt(item.Caption()));
        for (MenuItem* child : item.children()) addMenuItems(sub, *child);
        action = sub->menuAction();
    } else if (item.Caption() == "-") {
        menu->addSeparator();
        return;
    } else {
        action = menu->addAction(toQt(item.Caption()));
        if (!item.Shortcut().empty()) action->setShortcut(QKeySequence(toQt(item.Shortcut())));
        MenuItem* target = &item;
        connect(action, &QAction::triggered, this, [this, target] {
            guard([&] {
                if (form_) target->userClick();
            });
        });
    }
    action->setEnabled(item.Enabled());
    actions_[&item] = action;
    item.setObserver(this);
    menuItems_.push_back(&item);
}

void FormWindow::buildControls() {
    for (Control* c : form_->controls()) {
        std::unique_ptr<ControlBinding> b;
        switch (c->kind()) {
        case ControlKind::Button:
            b = std::make_unique<ButtonBinding>(*this, static_cast<CommandButton&>(*c), client_);
            break;
        case ControlKind::Label:
            b = std::make_unique<LabelBinding>(*this, static_cast<Label&>(*c), client_);
            break;
        case ControlKind::Picture:
            b = std::make_unique<PictureBinding>(*this, static_cast<Picture&>(*c), client_);
            break;
        case ControlKind::TextBox:
            b = std::make_unique<TextBinding>(*this, static_cast<TextBox&>(*c), client_);
            break;
        case ControlKind::ComboBox:
            b = std::make_unique<ComboBinding>(*this, static_cast<ComboBox&>(*c), client_);
            break;
        case ControlKind::Slider:
            b = std::make_unique<SliderBinding>(*this, static_cast<Slider&>(*c), client_);
            break;
        case ControlKind::Grid:
            b = std::make_unique<GridBinding>(*this, static_cast<Grid&>(*c), client_);
            break;
        case ControlKind::CheckBox:
            b = std::make_unique<CheckBinding>(*this, static_cast<CheckBox&>(*c), client_);
            break;
        case ControlKind::Line:
            b = std::make_unique<LineBinding>(*this, static_cast<Line&>(*c), client_);
            break;
        }
        b->syncAll();
        watch(b->widget(), b.get());
        byControl_[c] = b.get();
        bindings_.push_back(std::move(b));
    }
}

void FormWindow::applyTabOrder() {
    QWidget* previous = nullptr;
    for (Control* c : form_->tabOrder()) {
        QWidget* w = widgetFor(*c);
        if (!w || !c->canTakeFocus()) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void FormWindow::watch(QWidget* widget, ControlBinding* binding) {
    auto add = [&](QWidget* w) {
        w->installEventFilter(this);
        byWidget_[w] = binding;
    };
    add(widget);
    // Popups (a combo box's list) are windows of their own and keep their own keys.
    for (QWidget* child : widget->findChildren<QWidget*>())
        if (!child->isWindow() && child->window() == widget->window()) add(child);
}

QWidget* FormWindow::widgetFor(const Control& control) const {
    ControlBinding* b = bindingFor(control);
    return b ? b->widget() : nullptr;
}

ControlBinding* FormWindow::bindingFor(const Control& control) const {
    auto it = byControl_.find(&control);
    return it == byControl_.end() ? nullptr : it->second;
}

QAction* FormWindow::actionFor(const MenuItem& item) const {
    auto it = actions_.find(&item);
    return it == actions_.end() ? nullptr : it->second;
}

QSize FormWindow::clientSizeOf(double width, double height) const {
    double frameHeight = kFrameHeight + (hasMenus_ ? kMenuBarHeight : 0);
    return {std::max(0, twipsToPx(width - kFrameWidth)),
            std::max(0, twipsToPx(height - frameHeight))};
}

void FormWindow::applySize() {
    if (!form_ || !window_) return;
    sizeTimer_.stop();
    Mirror mirror(*this);
    QSize client = clientSizeOf(form_->Width(), form_->Height());
    auto* main = qobject_cast<QMainWindow*>(window_.data());
    if (!main) {
        window_->setFixedSize(client);
        return;
    }
    QSize outer(client.width(),
                client.height() + (hasMenus_ ? menuBarHeight(main->menuBar(), client.width()) : 0));
    if (form_->resizable())
        window_->resize(outer);
    else
        window_->setFixedSize(outer);
}

void FormWindow::clientResized(QSize size) {
    // Sizes the binding itself applies, or is about to apply, are no user resize.
    if (!form_ || mirroring() || sizeTimer_.isActive() || !form_->resizable()) return;
    if (size == clientSizeOf(form_->Width(), form_->Height())) return;
    double frameHeight = kFrameHeight + (hasMenus_ ? kMenuBarHeight : 0);
    form_->userResize(pxToTwips(size.width()) + kFrameWidth,
                      pxToTwips(size.height()) + frameHeight);
}

void FormWindow::present(bool modal) {
    if (!form_ || !window_) return;
    applySize();
    Qt::WindowModality modality = !modal                    ? Qt::NonModal
                                  : window_->parentWidget() ? Qt::WindowModal
                                                            : Qt::ApplicationModal;
    if (window_->windowModality() != modality) {
        if (window_->isVisible()) window_->hide();
        window_->setWindowModality(modality);
    }
    form_->setVisible(true);
    if (!form_) return;
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void FormWindow::formChanged(Form& form, FormProp prop) {
    if (&form != form_ || !window_) return;
    switch (prop) {
    case FormProp::Caption:
        window_->setWindowTitle(toQt(form.Caption()));
        break;
    case FormProp::Size:
        // Resize handlers assign width and height one after the other: apply the result once.
        if (!sizeTimer_.isActive()) sizeTimer_.start(0);
        break;
    case FormProp::MousePointer:
        mirrorPointer();
        break;
    case FormProp::Visible: {
        Mirror mirror(*this);
        window_->setVisible(form.Visible());
        break;
    }
    case FormProp::Focus:
        mirrorFocus();
        break;
    case FormProp::Loaded:
        if (!form.Loaded()) gone();
        break;
    }
}

void FormWindow::formDestroyed(Form& form) {
    if (&form != form_) return;
    detach(false);
    gone();
}

void FormWindow::formReleased(Form& form) {
    if (&form == form_) gone();
}

void FormWindow::menuChanged(MenuItem& item) {
    if (QAction* a = actionFor(item)) a->setEnabled(item.Enabled());
}

void FormWindow::mirrorFocus() {
    if (!form_ || !form_->ActiveControl()) return;
    QWidget* w = widgetFor(*form_->ActiveControl());
    if (!w) return;
    Mirror mirror(*this);
    w->setFocus(Qt::OtherFocusReason);
}

void FormWindow::mirrorPointer() {
    bool busy = form_ && form_->MousePointer() == kPointerHourglass;
    if (busy && !cursorPushed_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorPushed_ = true;
    } else if (!busy && cursorPushed_) {
        QApplication::restoreOverrideCursor();
        cursorPushed_ = false;
    }
}

void FormWindow::reportFocus(ControlBinding* binding, Qt::FocusReason reason) {
    if (mirroring() || !form_) return;
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::ActiveWindowFocusReason:
    case Qt::OtherFocusReason:
        break;
    default:
        return; // a menu or popup closing hands the focus back: no move
    }
    // Focus handed back to the active control (its window reactivated while a handler
    // still runs a box) is no move, and must not complete one still under way.
    Control* c = binding->control();
    if (c && c != form_->ActiveControl()) form_->userFocus(c);
}

bool FormWindow::windowKey(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        form_->userPressEscape();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        form_->userPressEnter();
        return true;
    default:
        return false;
    }
}

bool FormWindow::windowClose(QCloseEvent& event) {
    // Closing through the frame unloads the form, unless a handler keeps it.
    event.setAccepted(form_->userClose());
    return true;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    bool used = false;
    if (guard([&] { used = filterEvent(watched, event); })) return used;
    // The handler failed: the event is spent, and a close it was deciding keeps the window.
    if (event->type() == QEvent::Close) event->ignore();
    return true;
}

void FormWindow::reportEscaped(std::exception_ptr error) noexcept {
    try {
        RuntimeError shown(err::InternalError);
        try {
            std::rethrow_exception(error);
        } catch (const RuntimeError& e) {
            shown = e;
        } catch (const std::bad_alloc&) {
            shown = RuntimeError(err::OutOfMemory);
        } catch (...) {
        }
        // The handler never reached its own end, which restores the pointer.
        if (form_) form_->setMousePointer(kPointerDefault);
        if (errorBoxes_) {
            errorBoxes_->msgBox(errorPromptDash(shown), MsgButtons::OK, MsgIcon::Critical,
                                kAppTitle);
        } else {
            QMessageBox::critical(window_, toQt(kAppTitle), toQt(errorPromptDash(shown)));
        }
    } catch (...) {
        // Not even the box could be shown (memory exhausted): the program still goes on.
    }
}

bool FormWindow::filterEvent(QObject* watched, QEvent* event) {
    if (!form_) return false;
    auto binding = [&]() -> ControlBinding* {
        auto it = byWidget_.find(watched);
        return it == byWidget_.end() ? nullptr : it->second;
    };
    switch (event->type()) {
    case QEvent::FocusIn:
        if (ControlBinding* b = binding())
            reportFocus(b, static_cast<QFocusEvent*>(event)->reason());
        break;
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == window_) return windowKey(key);
        // Keys a widget ignores travel up to its parents: act on them once, where the
        // focus lands (the control's own widget; inner parts are focus proxies of it).
        ControlBinding* b = binding();
        if (b && watched == b->widget()) {
            b->flush();
            return b->keyPress(key);
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (ControlBinding* b = binding()) b->flush();
        break;
    case QEvent::Close:
        if (watched == window_) return windowClose(static_cast<QCloseEvent&>(*event));
        break;
    case QEvent::Resize:
        if (watched == client_ && client_ != window_)
            clientResized(static_cast<QResizeEvent*>(event)->size());
        break;
    default:
        break;
    }
    return false;
}

void FormWindow::detach(bool alive) {
    if (!form_) return;
    for (auto& b : bindings_) b->detach(alive);
    if (alive) {
        if (form_->observer() == this) form_->setObserver(nullptr);
        for (MenuItem* item : menuItems_) item->setObserver(nullptr);
    }
    menuItems_.clear();
    form_ = nullptr;
    sizeTimer_.stop();
}

void FormWindow::gone() {
    if (form_) detach(true);
    if (cursorPushed_) {
        QApplication::restoreOverrideCursor();
        cursorPushed_ = false;
    }
    if (window_) window_->hide();
    if (modalLoop_) modalLoop_->quit();
    modalLoop_ = nullptr;
    if (auto done = std::move(onGone)) {
        onGone = nullptr;
        done(*this);
    }
}

} // namespace velmor
