#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/multiply_kernel.h"
#include "tests/ui/main_window_scenario.h"
#include "ui/dialogs/frm_about.h"

namespace velmor::test {
namespace {

using HelpAbout = MainWindowScenario;

TEST_F(HelpAbout, HelpOffersToFindAMissingFileEachTimeUntilItIsThere) {
    const std::string question = "Cannot find the help file " + dir.path() +
                                 "/Help/velmor.html. Do you want to try to find it?";
    // The dialog starts in the folder current at the time, not the start folder.
    TempDir elsewhere;
    platform.currentDir = elsewhere.path();
    const std::string chosen = elsewhere.write("guide.html", "<html></html>");
    dialogs.answer(MsgResult::Yes).file("").answer(MsgResult::Yes).file(chosen);
    dialogs.answer(MsgResult::No);
    for (int use = 0; use < 3; ++use) w.mnuContents.userClick();
    ASSERT_EQ(dialogs.boxes.size(), 5u);
    EXPECT_EQ(boxes(), Boxes(3, {question, MsgButtons::YesNo, MsgIcon::None, "Velmor"}));
    const Box& open = dialogs.boxes[1];
    EXPECT_EQ(std::tie(open.kind, open.dialog.InitDir, open.dialog.Filter, open.dialog.DialogTitle,
                       open.dialog.FileName),
              std::tuple(Box::Open, elsewhere.path(), "Help files (*.html)|*.html",
                         "Find the help file velmor.html.", ""));
    EXPECT_EQ(w.CommonDialog1.InitDir + w.CommonDialog1.FileName, ""); // not remembered

    // The installed guide is found next, and the start folder's is preferred to it.
    TempDir installed;
    platform.dataDir = installed.path();
    for (const TempDir* d : {&installed, &dir}) {
        std::filesystem::create_directories(d->file("Help"));
        d->write("Help/velmor.html", "<html></html>");
        w.mnuContents.userClick();
    }
    EXPECT_EQ(dialogs.boxes.size(), 5u);
    EXPECT_EQ(platform.opened, (std::vector<std::string>{chosen, installed.file("Help/velmor.html"),
                                                         dir.file("Help/velmor.html")}));
}

TEST_F(HelpAbout, AboutShowsItsTextsAndOffersSystemInfo) {
    w.mnuAbout.userClick();
    ASSERT_TRUE(w.frmAbout);
    FrmAbout& a = *w.frmAbout;
    EXPECT_EQ(a.lblVersion.Caption(), "Version 1.1.0");
    // The title's second line is a one-line notice.
    const std::string head = "Dravik Software - Velmor\r\n", title = a.lblTitle.Caption();
    EXPECT_EQ(title.substr(0, head.size()), head);
    EXPECT_EQ(title.find_first_of("\r\n", head.size()), std::string::npos);
    EXPECT_EQ(a.lblDescription.Caption(),
              "Perform matrix calculations: transpose, invert, multiply, scale, add, subtract, "
              "and compute determinants.");
    EXPECT_EQ(a.cmdSysInfo.Caption(), "&System Info...");

    // System Info: the facts with the files in use, copied on request; any failure while
    // gathering them gives the classic message.
    dialogs.clear();
    std::string shown;
    dialogs.inModal([&](Form& f) {
        auto& info = *static_cast<TextBox*>(f.find("txtInfo"));
        shown = f.Caption() + "\n" + info.Text();
        static_cast<CommandButton*>(f.find("cmdCopy"))->userClick();
        f.userPressEscape();
    });
    a.cmdSysInfo.userClick();
    EXPECT_EQ(shown,
              "System Information\n"
              "Operating system:     Debian GNU/Linux 12\n"
              "Qt:                   6.4.2\n"
              "Vector instructions:  " +
                  std::string(kernelSupported(KernelIsa::Avx2) ? "AVX2 (SSE2 available)" : "SSE2") +
                  "\nSettings file:        " + dir.file("velmor.ini") +
                  "\nHelp file:            not found");
    EXPECT_EQ("System Information\n" + platform.clipText, shown);

    platform.factsFail = true;
    dialogs.clear();
    a.cmdSysInfo.userClick();
    EXPECT_EQ(boxes(), (Boxes{{"System Information Is Unavailable At This Time", MsgButtons::OK,
                               MsgIcon::None, "Velmor"}}));
    EXPECT_TRUE(a.form.Loaded());
}

} // namespace
} // namespace velmor::test
