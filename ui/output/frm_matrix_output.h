#pragma once

#include <cstdint>
#include <string>

#include "engine/number_format.h"
#include "engine/variant.h"
#include "ui/output/main_window_link.h"
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

    MainWindowLink* mobjMain = nullptr;
    Variant mvarValues;
    bool mfValuesRead = false;
    std::int16_t mintRow = 0, mintCol = 0;

  private:
    MainWindowLink& main_;
    DialogService& dialogs_;
    const NumberFormat& format_;
};

} // namespace velmor
