#include <memory>
#include <string>

#include "store/file_lookup.h"
#include "ui/dialogs/frm_about.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr const char* kHelpFile = "velmor.html";
constexpr int kDocumentNotFound = 2;

} // namespace

void FrmVelmor::mnuContents_Click() {
    // Nothing found here is remembered: every use looks in the Help folder first.
    std::string file = kHelpFile;
    const std::string helpDir = joinPath(mstrStartDir, "Help");
    if (platform.openDocument(file, helpDir) != kDocumentNotFound) return;

    if (dialogs.msgBox("Cannot find the help file " + joinPath(helpDir, file) +
                           ". Do you want to try to find it?",
                       MsgButtons::YesNo, MsgIcon::None, kAppTitle) != MsgResult::Yes)
        return;

    CommonDialog1.InitDir = platform.currentDirectory();
    CommonDialog1.Filter = "Help files (*.html)|*.html";
    CommonDialog1.DialogTitle = "Find the help file velmor.html.";
    CommonDialog1.FileName = "";
    dialogs.showOpen(CommonDialog1);
    if (CommonDialog1.FileName.empty()) {
        CommonDialog1.InitDir = "";
        return;
    }
    file = CommonDialog1.FileName;
    platform.openDocument(file, platform.currentDirectory());
    CommonDialog1.InitDir = "";
    CommonDialog1.FileName = "";
}

void FrmVelmor::mnuAbout_Click() {
    // One modeless box: a box still open is shown again (the binding raises it); one that
    // its OK button unloaded is replaced by a fresh one.
    if (!frmAbout || !frmAbout->form.Loaded())
        frmAbout = std::make_unique<FrmAbout>(dialogs, platform);
    dialogs.showForm(frmAbout->form, false);
}

} // namespace velmor
