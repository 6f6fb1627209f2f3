#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::cboMatrixInput_Change() {}
void FrmVelmor::cboMatrixInput_Click() {}
void FrmVelmor::cboMatrixInput_KeyDown(int&, int) {}
void FrmVelmor::cboMatrixInput_KeyPress(int&) {}
void FrmVelmor::cboMatrixInput_LostFocus() {}
void FrmVelmor::cboMatrixInput2_Change() {}
void FrmVelmor::cboMatrixInput2_Click() {}
void FrmVelmor::cmdDelete_Click() {}
void FrmVelmor::cmdDeleteAll_Click() {}

} // namespace velmor
