#pragma once

#include <string>

#include "ui/view/command_button.h"
#include "ui/view/form.h"
#include "ui/view/platform_services.h"
#include "ui/view/text_box.h"

namespace velmor {

// The "System Information" box of the About box: the facts a bug report needs, one per line,
// and a button that copies them to the clipboard.
class FrmSysInfo {
  public:
    // `settingsFile` and `helpFile` are the files in use, "" for none.
    FrmSysInfo(PlatformServices& platform, std::string settingsFile, std::string helpFile);

    Form form;
    TextBox txtInfo;
    CommandButton cmdCopy, cmdOK;

    void Form_Load();
    void cmdCopy_Click();
    void cmdOK_Click();

  private:
    PlatformServices& platform_;
    std::string settingsFile_, helpFile_;
};

} // namespace velmor
