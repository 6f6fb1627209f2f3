#include <filesystem>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"
#include "ui/dialogs/frm_about.h"

namespace velmor::test {
namespace {

struct ExitHarness : StartupHarness {
    explicit ExitHarness(bool saved) {
        start();
        w.g.gfMatricesSaved = saved;
    }
    bool running() const { return !w.ended() && !platform.quitCalled && w.form.Visible(); }
    bool ended() const { return w.ended() && platform.quitCalled && !w.form.Loaded(); }
    // The save question, exactly as asked, once.
    void expectOneQuestion() const {
        const auto boxes = dialogs.messages();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].prompt, "Do you want to save the matrices to a text file? ");
        EXPECT_EQ(boxes[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(boxes[0].icon, MsgIcon::None);
        EXPECT_EQ(boxes[0].title, "Save latest work?");
    }
};

TEST(Exit, SavedListEndsAtOnce) {
    for (bool frame : {false, true}) {
        ExitHarness h(true);
        frame ? (void)h.w.form.userClose() : h.w.cmdExit.userClick();
        EXPECT_TRUE(h.dialogs.boxes.empty());
        EXPECT_TRUE(h.ended());
    }
}

// Exit button, File > Exit, Esc and the window frame all ask the same question once.
TEST(Exit, UnsavedListAsksOnceWhicheverWayExitIsChosen) {
    const std::pair<const char*, std::function<void(FrmVelmor&)>> ways[] = {
        {"Exit button", [](FrmVelmor& w) { w.cmdExit.userClick(); }},
        {"File > Exit", [](FrmVelmor& w) { w.mnuFileExit.userClick(); }},
        {"Esc", [](FrmVelmor& w) { w.form.userPressEscape(); }},
        {"window frame", [](FrmVelmor& w) { w.form.userClose(); }},
    };
    for (const auto& [name, choose] : ways) {
        SCOPED_TRACE(name);
        for (MsgResult answer : {MsgResult::Cancel, MsgResult::No}) {
            ExitHarness h(false);
            h.dialogs.answer(answer);
            choose(h.w);
            h.expectOneQuestion();
            EXPECT_EQ(h.ended(), answer == MsgResult::No);
            EXPECT_EQ(h.running(), answer == MsgResult::Cancel);
        }
        // Yes and a dismissed save dialog: nothing is lost, the window stays open.
        ExitHarness h(false);
        h.dialogs.answer(MsgResult::Yes).file("");
        choose(h.w);
        h.expectOneQuestion();
        ASSERT_EQ(h.dialogs.boxes.size(), 2u);
        EXPECT_EQ(h.dialogs.boxes[1].kind, Box::Save);
        EXPECT_TRUE(h.w.confirmCancel);
        EXPECT_TRUE(h.running());
    }
}

TEST(Exit, YesWithACompletedSaveEnds) {
    ExitHarness h(false);
    const std::string path = h.dir.file("work.txt");
    h.dialogs.answer(MsgResult::Yes).file(path);
    h.w.cmdExit.userClick();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(h.ended());
}

TEST(Exit, EndingClosesTheAboutBox) {
    ExitHarness h(true);
    h.w.mnuAbout.userClick();
    ASSERT_TRUE(h.w.frmAbout && h.w.frmAbout->form.Loaded());
    h.w.cmdExit.userClick();
    EXPECT_TRUE(h.ended());
    EXPECT_FALSE(h.w.frmAbout->form.Loaded());
}

} // namespace
} // namespace velmor::test
