#include <algorithm>

#include <QLineEdit>

#include "tests/qt/qt_fixture.h"
#include "tests/qt/sample_form.h"
#include "ui/qt/form_window.h"

namespace velmor::test {
namespace {

using Log = std::vector<std::string>;

// The sample dialog in a real window, the focus on txtA and the log empty.
class FormWindowTest : public QtFixture {
  protected:
    void SetUp() override {
        window = std::make_unique<FormWindow>(f.form);
        window->present(false);
        activate(window->window());
        a = qobject_cast<QLineEdit*>(w(f.txtA));
        QTest::mouseClick(a, Qt::LeftButton);
        f.log.clear();
    }
    QWidget* w(const Control& c) { return window->widgetFor(c); }

    SampleForm f;
    std::unique_ptr<FormWindow> window;
    QLineEdit* a = nullptr;
};

TEST_F(FormWindowTest, EachFocusMoveIsReportedOnce) {
    f.txtB.setTabStop(false); // still takes a click, but Tab passes it by
    QTest::keyClick(a, Qt::Key_Tab);
    QTest::keyClick(w(f.cmdOK), Qt::Key_Backtab, Qt::ShiftModifier);
    f.txtB.SetFocus(); // by code: mirrored onto the widget, not reported back
    EXPECT_EQ(QApplication::focusWidget(), w(f.txtB));
    EXPECT_EQ(f.log, (Log{"txtA.LostFocus", "cmdOK.GotFocus", "cmdOK.LostFocus", "txtA.GotFocus",
                          "txtA.LostFocus", "txtB.GotFocus"}));
    // Qt moving the focus off a control disabled or hidden by code is no user move.
    f.log.clear();
    f.txtB.setEnabled(false);
    f.txtA.SetFocus();
    f.txtA.setVisible(false);
    settle();
    EXPECT_EQ(f.log, (Log{"txtB.LostFocus", "txtA.GotFocus"}));
}

TEST_F(FormWindowTest, EnterPressesTheFocusedOrDefaultButtonUnlessFocusMoved) {
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(f.log.back(), "cmdOK.Click");
    EXPECT_EQ(f.txtA.Text(), ""); // a single-line box takes no Enter
    QTest::mouseClick(w(f.cmdCancel), Qt::LeftButton);
    f.log.clear();
    QTest::keyClick(w(f.cmdCancel), Qt::Key_Return);
    EXPECT_EQ(f.log, Log{"cmdCancel.Click"});
    // Enter whose key handler moved the focus has done its job.
    f.txtA.SetFocus();
    f.txtA.onKeyDown = [&](int& code, int) {
        if (code == 13) f.txtB.SetFocus();
    };
    QTest::keyClick(a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w(f.txtB));
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "cmdOK.Click"), 0);
}

TEST_F(FormWindowTest, TextBoxKeysAndQtsOwnEditsReachTheBox) {
    std::vector<int> keyDowns;
    f.txtA.onKeyDown = [&](int& code, int) { keyDowns.push_back(code); };
    f.txtA.onKeyPress = [](int& k) { k = k == 'x' ? 0 : k == 'b' ? 'B' : k; };
    QTest::keyClicks(a, "axb");
    QTest::keyClick(a, Qt::Key_Q, Qt::AltModifier); // an access key matching nothing
    EXPECT_EQ(a->text(), "aB");
    EXPECT_EQ(f.log, (Log{"txtA.Change a", "txtA.Change aB"}));

    f.txtA.setText("h\xC3\xA9llo"); // carets count UTF-16 units in Qt, bytes in the box
    a->setSelection(1, 3);          // "éll"
    QTest::keyClicks(a, "a");
    EXPECT_EQ(f.txtA.Text(), "hao");
    EXPECT_EQ(f.txtA.SelStart(), 2);
    QTest::keyClick(a, Qt::Key_Backspace);
    QTest::keyClick(a, Qt::Key_Home);
    QTest::keyClick(a, Qt::Key_Delete);
    QTest::keyClick(a, Qt::Key_Up);
    EXPECT_EQ(f.txtA.Text(), "o");
    EXPECT_EQ(f.txtA.SelStart(), 0);
    EXPECT_EQ(keyDowns, (std::vector<int>{'A', 'X', 'B', 18, 'Q', 'A', 8, 36, 46, 38}));
}

TEST_F(FormWindowTest, ClosingAsksTheFormAndGivesTheHourglassBack) {
    int cancel = 1;
    f.form.onQueryUnload = [&](int& c, int mode) { c = mode == kUnloadFromFrame && cancel; };
    EXPECT_FALSE(window->window()->close());
    EXPECT_TRUE(f.form.Loaded());
    cancel = 0;
    f.form.setMousePointer(kPointerHourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    f.form.setMousePointer(kPointerDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    f.form.setMousePointer(kPointerHourglass); // busy when unloaded
    EXPECT_TRUE(window->window()->close());
    EXPECT_FALSE(f.form.Loaded());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormWindowTest, AFormDestroyedBeforeItsWindowLeavesNoDanglingUse) {
    auto other = std::make_unique<SampleForm>();
    FormWindow orphan(other->form);
    orphan.present(false);
    QPointer<QWidget> edit = orphan.widgetFor(other->txtA);
    other.reset();
    EXPECT_EQ(orphan.form(), nullptr);
    QTest::keyClicks(edit, "abc"); // reaches nothing
    QTest::keyClick(orphan.window(), Qt::Key_Escape);
}

} // namespace
} // namespace velmor::test
