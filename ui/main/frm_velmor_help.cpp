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

std::string FrmVelmor::helpFileInUse() {
    const std::string installed = platform.installedDataDirectory();
    for (const std::string& dir : {mstrStartDir, installed}) {
        const std::string file = joinPath(joinPath(dir, "Help"), kHelpFile);
        if (!dir.empty() && platform.fileExists(file)) return file;
    }
    return {};
}

void FrmVelmor::mnuContents_Click() {
    // Nothing found here is remembered: every use looks in the start folder's Help/ first,
    // then in the installed one.
    const std::string found = helpFileInUse();
    if (!found.empty() && platform.showHelp(found) != kDocumentNotFound) return;

    const std::string file = kHelpFile;
    if (dialogs.msgBox("Cannot find the help file " +
                           joinPath(joinPath(mstrStartDir, "Help"), file) +
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
    platform.showHelp(CommonDialog1.FileName);
    CommonDialog1.InitDir = "";
    CommonDialog1.FileName = "";
}

void FrmVelmor::mnuAbout_Click() {
    // One modeless box: a box still open is shown again (the binding raises it); one that
    // its OK button unloaded is replaced by a fresh one.
    if (!frmAbout || !frmAbout->form.Loaded())
        frmAbout = std::make_unique<FrmAbout>(dialogs, platform);
    frmAbout->settingsFile = mstrSettingsInUse;
    frmAbout->helpFile = helpFileInUse();
    dialogs.showForm(frmAbout->form, false);
}

} // namespace velmor
