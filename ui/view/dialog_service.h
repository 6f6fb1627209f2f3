#pragma once

#include <functional>
#include <string>

#include "engine/progress.h"

namespace velmor {

class Form;

inline constexpr const char* kAppTitle = "Velmor";

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Critical, Information };
enum class MsgResult { OK, Cancel, Yes, No };

// The common file dialog's properties; after a dialog FileName holds the chosen path or "".
struct FileDialog {
    std::string InitDir;
    std::string Filter; // "Name (*.txt)|*.txt|All files (*.*)|*.*"
    std::string DialogTitle;
    std::string FileName;
    // Extension (without the dot) a save adds to a typed name that has none, while the first
    // filter is chosen; "" adds nothing.
    std::string DefaultExt;
};

// Modal boxes, file dialogs and window showing. The Qt binding implements it with real
// dialogs; tests implement it with a scripted fake.
class DialogService {
  public:
    virtual ~DialogService() = default;

    virtual MsgResult msgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) = 0;
    // The same box with another default button (the one Enter answers), counted from 0: a
    // question whose first answer throws work away makes the safe answer the default.
    virtual MsgResult msgBoxDefault(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                                    const std::string& title, int defaultButton) {
        static_cast<void>(defaultButton);
        return msgBox(prompt, buttons, icon, title);
    }
    // Cancel yields the empty text.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    virtual void showOpen(FileDialog& dialog) = 0;
    virtual void showSave(FileDialog& dialog) = 0;

    // Shows a form. A modal show returns only once the form has been unloaded.
    virtual void showForm(Form& form, bool modal) = 0;

    // Runs work that may take long and returns once it has ended: false when the user
    // cancelled it (the work then threw WorkCancelled out of a check of its Progress), true
    // otherwise. Other exceptions of the work reach the caller. The title names the work in
    // the progress dialog. This one runs the work inline; the Qt shell runs it on a worker
    // thread while the window stays painted and, after half a second, shows its progress.
    virtual bool runLongWork(const std::string& title, const std::function<void(Progress&)>& work) {
        (void)title;
        SharedProgress progress;
        try {
            work(progress);
        } catch (const WorkCancelled&) {
            return false;
        }
        return true;
    }

    // Convenience: an OK box with no icon and the application title.
    void message(const std::string& prompt) {
        msgBox(prompt, MsgButtons::OK, MsgIcon::None, kAppTitle);
    }
};

} // namespace velmor
