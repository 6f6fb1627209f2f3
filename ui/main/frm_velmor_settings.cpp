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

void FrmVelmor::readSettings() {
    mstrIniFile = joinPath(mstrStartDir, kIniName);
    const std::string found = platform.findFileNoCase(mstrStartDir, kIniName);
    if (!equalNoCase(found, kIniName)) {
        dialogs.msgBox("The Velmor.ini file could not be found.\r"
                       "A single space is the default delimiter in text files for input and "
                       "output data.\r"
                       "Press OK and select \"Format\" to change the delimiter.",
                       MsgButtons::OK, MsgIcon::None, kAppTitle);
        mstrInputDelimiter = " ";
        mstrOutputDelimiter = " ";
        return;
    }
    // Open the name as stored: the lookup ignores case, the file system does not.
    mstrIniFile = joinPath(mstrStartDir, found);
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
