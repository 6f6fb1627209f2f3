#include "ui/dialogs/frm_properties.h"

namespace velmor {

FrmProperties::FrmProperties(DialogService& dialogs)
    : form("frmProperties", "Matrix Properties"),
      lblDeterminant(form, "lblDeterminant", "Determinant"), txtDeterminant(form, "txtDeterminant"),
      lblTrace(form, "lblTrace", "Trace"), txtTrace(form, "txtTrace"), cmdOK(form, "cmdOK", "OK"),
      dialogs_(dialogs) {
    lblDeterminant.move(240, 600, 975, 255);
    txtDeterminant.move(1320, 480, 1935, 375);
    lblTrace.move(240, 1080, 975, 255);
    txtTrace.move(1320, 960, 1935, 375);
    cmdOK.move(1200, 1680, 1215, 495);
    txtDeterminant.setLocked(true);
    txtTrace.setLocked(true);
    form.setDefaultButton(&cmdOK);
    form.setCancelButton(&cmdOK);
    form.userResize(3600, 2700);
    cmdOK.onClick = [this] { cmdOK_Click(); };
}

void FrmProperties::cmdOK_Click() {
    form.unload();
}

} // namespace velmor
