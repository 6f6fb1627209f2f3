#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/exact_fractions.h"
#include "engine/number_format.h"
#include "engine/variant.h"
#include "ui/output/main_window_link.h"
#include "ui/view/check_box.h"
#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"
#include "ui/view/grid_clipboard.h"
#include "ui/view/menu_item.h"
#include "ui/view/slider.h"
#include "ui/view/text_box.h"

namespace velmor {

// The modal result window "Output Matrix": shows a result at a chosen precision and saves
// it into the list. Made afresh for every result.
class FrmMatrixOutput {
  public:
    FrmMatrixOutput(MainWindowLink& main, DialogService& dialogs, const NumberFormat& format);
    ~FrmMatrixOutput();

    Form form;
    Label lblMatrix;
    TextBox txtMatrixResult;
    Label lblPrecision;
    TextBox txtPrecision;
    CheckBox chkFractions;
    Label lblDescription;
    TextBox txtDescription;
    Grid MSFlexGrid1;
    Label lblMinimum;
    TextBox txtMinimum;
    Label lblMaximum;
    TextBox txtMaximum;
    Label lblColWidth;
    Slider Slider1;
    CommandButton cmdSave, cmdCancel;
    // The grid's context menu; its keys work while the grid has the focus.
    MenuItem mnuGrid, mnuCopy;
    CopyAsMenu mnuCopyAs;
    MenuItem mnuSelectAll;

    void Form_Load();
    void Form_Resize();
    // Gives each data column the width of its widest text, at most a third of the screen,
    // and widens the window so that they all show, as far as the screen allows.
    void FitColumns();
    void Form_Unload(int& cancel);
    void txtPrecision_Change();
    void txtPrecision_KeyPress(int& KeyAscii);
    void txtMatrixResult_GotFocus();
    void txtMatrixResult_KeyDown(int& KeyCode, int Shift);
    void txtMatrixResult_KeyPress(int& KeyAscii);
    void txtDescription_KeyDown(int& KeyCode, int Shift);
    void Slider1_Change();
    void cmdSave_Click();
    void cmdCancel_Click();
    // Copies the texts shown, at the chosen precision.
    void mnuCopyAs_Click(CopyFormat format);
    void chkFractions_Click();

    // The operation and operands behind the result, from which Fractions computes it exactly.
    // `second` is null for a one-operand operation; `scalar` is the factor of Scale. Without
    // a source, or with operands that have no exact value, the check box stays disabled.
    void setExactSource(exact::Operation op, const Variant& first, const Variant* second,
                        const std::string& scalar = {});

    MainWindowLink* mobjMain = nullptr;
    Variant mvarValues;
    bool mfValuesRead = false;
    std::int16_t mintRow = 0, mintCol = 0;

  private:
    struct ExactSource {
        exact::Operation op;
        Variant first, second;
        bool hasSecond;
        std::string scalar;
    };
    void showFractions();
    void showDecimals();
    // Shows the error box, puts the decimals back and unticks.
    void fractionFailed(int error);

    std::optional<ExactSource> exactSource_;
    // The decimal cells and extremes while fractions are shown, to put back on untick.
    std::vector<std::string> decimalCells_;
    std::string decimalMinimum_, decimalMaximum_;
    bool fractionsShown_ = false;

    MainWindowLink& main_;
    DialogService& dialogs_;
    const NumberFormat& format_;
};

} // namespace velmor
