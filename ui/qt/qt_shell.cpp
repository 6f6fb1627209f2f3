#include "ui/qt/qt_shell.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

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
    QMessageBox box(ownerWindow());
    box.setWindowTitle(toQt(title));
    box.setText(promptToQt(prompt));
    box.setTextFormat(Qt::PlainText);
    box.setIcon(icon == MsgIcon::Exclamation ? QMessageBox::Warning
                : icon == MsgIcon::Critical  ? QMessageBox::Critical
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
    box.setDefaultButton(pushButtons.front());
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
