#pragma once

#include "engine/number_format.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"

namespace velmor::test {

struct StartupHarness {
    TempDir dir;
    FakePlatform platform;
    ScriptedDialogs dialogs;
    NumberFormat format{"."};
    FrmVelmor w{dialogs, platform, format};

    StartupHarness() { platform.currentDir = dir.path(); }
    void start(const char* ini = "Input_Delimiter = \" \"\r\nOutput_Delimiter = \" \"\r\n") {
        dir.write("velmor.ini", ini);
        ASSERT_TRUE(w.Form_Load());
        w.Show();
        dialogs.clear();
    }
};

} // namespace velmor::test
