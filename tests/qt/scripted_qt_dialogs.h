#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "tests/support/scripted_dialogs.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_shell.h"

namespace velmor::test {

// Boxes and file dialogs answered from the queues of ScriptedDialogs, and recorded there;
// every form shown in a real window by QtShell. A modal form runs the next scripted action
// once its window is up and active, inside the form's own event loop, so the action drives
// the real widgets with keys and clicks while the caller is still blocked in the show. A
// modal form that the action leaves open fails the test and is unloaded, so a test never hangs.
class ScriptedQtDialogs : public ScriptedDialogs {
  public:
    QtShell shell;

    ScriptedQtDialogs() { shell.setErrorBoxes(this); }

    // The real window of a form shown through this service.
    FormWindow& windowOf(const Form& form) {
        FormWindow* w = shell.windowOf(form);
        if (!w) throw std::logic_error("no window for " + form.name());
        return *w;
    }

    void showForm(Form& form, bool modal) override {
        // Load first, so the record carries the caption the load handler sets.
        if (!form.Loaded()) form.load();
        record(Box::FormShown, form.name(), form.Caption()).modal = modal;
        if (!form.Loaded()) return;
        if (!modal) {
            shell.showForm(form, false);
            return;
        }
        std::function<void(Form&)> action;
        if (!modalActions.empty()) {
            action = std::move(modalActions.front());
            modalActions.pop_front();
        } else {
            ADD_FAILURE() << "unscripted modal form: " << form.name();
        }
        auto showing = std::make_shared<bool>(true);
        QTimer::singleShot(0, qApp, [this, &form, name = form.name(), action, showing] {
            // The form may be gone already: only its name is used then.
            if (!*showing) {
                ADD_FAILURE() << "modal form " << name << " closed before its action";
                return;
            }
            // Activation is queued by the platform; a dialog counts as active for QWindow as
            // soon as its parent is, so wait for the application's own active window.
            if (FormWindow* w = shell.windowOf(form)) {
                QWidget* window = w->window();
                if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }))
                    ADD_FAILURE() << "modal form " << form.name() << " never became active";
            }
            if (action && *showing) action(form);
            if (*showing && form.Loaded()) {
                ADD_FAILURE() << "modal form " << form.name() << " left open by its action";
                form.unload();
            }
        });
        QPointer<QWidget> below = QApplication::activeWindow();
        shell.showForm(form, true);
        *showing = false;
        // A desktop gives the activation back to the window below a closed dialog; the
        // offscreen platform leaves no window active.
        if (!QApplication::activeWindow() && below && below->isVisible()) {
            below->activateWindow();
            static_cast<void>(QTest::qWaitFor(
                [&below] { return !below || QApplication::activeWindow() == below; }));
        }
    }
};

} // namespace velmor::test
