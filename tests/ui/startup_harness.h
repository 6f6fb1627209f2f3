#pragma once

#include <string>

#include "engine/number_format.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"

namespace velmor::test {

// The standard settings file: one space for both delimiters, CR LF line ends.
inline constexpr const char* kStandardIni =
    "Input_Delimiter = \" \"\r\nOutput_Delimiter = \" \"\r\n";

// A main window started in a fresh folder, with scripted dialogs and a fake platform.
struct StartupHarness {
    TempDir dir;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    NumberFormat format{"."};
    FrmVelmor w{dialogs, platform, format};

    StartupHarness() { platform.currentDir = dir.path(); }

    // Loads and shows the window as the program does, with the standard settings file,
    // and forgets the boxes of the start-up.
    void start(const char* ini = kStandardIni) {
        if (ini) dir.write("velmor.ini", ini);
        ASSERT_TRUE(w.Form_Load());
        w.Show();
        dialogs.clear();
    }
};

} // namespace velmor::test
