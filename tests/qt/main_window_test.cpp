#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>

#include "tests/qt/qt_fixture.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"
#include "ui/qt/form_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_model.h"

namespace velmor::test {
namespace {

// The real main window controller over real widgets, with scripted boxes.
class MainWindowTest : public QtFixture {
  protected:
    void SetUp() override {
        platform.currentDir = dir.path();
        dir.write("velmor.ini", "Input_Delimiter=\",\"\nOutput_Delimiter=\",\"\n");
        ASSERT_TRUE(frm.Form_Load());
        window = std::make_unique<FormWindow>(frm.form);
        window->present(false);
        frm.Form_Resize();
        activate(window->window());
        grid = dynamic_cast<GridBinding*>(window->bindingFor(frm.MSFlexGrid1));
    }
    QWidget* w(const Control& c) { return window->widgetFor(c); }
    void type(const Control& c, const QString& keys) {
        QTest::keyClicks(w(c), keys);
        QTest::keyClick(w(c), Qt::Key_Return);
    }
    QString cell(int row, int col) {
        settle();
        return grid->model()->index(row - 1, col - 1).data().toString();
    }
    // The current cell as drawn, grid line included, on the form's client area.
    QRect drawnCurrentCell() {
        QTableView* v = grid->view();
        QModelIndex i = v->currentIndex();
        QRect r(v->columnViewportPosition(i.column()), v->rowViewportPosition(i.row()),
                v->columnWidth(i.column()), v->rowHeight(i.row()));
        return r.translated(v->viewport()->mapTo(window->client(), QPoint(0, 0)));
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    FakePlatform platform;
    NumberFormat format{"."};
    FrmVelmor frm{dialogs, platform, format};
    std::unique_ptr<FormWindow> window;
    GridBinding* grid = nullptr;
};

TEST_F(MainWindowTest, StartsWithTheDesignCaptionsAndStates) {
    QStringList captions, enabled;
    for (const CommandButton* b :
         {&frm.cmdInput, &frm.cmdSave, &frm.cmdCancel, &frm.cmdClear, &frm.cmdDelete,
          &frm.cmdDeleteAll, &frm.cmdTranspose, &frm.cmdInvert, &frm.cmdProperties, &frm.cmdAdjoint,
          &frm.cmdScale, &frm.cmdMultiply, &frm.cmdAdd, &frm.cmdSubtract, &frm.cmdExit}) {
        auto* push = qobject_cast<QPushButton*>(w(*b));
        captions << push->text();
        if (push->isEnabled() && push->isVisible()) enabled << push->text();
    }
    EXPECT_EQ(captions,
              (QStringList{"&Input", "&Save", "&Cancel", "Clea&r", "&Delete", "D&elete All",
                           "&Transpose", "I&nvert", "&Properties", "Ad&joint", "Sca&le",
                           "&Multiply", "&Add", "Su&btract", "E&xit"}));
    EXPECT_EQ(enabled, (QStringList{"&Input", "E&xit"}));
    for (const Control* c : std::vector<const Control*>{&frm.cboMatrixInput2, &frm.Text1})
        EXPECT_FALSE(w(*c)->isVisible()) << c->name();
    EXPECT_EQ(w(frm.cmdSave)->toolTip(),
              "Save to Matrix list (Use \"File > Save\" to save list to text file)");
    EXPECT_EQ(window->window()->windowTitle(), "Dravik Software - Velmor");
    QStringList menus;
    for (const MenuItem* m : {&frm.mnuFileOpen, &frm.mnuFileSave, &frm.mnuContents}) {
        QAction* a = window->actionFor(*m);
        menus << a->text() + " " + a->shortcut().toString() + (a->isEnabled() ? "" : " off");
    }
    EXPECT_EQ(menus,
              (QStringList{"&Open... Ctrl+O", "&Save... Ctrl+S off", "&Contents... Ctrl+H"}));
}

TEST_F(MainWindowTest, EscapeRunsExitAndShortcutsWorkFromATextBox) {
    int exits = 0, opened = 0;
    frm.cmdExit.onClick = [&] { ++exits; };
    frm.mnuFileOpen.onClick = [&] { ++opened; };
    for (const Control* c : std::vector<const Control*>{&frm.txtDescription, &frm.Slider1,
                                                        &frm.cboMatrixInput, &frm.cmdInput}) {
        w(*c)->setFocus();
        QTest::keyClick(w(*c), Qt::Key_Escape);
    }
    QTest::keyClick(w(frm.txtDescription), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(exits, 4);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(frm.txtDescription.Text(), "");
}

TEST_F(MainWindowTest, TheSliderChangesOncePerMoveAndAResizeComesBackInTwips) {
    int changes = 0;
    frm.Slider1.onChange = [&, change = frm.Slider1.onChange] {
        ++changes;
        change();
    };
    auto* slider = qobject_cast<QSlider*>(w(frm.Slider1));
    slider->setSliderDown(true); // dragged: one change, on release
    slider->setSliderPosition(4);
    slider->setSliderPosition(6);
    slider->setSliderDown(false);
    EXPECT_EQ(changes, 1);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(frm.Slider1.Value(), 10);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(window->client()->size(), QSize(648, 504)); // 9840 x 8370 less frame and menu
    window->window()->resize(700, window->window()->height() + 56);
    settle();
    EXPECT_DOUBLE_EQ(frm.form.Width(), 700 * 15 + 120);
    EXPECT_DOUBLE_EQ(frm.form.Height(), 560 * 15 + 810);
}

TEST_F(MainWindowTest, AMatrixIsKeyedThroughTheEditorOverEachCell) {
    QTest::mouseClick(w(frm.cmdInput), Qt::LeftButton);
    QTest::keyClicks(w(frm.cboMatrixInput), "A");
    QTest::keyClick(w(frm.cboMatrixInput), Qt::Key_Tab);
    QTest::keyClicks(w(frm.txtNo_Rows), "x"); // refused
    type(frm.txtNo_Rows, "2");
    type(frm.txtNo_Columns, "2");
    type(frm.txtDescription, "square");
    ASSERT_EQ(QApplication::focusWidget(), grid->view());
    EXPECT_EQ(frm.txtNo_Rows.Text(), "2");

    auto* editor = qobject_cast<QLineEdit*>(w(frm.Text1));
    for (QString value : {"1.5", "-2", "3", ".25"}) {
        QTest::keyClicks(grid->view(), value.left(1));
        ASSERT_EQ(QApplication::focusWidget(), editor) << value.toStdString();
        EXPECT_EQ(editor->geometry(), drawnCurrentCell()) << value.toStdString();
        QTest::keyClicks(editor, value.mid(1));
        QTest::keyClick(editor, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(editor->isVisible()) << value.toStdString();
    }
    EXPECT_EQ((QStringList{cell(1, 1), cell(1, 2), cell(2, 1), cell(2, 2)}),
              (QStringList{"1.5", "-2", "3", ".25"}));
    EXPECT_EQ(QApplication::focusWidget(), w(frm.cmdSave)); // after the bottom-right cell
    // A click on a cell opens the editor over it; a letter on the grid is refused.
    QRect target = grid->view()->visualRect(grid->model()->index(1, 0));
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, target.center());
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), drawnCurrentCell());
    frm.MSFlexGrid1.SetFocus();
    QTest::keyClick(grid->view(), Qt::Key_A);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].prompt, "Numbers only!");
    EXPECT_FALSE(editor->isVisible());

    frm.cmdSave.SetFocus();
    QTest::keyClick(w(frm.cmdSave), Qt::Key_Return);
    EXPECT_EQ(frm.Matrices.Count(), 1);
    EXPECT_EQ(qobject_cast<QComboBox*>(w(frm.cboMatrixInput))->currentText(), "A");
    EXPECT_TRUE(window->actionFor(frm.mnuFileSave)->isEnabled());
}

} // namespace
} // namespace velmor::test
