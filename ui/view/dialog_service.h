#pragma once

#include <string>

namespace velmor {

class Form;

inline constexpr const char* kAppTitle = "Velmor";

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Exclamation, Critical };
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
    // Cancel yields the empty text.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    virtual void showOpen(FileDialog& dialog) = 0;
    virtual void showSave(FileDialog& dialog) = 0;

    // Shows a form. A modal show returns only once the form has been unloaded.
    virtual void showForm(Form& form, bool modal) = 0;

    // Convenience: an OK box with no icon and the application title.
    void message(const std::string& prompt) {
        msgBox(prompt, MsgButtons::OK, MsgIcon::None, kAppTitle);
    }
};

} // namespace velmor
