#pragma once

#include <string>

#include "engine/number_format.h"
#include "engine/variant.h"
#include "ui/view/check_box.h"
#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/text_box.h"

namespace velmor {

// The modeless "Matrix Properties" dialog: determinant and trace, as decimals or, with
// Fractions ticked, exactly.
class FrmProperties {
  public:
    explicit FrmProperties(DialogService& dialogs);

    Form form;
    Label lblDeterminant;
    TextBox txtDeterminant;
    Label lblTrace;
    TextBox txtTrace;
    CheckBox chkFractions;
    CommandButton cmdOK;

    void cmdOK_Click();
    void chkFractions_Click();

    // The matrix whose values are shown; unticks Fractions and offers it when the matrix
    // has an exact value. Called after the decimal texts are set.
    void setMatrix(const Variant& matrix, const NumberFormat& format);

  private:
    DialogService& dialogs_;
    Variant matrix_;
    const NumberFormat* format_ = nullptr;
    std::string decimalDeterminant_, decimalTrace_;
    bool fractionsShown_ = false;
};

} // namespace velmor
