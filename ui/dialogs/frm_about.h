#pragma once

#include <string>

#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/platform_services.h"

namespace velmor {

// The modeless About box.
class FrmAbout {
  public:
    FrmAbout(DialogService& dialogs, PlatformServices& platform);

    Form form;
    Picture picIcon;
    Label lblTitle, lblVersion, lblDescription, lblDisclaimer;
    Line Line1;
    CommandButton cmdOK, cmdSysInfo;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void StartSysInfo();

    // The files in use, shown by System Info ("" for none); the main window sets them.
    std::string settingsFile, helpFile;

  private:
    DialogService& dialogs_;
    PlatformServices& platform_;
};

} // namespace velmor
