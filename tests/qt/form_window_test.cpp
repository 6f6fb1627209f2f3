#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "tests/qt/qt_fixture.h"
#include "tests/qt/sample_form.h"
#include "ui/qt/form_window.h"

namespace velmor::test {
namespace {

class FormWindowTest : public QtFixture {
  protected:
    void SetUp() override {
        window = std::make_unique<FormWindow>(f.form);
        window->present(false);
        activate(window->window());
    }
    template <class W> W* widget(const Control& c) {
        return qobject_cast<W*>(window->widgetFor(c));
    }

    SampleForm f;
    std::unique_ptr<FormWindow> window;
};

TEST_F(FormWindowTest, ControlsArePlacedFromTheirTwips) {
    // A dialog's client area is its outer size less 120 x 510 twips.
    EXPECT_EQ(window->client()->size(), QSize(312, 146));
    EXPECT_EQ(widget<QPushButton>(f.cmdOK)->geometry(), QRect(120, 72, 81, 33));
    EXPECT_EQ(widget<QPushButton>(f.cmdOK)->text(), "&OK");
    EXPECT_TRUE(widget<QPushButton>(f.cmdOK)->isDefault());
    EXPECT_EQ(widget<QLabel>(f.lblNote)->text(), "Note <b>&</b>");
    EXPECT_EQ(widget<QLabel>(f.lblNote)->textFormat(), Qt::PlainText);
    f.txtA.move(100, 200, 1000, 300);
    EXPECT_EQ(window->widgetFor(f.txtA)->geometry(), QRect(7, 13, 66, 20));
    f.cmdCancel.setVisible(false);
    EXPECT_FALSE(window->widgetFor(f.cmdCancel)->isVisible());
    EXPECT_EQ(window->window()->windowTitle(), "Sample");
    f.form.setCaption("Renamed");
    EXPECT_EQ(window->window()->windowTitle(), "Renamed");
}

TEST_F(FormWindowTest, UserFocusMovesAreReportedOnce) {
    QTest::mouseClick(window->widgetFor(f.txtB), Qt::LeftButton);
    EXPECT_EQ(f.form.ActiveControl(), &f.txtB);
    f.log.clear();
    QTest::keyClick(window->widgetFor(f.txtB), Qt::Key_Tab);
    EXPECT_EQ(f.form.ActiveControl(), &f.cboEdit);
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtB.LostFocus", "cboEdit.GotFocus"}));
    f.log.clear();
    QTest::keyClick(window->widgetFor(f.cboEdit), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(f.form.ActiveControl(), &f.txtB);
    EXPECT_EQ(f.log, (std::vector<std::string>{"cboEdit.LostFocus", "txtB.GotFocus"}));
}

TEST_F(FormWindowTest, CodeFocusMovesTheWidgetWithoutRaisingEventsTwice) {
    f.txtA.SetFocus();
    f.log.clear();
    f.txtB.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), window->widgetFor(f.txtB));
    EXPECT_EQ(f.log, (std::vector<std::string>{"txtA.LostFocus", "txtB.GotFocus"}));
}

TEST_F(FormWindowTest, FocusQtMovesOffAHiddenOrDisabledControlIsNotReported) {
    f.txtB.SetFocus();
    f.log.clear();
    f.txtB.setEnabled(false);
    EXPECT_NE(QApplication::focusWidget(), window->widgetFor(f.txtB));
    f.txtA.SetFocus();
    f.log.clear();
    f.txtA.setVisible(false);
    settle();
    EXPECT_TRUE(f.log.empty());
    EXPECT_EQ(f.form.ActiveControl(), &f.txtA);
}

TEST_F(FormWindowTest, TabStopOffKeepsClickFocusOnly) {
    f.txtB.setTabStop(false);
    EXPECT_EQ(window->widgetFor(f.txtB)->focusPolicy(), Qt::ClickFocus);
    f.txtA.SetFocus();
    QTest::keyClick(window->widgetFor(f.txtA), Qt::Key_Tab);
    EXPECT_EQ(f.form.ActiveControl(), &f.cboEdit);
    f.txtB.setTabStop(true);
    EXPECT_EQ(window->widgetFor(f.txtB)->focusPolicy(), Qt::StrongFocus);
}

TEST_F(FormWindowTest, EscapeAnywherePressesTheCancelButton) {
    for (const Control* c :
         std::vector<const Control*>{&f.txtA, &f.cboEdit, &f.cboList, &f.sldWidth, &f.cmdOK}) {
        f.log.clear();
        QWidget* w = window->widgetFor(*c);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(f.logged("cmdCancel.Click")) << c->name();
        EXPECT_TRUE(window->window()->isVisible()) << c->name();
    }
}

TEST_F(FormWindowTest, ButtonsPressByMouseEnterAndSpace) {
    auto* ok = widget<QPushButton>(f.cmdOK);
    auto* cancel = widget<QPushButton>(f.cmdCancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(f.form.ActiveControl(), &f.cmdCancel);
    EXPECT_TRUE(f.logged("cmdCancel.Click"));
    f.log.clear();
    // Enter on a focused button presses that button, not the default one.
    QTest::keyClick(cancel, Qt::Key_Return);
    QTest::keyClick(cancel, Qt::Key_Space);
    EXPECT_EQ(f.log, (std::vector<std::string>{"cmdCancel.Click", "cmdCancel.Click"}));
    f.cmdOK.setEnabled(false);
    EXPECT_FALSE(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(f.logged("cmdOK.Click"));
}

TEST_F(FormWindowTest, ComboBoxesMirrorItemsAndReportPicksAndTyping) {
    auto* list = widget<QComboBox>(f.cboList);
    auto* edit = widget<QComboBox>(f.cboEdit);
    for (ComboBox* c : {&f.cboList, &f.cboEdit}) {
        c->AddItem("alpha");
        c->AddItem("beta");
    }
    EXPECT_EQ(list->count(), 2);
    EXPECT_FALSE(list->isEditable());
    EXPECT_TRUE(edit->isEditable());

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(f.cboList.ListIndex(), 0);
    EXPECT_TRUE(f.logged("cboList.Click alpha"));
    QTest::keyClick(list, Qt::Key_B);
    EXPECT_EQ(f.cboList.ListIndex(), 1);
    EXPECT_TRUE(f.logged("cboList.Click beta"));

    edit->setFocus();
    f.log.clear();
    QTest::keyClicks(edit, "be");
    EXPECT_EQ(f.cboEdit.Text(), "be");
    EXPECT_EQ(edit->currentText(), "be");
    EXPECT_EQ(f.log, (std::vector<std::string>{"cboEdit.Change b", "cboEdit.Change be"}));
    EXPECT_EQ(edit->count(), 2); // typing adds no item

    f.log.clear();
    f.cboEdit.setListIndex(0);
    EXPECT_EQ(edit->currentText(), "alpha");
    EXPECT_EQ(edit->currentIndex(), 0);
    f.cboEdit.Clear();
    EXPECT_EQ(edit->count(), 0);
    EXPECT_EQ(edit->currentText(), "");
}

TEST_F(FormWindowTest, SliderReportsScrollingAndCompletedMoves) {
    auto* slider = widget<QSlider>(f.sldWidth);
    EXPECT_EQ(slider->orientation(), Qt::Horizontal);
    EXPECT_EQ(slider->maximum(), 10);
    EXPECT_NE(slider->tickPosition(), QSlider::NoTicks);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(f.sldWidth.Value(), 1);
    EXPECT_EQ(f.log.back(), "sldWidth.Change 1");

    f.log.clear();
    slider->setSliderDown(true);
    slider->setSliderPosition(4);
    slider->setSliderPosition(6);
    EXPECT_EQ(f.log, (std::vector<std::string>{"sldWidth.Scroll 4", "sldWidth.Scroll 6"}));
    slider->setSliderDown(false);
    EXPECT_EQ(f.log.back(), "sldWidth.Change 6");
    EXPECT_EQ(f.sldWidth.Value(), 6);

    f.log.clear();
    f.sldWidth.setValue(9);
    EXPECT_EQ(slider->value(), 9);
    EXPECT_EQ(f.log, std::vector<std::string>{"sldWidth.Change 9"}); // raised once, by the control
}

TEST_F(FormWindowTest, HourglassPointerFollowsTheForm) {
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    f.form.setMousePointer(kPointerHourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    f.form.setMousePointer(kPointerDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // A form unloaded while busy gives the pointer back.
    f.form.setMousePointer(kPointerHourglass);
    f.form.unload();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormWindowTest, ClosingThroughTheFrameAsksTheForm) {
    int cancel = 1;
    f.form.onQueryUnload = [&](int& c, int mode) {
        EXPECT_EQ(mode, kUnloadFromFrame);
        c = cancel;
    };
    EXPECT_FALSE(window->window()->close());
    EXPECT_TRUE(window->window()->isVisible());
    EXPECT_TRUE(f.form.Loaded());
    cancel = 0;
    bool goneCalled = false;
    window->onGone = [&](FormWindow&) { goneCalled = true; };
    EXPECT_TRUE(window->window()->close());
    EXPECT_FALSE(f.form.Loaded());
    EXPECT_TRUE(goneCalled);
    EXPECT_FALSE(window->window()->isVisible());
    EXPECT_EQ(window->form(), nullptr);
}

class FormWindowLifetime : public QtFixture {};

TEST_F(FormWindowLifetime, AFormDestroyedBeforeItsWindowLeavesNoDanglingUse) {
    auto f = std::make_unique<SampleForm>();
    FormWindow window(f->form);
    window.present(false);
    QPointer<QWidget> edit = window.widgetFor(f->txtA);
    f.reset();
    EXPECT_EQ(window.form(), nullptr);
    EXPECT_FALSE(window.window()->isVisible());
    // Events on the orphaned widgets reach nothing.
    QTest::keyClicks(edit, "abc");
    QTest::keyClick(window.window(), Qt::Key_Escape);
}

} // namespace
} // namespace velmor::test
