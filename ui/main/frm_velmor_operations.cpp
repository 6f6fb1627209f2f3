#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::cmdAdd_Click() {}
void FrmVelmor::cmdSubtract_Click() {}
void FrmVelmor::cmdMultiply_Click() {}
void FrmVelmor::cmdScale_Click() {}
void FrmVelmor::cmdTranspose_Click() {}
void FrmVelmor::cmdInvert_Click() {}
void FrmVelmor::cmdAdjoint_Click() {}
void FrmVelmor::cmdProperties_Click() {}
void FrmVelmor::ShowResult() {}

} // namespace velmor
