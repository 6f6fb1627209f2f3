#pragma once

#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"

namespace velmor {

// The modal "File Exists" question: Append, Replace or Cancel.
class FrmConfirmSave {
  public:
    FrmConfirmSave();

    Form form;
    Label lblSaveFile;
    CommandButton cmdAppend, cmdOverwrite, cmdCancel;

    bool fAppend = false;
    bool fCancel = false;

    void cmdAppend_Click();
    void cmdOverwrite_Click();
    void cmdCancel_Click();
};

} // namespace velmor
