#pragma once

#include <map>
#include <mutex>
#include <vector>

#include "ui/view/dialog_service.h"

class QWidget;

namespace velmor {

class FormWindow;

// The dialog service of the running program: QMessageBox, QInputDialog, QFileDialog, and a
// real window for every form shown.
class QtShell : public DialogService {
  public:
    QtShell();
    ~QtShell() override;
    QtShell(const QtShell&) = delete;
    QtShell& operator=(const QtShell&) = delete;

    MsgResult msgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override;
    MsgResult msgBoxDefault(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                            const std::string& title, int defaultButton) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void showOpen(FileDialog& dialog) override;
    void showSave(FileDialog& dialog) override;
    // Makes the form's window on its first show; a modal show runs a nested event loop until
    // the form is unloaded.
    void showForm(Form& form, bool modal) override;

    // Runs the work on a worker thread. Until it ends a nested event loop keeps the windows
    // painted while user input to them is dropped; after half a second a modal progress
    // dialog shows the title, a bar and Cancel. Boxes the work asks for are shown, in order,
    // once it has ended.
    bool runLongWork(const std::string& title, const std::function<void(Progress&)>& work) override;

    // The window of a loaded form that has been shown, or nullptr.
    FormWindow* windowOf(const Form& form) const;
    // The service that shows the error box of a user action that failed in a way its handler
    // did not catch (this shell unless set).
    void setErrorBoxes(DialogService* boxes) { errorBoxes_ = boxes; }

  private:
    QWidget* ownerWindow() const;
    void fileDialog(FileDialog& dialog, bool save);

    std::map<const Form*, FormWindow*> windows_;

    // Boxes asked for by work on the worker thread, shown when it ends.
    struct PendingBox {
        std::string prompt;
        MsgButtons buttons;
        MsgIcon icon;
        std::string title;
    };
    std::mutex pendingMutex_;
    std::vector<PendingBox> pending_;
    DialogService* errorBoxes_ = this;
};

} // namespace velmor
