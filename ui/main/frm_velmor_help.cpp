#include <memory>
#include <string>

#include "store/file_lookup.h"
#include "ui/dialogs/frm_about.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr const char* kHelpFile = "velmor.html";
constexpr int kDocumentNotFound = 2;

// The page exists but the desktop has no program to show it: said in a box, not on stderr.
void noHandler(DialogService& dialogs, const std::string& page) {
    dialogs.msgBox("No program is set up to open the help page " + page + ".", MsgButtons::OK,
                   MsgIcon::Exclamation, kAppTitle);
}

} // namespace

void FrmVelmor::mnuContents_Click() {
    // Nothing found here is remembered: every use looks in the Help folder first.
    std::string file = kHelpFile;
    const std::string helpDir = joinPath(mstrStartDir, "Help");
    const int opened = platform.openDocument(file, helpDir);
    if (opened != kDocumentNotFound) {
        if (opened != 0) noHandler(dialogs, joinPath(helpDir, file));
        return;
    }

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
    if (platform.openDocument(file, platform.currentDirectory()) != 0) noHandler(dialogs, file);
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
