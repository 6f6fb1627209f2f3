#include "ui/qt/qt_shell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <exception>
#include <optional>
#include <thread>

#include "ui/qt/form_window.h"
#include "ui/qt/qt_convert.h"

namespace velmor {

namespace {
// A box or window asking the user for an answer shows the normal pointer, even while the
// window that asked has the hourglass.
class NormalPointer {
  public:
    NormalPointer() : pushed_(QApplication::overrideCursor() != nullptr) {
        if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer() {
        if (pushed_) QApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;

  private:
    bool pushed_;
};

// Drops user input to every window but the progress dialog while long work runs; a close
// request is refused.
class InputBlocker : public QObject {
  public:
    explicit InputBlocker(const QWidget& allowed) : allowed_(allowed) {
        qApp->installEventFilter(this);
    }
    ~InputBlocker() override { qApp->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

    bool eventFilter(QObject* target, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::Close:
            break;
        default:
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(target);
        if (widget && (widget == &allowed_ || allowed_.isAncestorOf(widget))) return false;
        event->ignore();
        return true;
    }

  private:
    const QWidget& allowed_;
};

constexpr int kProgressDelayMs = 500;
constexpr int kProgressPollMs = 50;
constexpr int kProgressSteps = 1000;
} // namespace

QtShell::QtShell() = default;

QtShell::~QtShell() {
    for (auto& [form, window] : windows_) delete window;
}

QWidget* QtShell::ownerWindow() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    // Without an active window (off screen, or between windows): the last window shown.
    QWidget* last = nullptr;
    for (const auto& [form, window] : windows_)
        if (window->window() && window->window()->isVisible()) last = window->window();
    return last;
}

MsgResult QtShell::msgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                          const std::string& title) {
    // Work on the worker thread only ever reports (an OK box): it is shown once the work ends.
    if (QThread::currentThread() != qApp->thread()) {
        std::lock_guard lock(pendingMutex_);
        pending_.push_back({prompt, buttons, icon, title});
        return MsgResult::OK;
    }
    return msgBoxDefault(prompt, buttons, icon, title, 0);
}

MsgResult QtShell::msgBoxDefault(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title, int defaultButton) {
    QMessageBox box(ownerWindow());
    box.setWindowTitle(toQt(title));
    box.setText(promptToQt(prompt));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == MsgIcon::Exclamation   ? QMessageBox::Warning
                : icon == MsgIcon::Critical    ? QMessageBox::Critical
                : icon == MsgIcon::Information ? QMessageBox::Information
                                               : QMessageBox::NoIcon);
    struct Choice {
        const char* text; // Qt's own wording, translated where Qt has a translation
        MsgResult result;
    };
    const Choice ok{"OK", MsgResult::OK}, cancel{"Cancel", MsgResult::Cancel},
        yes{"&Yes", MsgResult::Yes}, no{"&No", MsgResult::No};
    std::vector<Choice> choices;
    switch (buttons) {
    case MsgButtons::OK:
        choices = {ok};
        break;
    case MsgButtons::OKCancel:
        choices = {ok, cancel};
        break;
    case MsgButtons::YesNo:
        choices = {yes, no};
        break;
    case MsgButtons::YesNoCancel:
        choices = {yes, no, cancel};
        break;
    }
    // Buttons of one role keep the order they were added in, whatever the desktop's layout.
    std::vector<QPushButton*> pushButtons;
    for (const Choice& c : choices)
        pushButtons.push_back(box.addButton(QApplication::translate("QPlatformTheme", c.text),
                                            QMessageBox::ActionRole));
    const auto chosen = static_cast<std::size_t>(defaultButton);
    box.setDefaultButton(chosen < pushButtons.size() ? pushButtons[chosen] : pushButtons.front());
    // Esc answers Cancel, else No, else OK: the last button of every set.
    box.setEscapeButton(pushButtons.back());

    NormalPointer pointer;
    box.exec();
    for (std::size_t i = 0; i < pushButtons.size(); ++i)
        if (box.clickedButton() == pushButtons[i]) return choices[i].result;
    return choices.back().result;
}

std::string QtShell::inputBox(const std::string& prompt, const std::string& title,
                              const std::string& defaultText) {
    QInputDialog dialog(ownerWindow());
    dialog.setWindowTitle(toQt(title));
    dialog.setLabelText(promptToQt(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(toQt(defaultText));
    NormalPointer pointer;
    if (dialog.exec() != QDialog::Accepted) return {};
    return fromQt(dialog.textValue());
}

void QtShell::showOpen(FileDialog& dialog) {
    fileDialog(dialog, false);
}
void QtShell::showSave(FileDialog& dialog) {
    fileDialog(dialog, true);
}

void QtShell::fileDialog(FileDialog& d, bool save) {
    QString folder = d.InitDir.empty() ? QDir::currentPath() : toQt(d.InitDir);
    QFileDialog dialog(ownerWindow(), toQt(d.DialogTitle), folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks its own question about an existing file.
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters = nameFilters(d.Filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (save && !d.DefaultExt.empty()) {
        const QString suffix = toQt(d.DefaultExt);
        dialog.setDefaultSuffix(suffix);
        // Only the first filter stands for that extension ("All files" adds none).
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffix, first = filters.value(0)](const QString& chosen) {
                             dialog.setDefaultSuffix(chosen == first ? suffix : QString());
                         });
    }
    if (!d.FileName.empty()) dialog.selectFile(toQt(d.FileName));
    NormalPointer pointer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        d.FileName = fromQt(QDir::toNativeSeparators(dialog.selectedFiles().front()));
    else
        d.FileName.clear();
}

FormWindow* QtShell::windowOf(const Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second;
}

void QtShell::showForm(Form& form, bool modal) {
    if (!form.Loaded()) {
        form.load();
        if (!form.Loaded()) return;
    }
    FormWindow* window = windowOf(form);
    if (!window) {
        window = new FormWindow(form, windows_.empty() ? nullptr : ownerWindow());
        windows_[&form] = window;
        window->setErrorBoxes(errorBoxes_);
        window->onGone = [this, key = &form](FormWindow& w) {
            windows_.erase(key);
            w.deleteLater();
        };
    }
    if (!modal) {
        window->present(false);
        return;
    }
    QPointer<FormWindow> guard(window);
    NormalPointer pointer;
    QEventLoop loop;
    window->setModalLoop(&loop);
    window->present(true);
    if (guard && guard->form()) loop.exec(QEventLoop::DialogExec);
    if (guard) guard->setModalLoop(nullptr);
}

} // namespace velmor

namespace velmor {

bool QtShell::runLongWork(const std::string& title, const std::function<void(Progress&)>& work) {
    SharedProgress progress;
    std::exception_ptr failure;
    bool cancelled = false;
    std::atomic<bool> finished{false};
    QEventLoop loop;

    QProgressDialog dialog(toQt(title), QApplication::translate("QPlatformTheme", "Cancel"), 0,
                           kProgressSteps, ownerWindow());
    dialog.setWindowTitle(toQt(kAppTitle));
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(0);
    dialog.hide();
    QObject::connect(&dialog, &QProgressDialog::canceled, [&progress] { progress.cancel(); });
    std::optional<InputBlocker> blocker(std::in_place, dialog);

    // Cancel is clicked with the normal pointer.
    std::optional<NormalPointer> pointer;
    QTimer showTimer;
    showTimer.setSingleShot(true);
    QObject::connect(&showTimer, &QTimer::timeout, [&] {
        if (finished.load() || progress.cancelled()) return;
        pointer.emplace();
        dialog.show();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (finished.load()) {
            loop.quit();
            return;
        }
        if (dialog.isVisible())
            dialog.setValue(static_cast<int>(progress.fraction() * (kProgressSteps - 1)));
    });

    std::thread worker([&] {
        try {
            work(progress);
        } catch (const WorkCancelled&) {
            cancelled = true;
        } catch (...) {
            failure = std::current_exception();
        }
        finished.store(true);
        // Wakes the loop at once rather than at the next poll. By name, so that Qt makes the
        // queued call itself: its locking is out of the thread sanitizer's sight.
        QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
    });
    showTimer.start(kProgressDelayMs);
    poll.start(kProgressPollMs);
    while (!finished.load()) loop.exec();
    worker.join();
    poll.stop();
    showTimer.stop();
    dialog.hide();
    pointer.reset();
    blocker.reset();

    std::vector<PendingBox> boxes;
    {
        std::lock_guard lock(pendingMutex_);
        boxes.swap(pending_);
    }
    for (const PendingBox& b : boxes) msgBox(b.prompt, b.buttons, b.icon, b.title);
    if (failure) std::rethrow_exception(failure);
    return !cancelled;
}

} // namespace velmor
