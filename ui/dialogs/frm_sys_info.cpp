#include "ui/dialogs/frm_sys_info.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/multiply_kernel.h"

namespace velmor {

FrmSysInfo::FrmSysInfo(PlatformServices& platform, std::string settingsFile, std::string helpFile)
    : form("frmSysInfo", "System Information"), txtInfo(form, "txtInfo"),
      cmdCopy(form, "cmdCopy", "&Copy"), cmdOK(form, "cmdOK", "OK"), platform_(platform),
      settingsFile_(std::move(settingsFile)), helpFile_(std::move(helpFile)) {
    txtInfo.setMultiLine(true);
    txtInfo.setLocked(true);
    txtInfo.setFont("Monospace", 9);
    txtInfo.move(120, 120, 9600, 3000);
    cmdCopy.move(6960, 3240, 1260, 345);
    cmdOK.move(8460, 3240, 1260, 345);
    form.setDefaultButton(&cmdOK);
    form.setCancelButton(&cmdOK);
    form.setTabOrder({&cmdOK, &cmdCopy, &txtInfo});
    // Client area 9840 x 3705 plus the frame and title bar.
    form.userResize(9960, 4110);
    form.onLoad = [this] { Form_Load(); };
    cmdCopy.onClick = [this] { cmdCopy_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
}

void FrmSysInfo::Form_Load() {
    std::vector<std::pair<std::string, std::string>> facts = platform_.systemFacts();
    facts.emplace_back("Vector instructions",
                       kernelSupported(KernelIsa::Avx2) ? "AVX2 (SSE2 available)" : "SSE2");
    facts.emplace_back("Settings file", settingsFile_.empty() ? "none (defaults)" : settingsFile_);
    facts.emplace_back("Help file", helpFile_.empty() ? "not found" : helpFile_);
    std::size_t width = 0;
    for (const auto& fact : facts) width = std::max(width, fact.first.size());
    std::string text;
    for (const auto& [item, value] : facts) {
        if (!text.empty()) text += "\n";
        text += item + ":" + std::string(width + 2 - item.size(), ' ') + value;
    }
    txtInfo.setText(text);
}

void FrmSysInfo::cmdCopy_Click() {
    platform_.setClipboard(txtInfo.Text(), "");
}

void FrmSysInfo::cmdOK_Click() {
    form.unload();
}

} // namespace velmor
