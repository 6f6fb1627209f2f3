#include "ui/output/frm_matrix_output.h"

namespace velmor {

// Placeholder until the result window is implemented.
FrmMatrixOutput::FrmMatrixOutput(MainWindowLink& main, DialogService& dialogs,
                                 const NumberFormat& format)
    : form("frmMatrixOutput", "Output Matrix"), lblMatrix(form, "lblMatrix", "Matrix"),
      txtMatrixResult(form, "txtMatrixResult"), lblPrecision(form, "lblPrecision", "Precision"),
      txtPrecision(form, "txtPrecision"), lblDescription(form, "lblDescription", "Description"),
      txtDescription(form, "txtDescription"), MSFlexGrid1(form, "MSFlexGrid1"),
      lblMinimum(form, "lblMinimum", "Minimum"), txtMinimum(form, "txtMinimum"),
      lblMaximum(form, "lblMaximum", "Maximum"), txtMaximum(form, "txtMaximum"),
      lblColWidth(form, "lblColWidth", "Column Width"), Slider1(form, "Slider1", 0, 10),
      cmdSave(form, "cmdSave", "&Save"), cmdCancel(form, "cmdCancel", "&Cancel"), main_(main),
      dialogs_(dialogs), format_(format) {}

FrmMatrixOutput::~FrmMatrixOutput() = default;

void FrmMatrixOutput::Form_Load() {}
void FrmMatrixOutput::Form_Unload(int&) {}
void FrmMatrixOutput::txtPrecision_Change() {}
void FrmMatrixOutput::txtPrecision_KeyPress(int&) {}
void FrmMatrixOutput::txtMatrixResult_GotFocus() {}
void FrmMatrixOutput::txtMatrixResult_KeyDown(int&, int) {}
void FrmMatrixOutput::txtMatrixResult_KeyPress(int&) {}
void FrmMatrixOutput::txtDescription_KeyDown(int&, int) {}
void FrmMatrixOutput::Slider1_Change() {}
void FrmMatrixOutput::cmdSave_Click() {}
void FrmMatrixOutput::cmdCancel_Click() {}

} // namespace velmor
