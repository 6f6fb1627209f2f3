#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::cmdInput_Click() {}
void FrmVelmor::txtNo_Rows_KeyPress(int&) {}
void FrmVelmor::txtNo_Rows_LostFocus() {}
void FrmVelmor::txtNo_Columns_KeyPress(int&) {}
void FrmVelmor::txtNo_Columns_LostFocus() {}
void FrmVelmor::txtDescription_GotFocus() {}
void FrmVelmor::txtDescription_KeyPress(int&) {}
void FrmVelmor::txtDescription_KeyDown(int&, int) {}
void FrmVelmor::txtDescription_LostFocus() {}
void FrmVelmor::cmdSave_Click() {}
void FrmVelmor::cmdCancel_Click() {}
void FrmVelmor::cmdClear_Click() {}

} // namespace velmor
