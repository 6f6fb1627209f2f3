#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::SaveMatrix(std::string&) {}
void FrmVelmor::OpenMatrix(std::string&) {}
void FrmVelmor::mnuFileOpen_Click() {}
void FrmVelmor::mnuFileSave_Click() {}

} // namespace velmor
