#include "ui/main/frm_velmor.h"

namespace velmor {

// Placeholder until this concern is implemented.
void FrmVelmor::mnuContents_Click() {}
void FrmVelmor::mnuAbout_Click() {}

} // namespace velmor
