#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

struct ExitHarness : StartupHarness {
    explicit ExitHarness(bool saved) {
        start();
        w.g.gfMatricesSaved = saved;
    }
    bool running() const { return !w.ended() && !platform.quitCalled && w.form.Loaded(); }
    bool endedOnce() const { return w.ended() && platform.quitCalled && !w.form.Loaded(); }
};

// Each way out; a frame close returns whether the window may close, the others true.
using Way = bool (*)(FrmVelmor&);
const Way kButton = [](FrmVelmor& w) { return w.cmdExit.userClick(), true; };
const Way kEsc = [](FrmVelmor& w) { return w.form.userPressEscape(), true; };
const Way kFrame = [](FrmVelmor& w) { return w.form.userClose(); };
const Way kMenu = [](FrmVelmor& w) { return w.mnuFileExit.userClick(), true; };
const Way kOpen = [](FrmVelmor& w) { return w.mnuFileOpen.userClick(), true; };

// A close through the frame used to end without asking; it now asks like Exit does. A saved
// list ends at once. Yes, which ends only once the save is done, runs on the real widgets.
TEST(Exit, EveryWayOutAsksTheSameQuestionUnlessTheListIsSaved) {
    struct Case {
        Way way;
        bool saved;
        MsgResult answer;
        bool ends;
    };
    const Case cases[] = {
        {kButton, false, MsgResult::Cancel, false}, {kButton, false, MsgResult::No, true},
        {kEsc, false, MsgResult::Cancel, false},    {kEsc, false, MsgResult::No, true},
        {kFrame, false, MsgResult::Cancel, false},  {kFrame, false, MsgResult::No, true},
        {kButton, true, MsgResult::Cancel, true},   {kFrame, true, MsgResult::Cancel, true},
    };
    const Boxes question{{"Do you want to save the matrices to a text file? ",
                          MsgButtons::YesNoCancel, MsgIcon::None, "Save latest work?"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ExitHarness h(c.saved);
        h.dialogs.answer(c.answer);
        EXPECT_EQ(c.way(h.w), c.ends || c.way != kFrame);
        EXPECT_EQ(h.dialogs.boxes.size(), c.saved ? 0u : 1u);
        EXPECT_EQ(boxes(h.dialogs), c.saved ? Boxes{} : question);
        EXPECT_EQ(h.endedOnce(), c.ends);
        EXPECT_EQ(h.running(), !c.ends);
    }
}

// Esc pressed the Exit button while a matrix was being keyed and the matrix was gone; File >
// Open replaced it without a word.
TEST(Exit, AnEntryUnderWayIsKeptUnlessTheUserSaysYes) {
    struct Case {
        Way way;
        MsgResult answer;
        bool listSaved;
        bool ends;
    };
    const Case cases[] = {
        {kButton, MsgResult::No, true, false}, {kEsc, MsgResult::No, true, false},
        {kFrame, MsgResult::No, true, false},  {kMenu, MsgResult::No, true, false},
        {kEsc, MsgResult::Yes, true, true},    {kFrame, MsgResult::Yes, false, false},
        {kOpen, MsgResult::No, true, false},   {kOpen, MsgResult::Yes, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ExitHarness h(true);
        h.w.cmdInput.userClick();
        h.w.cboMatrixInput.userType("M");
        h.w.g.gfMatricesSaved = c.listSaved;
        h.dialogs.answer(c.answer).file("");
        // The list question that follows Yes, answered Cancel.
        if (!c.listSaved) h.dialogs.answer(MsgResult::Cancel);
        c.way(h.w);
        const bool open = c.way == kOpen, yes = c.answer == MsgResult::Yes;
        ASSERT_EQ(h.dialogs.boxes.size(), c.listSaved && !(open && yes) ? 1u : 2u);
        const Box& b = h.dialogs.boxes[0];
        EXPECT_EQ(b.prompt, std::string("The matrix being entered has not been saved. ") +
                                (open ? "Open a file" : "Exit") + " without saving it?");
        EXPECT_EQ(std::tuple(b.buttons, b.icon, b.title, b.defaultButton),
                  std::tuple(MsgButtons::YesNo, MsgIcon::Exclamation, "Velmor", 1));
        if (h.dialogs.boxes.size() == 2) {
            EXPECT_EQ(h.dialogs.boxes[1].title,
                      open ? "Select Matrix Data File" : "Save latest work?");
        }
        EXPECT_EQ(h.endedOnce(), c.ends);
        if (c.ends) continue;
        EXPECT_EQ(h.w.cboMatrixInput.Text(), "M");
        // A click focuses the button it presses; a key, menu or frame moves no focus.
        if (c.way != kButton) {
            EXPECT_EQ(h.w.form.ActiveControl(), &h.w.cboMatrixInput);
        }
        EXPECT_TRUE(h.w.cmdCancel.Enabled());
    }
}

TEST(Exit, NoEntryQuestionOnceTheEntryIsCancelled) {
    ExitHarness h(true);
    h.w.cmdInput.userClick();
    h.dialogs.answer(MsgResult::Yes);
    h.w.cmdCancel.userClick();
    h.w.form.userPressEscape();
    EXPECT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(h.endedOnce());
}

} // namespace
} // namespace velmor::test
