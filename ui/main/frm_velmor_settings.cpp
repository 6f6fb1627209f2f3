#include <string>

#include "engine/text_case.h"
#include "store/file_lookup.h"
#include "store/settings_reader.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr const char* kIniName = "velmor.ini";

// Offers the current delimiter for change; an empty answer keeps it.
void askDelimiter(DialogService& dialogs, std::string& delimiter, const std::string& data,
                  const std::string& title) {
    const std::string answer =
        dialogs.inputBox("Key in the delimiter for the " + data + " data or accept the default \"" +
                             delimiter + "\".",
                         title, delimiter);
    if (!answer.empty()) delimiter = answer;
}

} // namespace

std::string FrmVelmor::iniFileIn(const std::string& dir) {
    if (dir.empty()) return {};
    const std::string found = platform.findFileNoCase(dir, kIniName);
    // Open the name as stored: the lookup ignores case, the file system does not.
    return equalNoCase(found, kIniName) ? joinPath(dir, found) : std::string();
}

void FrmVelmor::readSettings() {
    mstrIniFile = joinPath(mstrStartDir, kIniName);
    // The start folder first (a working folder of its own), then the user's settings, then
    // the installed sample, which becomes the user's own copy to edit.
    const std::string userDir = platform.userConfigDirectory();
    std::string found = iniFileIn(mstrStartDir);
    if (found.empty()) found = iniFileIn(userDir);
    if (found.empty()) {
        found = iniFileIn(platform.installedDataDirectory());
        if (!found.empty() && !userDir.empty()) {
            const std::string copy = copyIntoFolder(found, userDir);
            if (!copy.empty()) found = copy;
        }
    }
    mstrSettingsInUse = found;
    if (found.empty()) {
        dialogs.msgBox("The Velmor.ini file could not be found.\r"
                       "A single space is the default delimiter in text files for input and "
                       "output data.\r"
                       "Press OK and select \"Format\" to change the delimiter.",
                       MsgButtons::OK, MsgIcon::None, kAppTitle);
        mstrInputDelimiter = " ";
        mstrOutputDelimiter = " ";
        return;
    }
    mstrIniFile = found;
    SettingsReader(mstrInputDelimiter, mstrOutputDelimiter).readFile(mstrIniFile);
}

void FrmVelmor::mnuInputDelimiter_Click() {
    try {
        askDelimiter(dialogs, mstrInputDelimiter, "input", "Input Delimiter");
    } catch (const RuntimeError& e) {
        errorBox(e, "mnuInputDelimiter", MsgIcon::Critical, true);
    }
}

void FrmVelmor::mnuOutputDelimiter_Click() {
    try {
        askDelimiter(dialogs, mstrOutputDelimiter, "output", "Output Delimiter");
    } catch (const RuntimeError& e) {
        errorBox(e, "mnuOutputDelimiter", MsgIcon::Critical, true);
    }
}

} // namespace velmor
