#include "ui/dialogs/frm_about.h"

#include <exception>

#include "ui/dialogs/frm_sys_info.h"
#include "velmor/version.h"

namespace velmor {

namespace {

// The application's identification data.
constexpr const char* kAppTitleText = "Velmor";
constexpr const char* kCompanyName = "Dravik Software";
constexpr const char* kProductName = "Velmor";
constexpr const char* kFileDescription =
    "Perform matrix calculations: transpose, invert, multiply, scale, add, subtract, and "
    "compute determinants.";
constexpr const char* kLegalNotice = "Copyright (C) Dravik Software. All rights reserved.";
constexpr const char* kDisclaimer =
    "Warning: this program is provided \"as is\", without warranty of any kind. Check every "
    "result before you rely on it. The authors accept no liability for any loss or damage "
    "that arises from its use.";

} // namespace

FrmAbout::FrmAbout(DialogService& dialogs, PlatformServices& platform)
    : form("frmAbout"), picIcon(form, "picIcon", "velmor"), lblTitle(form, "lblTitle", ""),
      lblVersion(form, "lblVersion", ""), lblDescription(form, "lblDescription", ""),
      lblDisclaimer(form, "lblDisclaimer", kDisclaimer), Line1(form, "Line1"),
      cmdOK(form, "cmdOK", "OK"), cmdSysInfo(form, "cmdSysInfo", "&System Info..."),
      dialogs_(dialogs), platform_(platform) {
    picIcon.move(240, 240, 540, 540);
    lblTitle.move(960, 240, 3885, 480);
    lblVersion.move(1050, 780, 3885, 225);
    lblDescription.move(1050, 1200, 3885, 690);
    lblDisclaimer.move(240, 2520, 3870, 1305);
    // Between the description and the disclaimer, across the box.
    Line1.move(240, 2340, 5250, 30);
    cmdOK.move(4245, 2625, 1260, 345);
    cmdSysInfo.move(4260, 3075, 1245, 345);
    form.setIcon("velmor");
    form.setDefaultButton(&cmdOK);
    form.setCancelButton(&cmdOK);
    form.setTabOrder({&cmdOK, &cmdSysInfo});
    // Client area 5730 x 3960 plus the frame and title bar.
    form.userResize(5850, 4365);

    form.onLoad = [this] { Form_Load(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdSysInfo.onClick = [this] { cmdSysInfo_Click(); };
}

void FrmAbout::Form_Load() {
    form.setCaption(std::string("About ") + kAppTitleText);
    lblVersion.setCaption("Version " + std::to_string(kVersionMajor) + "." +
                          std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision));
    lblTitle.setCaption(std::string(kCompanyName) + " - " + kProductName + "\r\n" + kLegalNotice);
    lblDescription.setCaption(kFileDescription);
}

void FrmAbout::cmdOK_Click() {
    form.unload();
}

void FrmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void FrmAbout::StartSysInfo() {
    try {
        FrmSysInfo info(platform_, settingsFile, helpFile);
        dialogs_.showForm(info.form, true);
        return;
    } catch (const std::exception&) {
        // Every failure ends in the same message below.
    }
    dialogs_.message("System Information Is Unavailable At This Time");
}

} // namespace velmor
