#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"
#include "ui/dialogs/frm_about.h"

namespace velmor::test {
namespace {

struct HelpHarness : StartupHarness {
    std::string helpDir;
    HelpHarness() {
        start();
        helpDir = dir.path() + "/Help";
    }
    void installHelp() {
        std::filesystem::create_directories(helpDir);
        dir.write("Help/velmor.html", "<html></html>");
    }
    std::string question() const {
        return "Cannot find the help file " + dir.path() +
               "/Help/velmor.html. Do you want to try to find it?";
    }
    void expectQuestion(const Box& b) const {
        EXPECT_EQ(b.kind, Box::Message);
        EXPECT_EQ(b.prompt, question());
        EXPECT_EQ(b.buttons, MsgButtons::YesNo);
        EXPECT_EQ(b.icon, MsgIcon::None);
        EXPECT_EQ(b.title, "Velmor");
    }
};

TEST(Help, OpensTheHelpFileFromTheHelpFolder) {
    HelpHarness h;
    h.installHelp();
    h.w.mnuContents.userClick();
    EXPECT_TRUE(h.dialogs.boxes.empty());
    EXPECT_EQ(h.platform.opened, std::vector<std::string>{"velmor.html|" + h.helpDir});
}

TEST(Help, MissingFileAnsweredNoOrCancelledDoesNothingElse) {
    HelpHarness h;
    // The dialog starts in the folder current at the time, not the start folder.
    TempDir elsewhere;
    h.platform.currentDir = elsewhere.path();
    h.dialogs.answer(MsgResult::No).answer(MsgResult::Yes).file("");
    h.w.mnuContents.userClick();
    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    h.w.mnuContents.userClick();

    ASSERT_EQ(h.dialogs.boxes.size(), 3u);
    h.expectQuestion(h.dialogs.boxes[0]);
    h.expectQuestion(h.dialogs.boxes[1]);
    const Box& open = h.dialogs.boxes[2];
    EXPECT_EQ(open.kind, Box::Open);
    EXPECT_EQ(open.dialog.InitDir, elsewhere.path());
    EXPECT_EQ(open.dialog.Filter, "Help files (*.html)|*.html");
    EXPECT_EQ(open.dialog.DialogTitle, "Find the help file velmor.html.");
    EXPECT_EQ(open.dialog.FileName, "");
    EXPECT_EQ(h.platform.opened.size(), 2u);
    EXPECT_EQ(h.w.CommonDialog1.InitDir, "");
}

TEST(Help, AChosenFileIsOpenedButNotRemembered) {
    HelpHarness h;
    TempDir elsewhere;
    const std::string chosen = elsewhere.write("guide.html", "<html></html>");
    h.dialogs.answer(MsgResult::Yes).file(chosen);
    h.w.mnuContents.userClick();

    EXPECT_EQ(h.platform.opened,
              (std::vector<std::string>{"velmor.html|" + h.helpDir, chosen + "|" + h.dir.path()}));
    EXPECT_EQ(h.w.CommonDialog1.InitDir, "");
    EXPECT_EQ(h.w.CommonDialog1.FileName, "");

    // The next use looks in the Help folder again and asks again.
    h.platform.opened.clear();
    h.dialogs.clear();
    h.dialogs.answer(MsgResult::No);
    h.w.mnuContents.userClick();
    EXPECT_EQ(h.platform.opened, std::vector<std::string>{"velmor.html|" + h.helpDir});
    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    h.expectQuestion(h.dialogs.boxes[0]);
}

TEST(About, ShowsTheApplicationsIdentification) {
    StartupHarness h;
    h.start();
    h.w.mnuAbout.userClick();
    ASSERT_TRUE(h.w.frmAbout);
    FrmAbout& a = *h.w.frmAbout;

    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_EQ(h.dialogs.boxes[0].kind, Box::FormShown);
    EXPECT_EQ(h.dialogs.boxes[0].prompt, "frmAbout");
    EXPECT_FALSE(h.dialogs.boxes[0].modal);
    EXPECT_EQ(a.form.Caption(), "About Velmor");
    EXPECT_EQ(a.lblVersion.Caption(), "Version 1.1.0");
    const std::string title = a.lblTitle.Caption();
    const std::string head = "Dravik Software - Velmor\r\n";
    ASSERT_EQ(title.substr(0, head.size()), head);
    const std::string notice = title.substr(head.size());
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(notice.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(a.lblDescription.Caption(),
              "Perform matrix calculations: transpose, invert, multiply, scale, add, subtract, "
              "and compute determinants.");
    EXPECT_NE(a.lblDisclaimer.Caption().find('\n'), std::string::npos);
}

TEST(About, OneBoxAtATimeAndAFreshOneAfterOK) {
    StartupHarness h;
    h.start();
    h.w.mnuAbout.userClick();
    FrmAbout* first = h.w.frmAbout.get();
    h.w.mnuAbout.userClick();
    EXPECT_EQ(h.w.frmAbout.get(), first);
    ASSERT_EQ(h.dialogs.boxes.size(), 2u);
    EXPECT_EQ(h.dialogs.boxes[1].prompt, "frmAbout");
    EXPECT_TRUE(first->form.Loaded());

    // Enter and Esc both press OK, which unloads the box.
    first->form.userPressEscape();
    EXPECT_FALSE(first->form.Loaded());
    h.w.mnuAbout.userClick();
    ASSERT_TRUE(h.w.frmAbout->form.Loaded());
    EXPECT_EQ(h.w.frmAbout->form.Caption(), "About Velmor");
    h.w.frmAbout->form.userPressEnter();
    EXPECT_FALSE(h.w.frmAbout->form.Loaded());
    EXPECT_TRUE(h.dialogs.messages().empty());
}

TEST(About, SystemInfoStartsTheToolOrSaysItIsUnavailable) {
    struct Case {
        const char* name;
        std::string tool;
        bool starts;
        bool message;
    };
    const Case cases[] = {
        {"tool found", "/usr/bin/hardinfo", true, false},
        {"no tool", "", true, true},
        {"tool fails to start", "/usr/bin/hardinfo", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        h.start();
        h.platform.sysInfoTool = c.tool;
        h.platform.startSucceeds = c.starts;
        h.w.mnuAbout.userClick();
        h.dialogs.clear();
        h.w.frmAbout->cmdSysInfo.userClick();

        EXPECT_EQ(h.platform.started,
                  c.tool.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.tool});
        if (c.message) {
            ASSERT_EQ(h.dialogs.boxes.size(), 1u);
            EXPECT_EQ(h.dialogs.boxes[0].prompt, "System Information Is Unavailable At This Time");
            EXPECT_EQ(h.dialogs.boxes[0].buttons, MsgButtons::OK);
            EXPECT_EQ(h.dialogs.boxes[0].icon, MsgIcon::None);
            EXPECT_EQ(h.dialogs.boxes[0].title, "Velmor");
        } else {
            EXPECT_TRUE(h.dialogs.boxes.empty());
        }
        EXPECT_TRUE(h.w.frmAbout->form.Loaded());
    }
}

} // namespace
} // namespace velmor::test
