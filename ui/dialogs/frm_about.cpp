#include "ui/dialogs/frm_about.h"

namespace velmor {

// Placeholder until the About box is implemented.
FrmAbout::FrmAbout(DialogService& dialogs, PlatformServices& platform)
    : form("frmAbout"), picIcon(form, "picIcon", "velmor"), lblTitle(form, "lblTitle", ""),
      lblVersion(form, "lblVersion", ""), lblDescription(form, "lblDescription", ""),
      lblDisclaimer(form, "lblDisclaimer", ""), cmdOK(form, "cmdOK", "OK"),
      cmdSysInfo(form, "cmdSysInfo", "&System Info..."), dialogs_(dialogs), platform_(platform) {}

void FrmAbout::Form_Load() {}
void FrmAbout::cmdOK_Click() {}
void FrmAbout::cmdSysInfo_Click() {}
void FrmAbout::StartSysInfo() {}

} // namespace velmor
