#pragma once

#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/text_box.h"

namespace velmor {

// The modeless "Matrix Properties" dialog: determinant and trace.
class FrmProperties {
  public:
    explicit FrmProperties(DialogService& dialogs);

    Form form;
    Label lblDeterminant;
    TextBox txtDeterminant;
    Label lblTrace;
    TextBox txtTrace;
    CommandButton cmdOK;

    void cmdOK_Click();

  private:
    DialogService& dialogs_;
};

} // namespace velmor
