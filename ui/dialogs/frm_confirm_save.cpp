#include "ui/dialogs/frm_confirm_save.h"

namespace velmor {

FrmConfirmSave::FrmConfirmSave()
    : form("frmConfirmSave", "File Exists"),
      lblSaveFile(form, "lblSaveFile",
                  "The file already exists. Do you want to Append to or Replace the file?"),
      cmdAppend(form, "cmdAppend", "&Append"), cmdOverwrite(form, "cmdOverwrite", "&Replace"),
      cmdCancel(form, "cmdCancel", "&Cancel") {
    lblSaveFile.move(360, 360, 4335, 615);
    cmdAppend.move(360, 1080, 1215, 495);
    cmdOverwrite.move(1920, 1080, 1215, 495);
    cmdCancel.move(3480, 1080, 1215, 495);
    form.setDefaultButton(&cmdAppend);
    form.setCancelButton(&cmdCancel);
    form.setTabOrder({&cmdAppend, &cmdOverwrite, &cmdCancel});
    form.userResize(5175, 2160);
    cmdAppend.onClick = [this] { cmdAppend_Click(); };
    cmdOverwrite.onClick = [this] { cmdOverwrite_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void FrmConfirmSave::cmdAppend_Click() {
    fAppend = true;
    form.unload();
}

void FrmConfirmSave::cmdOverwrite_Click() {
    fAppend = false;
    form.unload();
}

void FrmConfirmSave::cmdCancel_Click() {
    fCancel = true;
    form.unload();
}

} // namespace velmor
