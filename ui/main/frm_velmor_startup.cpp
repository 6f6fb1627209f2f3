#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
bool FrmVelmor::Form_Load() { return true; }
void FrmVelmor::Form_Resize() {}
void FrmVelmor::Form_QueryUnload(int&, int) {}
void FrmVelmor::cmdExit_Click() {}
void FrmVelmor::mnuFileExit_Click() {}
void FrmVelmor::EnableButtons() {}
void FrmVelmor::DisableButtons() {}
void FrmVelmor::TabStopInput() {}
void FrmVelmor::TabStopMatrixOps() {}
void FrmVelmor::Show() {}
void FrmVelmor::Slider1_Change() {}
void FrmVelmor::mnuInputDelimiter_Click() {}
void FrmVelmor::mnuOutputDelimiter_Click() {}

} // namespace velmor
