#include <string>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"
#include "ui/dialogs/frm_about.h"

namespace velmor::test {
namespace {

constexpr const char* kQuestion = "Do you want to save the matrices to a text file? ";

void expectSaveQuestion(const Box& b) {
    EXPECT_EQ(b.kind, Box::Message);
    EXPECT_EQ(b.prompt, kQuestion);
    EXPECT_EQ(b.buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(b.icon, MsgIcon::None);
    EXPECT_EQ(b.title, "Save latest work?");
}

struct ExitHarness : StartupHarness {
    ExitHarness(bool saved) {
        start();
        w.g.gfMatricesSaved = saved;
    }
    bool running() const { return !w.ended() && !platform.quitCalled && w.form.Loaded(); }
    bool endedOnce() const { return w.ended() && platform.quitCalled && !w.form.Loaded(); }
};

TEST(Exit, SavedListEndsAtOnce) {
    ExitHarness h(true);
    h.w.cmdExit.userClick();
    EXPECT_TRUE(h.dialogs.boxes.empty());
    EXPECT_TRUE(h.endedOnce());
}

TEST(Exit, UnsavedListAsksOnceWhicheverWayExitIsChosen) {
    struct Case {
        const char* name;
        void (*choose)(FrmVelmor&);
    };
    const Case cases[] = {
        {"Exit button", [](FrmVelmor& w) { w.cmdExit.userClick(); }},
        {"File > Exit", [](FrmVelmor& w) { w.mnuFileExit.userClick(); }},
        {"Esc", [](FrmVelmor& w) { w.form.userPressEscape(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            ExitHarness h(false);
            h.dialogs.answer(MsgResult::Cancel);
            c.choose(h.w);
            ASSERT_EQ(h.dialogs.boxes.size(), 1u);
            expectSaveQuestion(h.dialogs.boxes[0]);
            EXPECT_TRUE(h.running());
            EXPECT_FALSE(h.w.g.gfMatricesSaved);
        }
        {
            ExitHarness h(false);
            h.dialogs.answer(MsgResult::No);
            c.choose(h.w);
            ASSERT_EQ(h.dialogs.boxes.size(), 1u);
            expectSaveQuestion(h.dialogs.boxes[0]);
            EXPECT_TRUE(h.endedOnce());
        }
    }
}

TEST(Exit, YesWithTheSaveDialogDismissedStaysOpen) {
    ExitHarness h(false);
    h.dialogs.answer(MsgResult::Yes).file("");
    h.w.cmdExit.userClick();
    ASSERT_GE(h.dialogs.boxes.size(), 2u);
    expectSaveQuestion(h.dialogs.boxes[0]);
    EXPECT_EQ(h.dialogs.boxes[1].kind, Box::Save);
    EXPECT_TRUE(h.w.confirmCancel);
    EXPECT_TRUE(h.running());

    // The next Exit asks again.
    h.dialogs.answer(MsgResult::No);
    h.w.cmdExit.userClick();
    EXPECT_TRUE(h.endedOnce());
}

TEST(Exit, YesWithACompletedSaveEnds) {
    ExitHarness h(false);
    const std::string path = h.dir.file("work.txt");
    h.dialogs.answer(MsgResult::Yes).file(path);
    h.w.cmdExit.userClick();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(h.w.g.gfMatricesSaved);
    EXPECT_TRUE(h.endedOnce());
}

TEST(Exit, FrameCloseAsksTheSameQuestion) {
    {
        ExitHarness h(false);
        h.dialogs.answer(MsgResult::Cancel);
        EXPECT_FALSE(h.w.form.userClose());
        ASSERT_EQ(h.dialogs.boxes.size(), 1u);
        expectSaveQuestion(h.dialogs.boxes[0]);
        EXPECT_TRUE(h.running());
        EXPECT_TRUE(h.w.form.Visible());
    }
    {
        ExitHarness h(false);
        h.dialogs.answer(MsgResult::Yes).file("");
        EXPECT_FALSE(h.w.form.userClose());
        EXPECT_TRUE(h.running());
    }
    {
        ExitHarness h(false);
        h.dialogs.answer(MsgResult::No);
        EXPECT_TRUE(h.w.form.userClose());
        EXPECT_EQ(h.dialogs.boxes.size(), 1u);
        EXPECT_TRUE(h.endedOnce());
    }
    {
        ExitHarness h(true);
        EXPECT_TRUE(h.w.form.userClose());
        EXPECT_TRUE(h.dialogs.boxes.empty());
        EXPECT_TRUE(h.endedOnce());
    }
}

TEST(Exit, EndingClosesTheAboutBox) {
    ExitHarness h(true);
    h.w.mnuAbout.userClick();
    ASSERT_TRUE(h.w.frmAbout && h.w.frmAbout->form.Loaded());
    h.w.cmdExit.userClick();
    EXPECT_TRUE(h.endedOnce());
    EXPECT_FALSE(h.w.frmAbout->form.Loaded());
}

} // namespace
} // namespace velmor::test
