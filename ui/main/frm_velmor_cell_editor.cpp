#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::GridEdit(int) {}
void FrmVelmor::MSFlexGrid1_KeyPress(int&) {}
void FrmVelmor::MSFlexGrid1_Click() {}
void FrmVelmor::MSFlexGrid1_DblClick() {}
void FrmVelmor::MSFlexGrid1_GotFocus() {}
void FrmVelmor::Text1_Change() {}
void FrmVelmor::Text1_KeyPress(int&) {}
void FrmVelmor::Text1_KeyDown(int&, int) {}
void FrmVelmor::Text1_LostFocus() {}

} // namespace velmor
