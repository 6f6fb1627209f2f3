#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

#include "tests/qt/qt_fixture.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"
#include "ui/qt/form_window.h"

namespace velmor::test {
namespace {

// The real main window controller over real widgets, with scripted boxes.
class MainWindowTest : public QtFixture {
  protected:
    void SetUp() override {
        platform.currentDir = dir.path();
        dir.write("velmor.ini", "Input_Delimiter=\",\"\nOutput_Delimiter=\",\"\n");
        frm = std::make_unique<FrmVelmor>(dialogs, platform, format);
        ASSERT_TRUE(frm->Form_Load());
        window = std::make_unique<FormWindow>(frm->form);
        window->present(false);
        activate(window->window());
        settle();
    }
    void TearDown() override {
        window.reset();
        frm.reset();
    }
    QWidget* w(const Control& c) { return window->widgetFor(c); }

    TempDir dir;
    ScriptedDialogs dialogs;
    FakePlatform platform;
    NumberFormat format{"."};
    std::unique_ptr<FrmVelmor> frm;
    std::unique_ptr<FormWindow> window;
};

TEST_F(MainWindowTest, StartsWithTheDesignCaptionsTooltipsAndStates) {
    struct Button {
        const CommandButton& button;
        const char* caption;
        const char* tooltip;
        bool enabled;
    };
    const Button buttons[] = {
        {frm->cmdInput, "&Input", "", true},
        {frm->cmdSave, "&Save",
         "Save to Matrix list (Use \"File > Save\" to save list to text file)", false},
        {frm->cmdCancel, "&Cancel", "Cancel changes/input", false},
        {frm->cmdClear, "Clea&r", "Clear the grid", false},
        {frm->cmdDelete, "&Delete", "Delete from Matrix list", false},
        {frm->cmdDeleteAll, "D&elete All", "Delete from Matrix list", false},
        {frm->cmdTranspose, "&Transpose", "", false},
        {frm->cmdInvert, "I&nvert", "", false},
        {frm->cmdProperties, "&Properties", "Determinant, Trace", false},
        {frm->cmdAdjoint, "Ad&joint", "", false},
        {frm->cmdScale, "Sca&le", "Multiply by a Scalar", false},
        {frm->cmdMultiply, "&Multiply", "", false},
        {frm->cmdAdd, "&Add", "", false},
        {frm->cmdSubtract, "Su&btract", "", false},
        {frm->cmdExit, "E&xit", "", true},
    };
    for (const auto& b : buttons) {
        auto* push = qobject_cast<QPushButton*>(w(b.button));
        ASSERT_NE(push, nullptr) << b.caption;
        EXPECT_EQ(push->text(), b.caption);
        EXPECT_EQ(push->toolTip(), b.tooltip) << b.caption;
        EXPECT_EQ(push->isEnabled(), b.enabled) << b.caption;
        EXPECT_TRUE(push->isVisible()) << b.caption;
    }
    struct Field {
        const Control& control;
        const char* tooltip;
        bool visible;
    };
    const Field fields[] = {
        {frm->cboMatrixInput, "Select or Enter Matrix Name", true},
        {frm->txtNo_Rows, "Number of Rows", true},
        {frm->txtNo_Columns, "Number of Columns", true},
        {frm->txtDescription, "Optional Matrix Description", true},
        {frm->cboMatrixInput2, "Select Matrix", false},
        {frm->txtNo_Rows2, "", false},
        {frm->txtNo_Columns2, "", false},
        {frm->txtDescription2, "", false},
        {frm->lblMatrixBottom, "", false},
        {frm->MSFlexGrid2, "", false},
        {frm->Text1, "", false},
        {frm->MSFlexGrid1, "", true},
        {frm->Slider1, "", true},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(w(f.control)->toolTip(), f.tooltip) << f.control.name();
        EXPECT_EQ(w(f.control)->isVisible(), f.visible) << f.control.name();
    }
    EXPECT_TRUE(qobject_cast<QComboBox*>(w(frm->cboMatrixInput))->isEditable());
    EXPECT_FALSE(qobject_cast<QComboBox*>(w(frm->cboMatrixInput2))->isEditable());
    EXPECT_TRUE(qobject_cast<QLineEdit*>(w(frm->txtNo_Rows2))->isReadOnly());
    EXPECT_EQ(qobject_cast<QLabel*>(w(frm->lblColWidth))->text(), "Column Width");
    EXPECT_FALSE(qobject_cast<QLabel*>(w(frm->Image1))->pixmap().isNull());
    // Out of the tab order, yet a click still focuses them.
    EXPECT_EQ(w(frm->MSFlexGrid1)->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(window->window()->windowTitle(), "Dravik Software - Velmor");
    EXPECT_FALSE(window->window()->windowIcon().isNull());
}

TEST_F(MainWindowTest, MenusCarryCaptionsShortcutsAndStates) {
    auto* main = qobject_cast<QMainWindow*>(window->window());
    ASSERT_NE(main, nullptr);
    QStringList tops;
    for (QAction* a : main->menuBar()->actions()) tops << a->text();
    EXPECT_EQ(tops, (QStringList{"&File", "Fo&rmat", "&Help"}));
    struct Item {
        const MenuItem& item;
        const char* caption;
        const char* shortcut;
        bool enabled;
    };
    const Item items[] = {
        {frm->mnuFileOpen, "&Open...", "Ctrl+O", true},
        {frm->mnuFileSave, "&Save...", "Ctrl+S", false},
        {frm->mnuFileExit, "E&xit", "", true},
        {frm->mnuInputDelimiter, "&Input Delimiter...", "", true},
        {frm->mnuOutputDelimiter, "Out&put Delimiter...", "", true},
        {frm->mnuAbout, "&About...", "", true},
        {frm->mnuContents, "&Contents...", "Ctrl+H", true},
    };
    for (const auto& i : items) {
        QAction* a = window->actionFor(i.item);
        ASSERT_NE(a, nullptr) << i.caption;
        EXPECT_EQ(a->text(), i.caption);
        EXPECT_EQ(a->shortcut(), QKeySequence(i.shortcut)) << i.caption;
        EXPECT_EQ(a->isEnabled(), i.enabled) << i.caption;
    }
    frm->mnuFileSave.setEnabled(true);
    EXPECT_TRUE(window->actionFor(frm->mnuFileSave)->isEnabled());

    // Shortcuts work from a text box too, which has keys of its own.
    int opened = 0, contents = 0;
    frm->mnuFileOpen.onClick = [&] { ++opened; };
    frm->mnuContents.onClick = [&] { ++contents; };
    window->actionFor(frm->mnuFileOpen)->trigger();
    QWidget* description = w(frm->txtDescription);
    description->setFocus();
    QTest::keyClick(description, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(description, Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(contents, 1);
    EXPECT_EQ(frm->txtDescription.Text(), "");
}

TEST_F(MainWindowTest, ClientAreaFollowsTheFormsOuterSize) {
    // 9840 x 8370 outer: client 9720 x 7560 twips below the menu bar.
    EXPECT_EQ(window->client()->size(), QSize(648, 504));
    EXPECT_EQ(window->widgetFor(frm->cmdInput)->geometry(), QRect(15, 64, 81, 33));
    // A user resize comes back in twips, the menu bar counted in the frame.
    window->window()->resize(700, window->window()->height() + 56);
    settle();
    EXPECT_EQ(window->client()->size(), QSize(700, 560));
    EXPECT_DOUBLE_EQ(frm->form.Width(), 700 * 15 + 120);
    EXPECT_DOUBLE_EQ(frm->form.Height(), 560 * 15 + 810);
    // A size set by code resizes the window, without reporting it back.
    frm->form.setWidth(9840);
    frm->form.setHeight(8370);
    settle();
    EXPECT_EQ(window->client()->size(), QSize(648, 504));
    EXPECT_DOUBLE_EQ(frm->form.Width(), 9840);
    EXPECT_DOUBLE_EQ(frm->form.Height(), 8370);
}

TEST_F(MainWindowTest, EscapeAnywherePressesExit) {
    int exits = 0;
    auto exit = frm->cmdExit.onClick;
    frm->cmdExit.onClick = [&] {
        ++exits;
        exit();
    };
    QTest::keyClick(w(frm->txtDescription), Qt::Key_Escape);
    EXPECT_EQ(exits, 1);
    if (frm->form.Loaded()) {
        QTest::keyClick(w(frm->cmdInput), Qt::Key_Escape);
        EXPECT_EQ(exits, 2);
    }
}

TEST_F(MainWindowTest, MovingTheSliderCompletesAMove) {
    int changes = 0;
    auto change = frm->Slider1.onChange;
    frm->Slider1.onChange = [&] {
        ++changes;
        change();
    };
    auto* slider = qobject_cast<QSlider*>(w(frm->Slider1));
    EXPECT_EQ(slider->maximum(), 10);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(frm->Slider1.Value(), 10);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(frm->form.ActiveControl(), &frm->Slider1);
}

TEST_F(MainWindowTest, TypingIntoTheDescriptionChangesIt) {
    auto* edit = qobject_cast<QLineEdit*>(w(frm->txtDescription));
    QTest::mouseClick(edit, Qt::LeftButton);
    EXPECT_EQ(frm->form.ActiveControl(), &frm->txtDescription);
    QTest::keyClicks(edit, "Identity");
    EXPECT_EQ(frm->txtDescription.Text(), edit->text().toStdString());
    EXPECT_FALSE(frm->txtDescription.Text().empty());
}

TEST_F(MainWindowTest, TabFollowsTheDesignTabOrder) {
    frm->cmdInput.SetFocus();
    QTest::keyClick(w(frm->cmdInput), Qt::Key_Tab);
    EXPECT_EQ(frm->form.ActiveControl(), &frm->cboMatrixInput);
    EXPECT_EQ(QApplication::focusWidget(), w(frm->cboMatrixInput));
}

} // namespace
} // namespace velmor::test
