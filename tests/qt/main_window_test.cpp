#include <QAction>
#include <QSlider>

#include "tests/qt/real_main_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_model.h"

namespace velmor::test {
namespace {

class MainWindowTest : public RealMainWindow {
  protected:
    void SetUp() override {
        RealMainWindow::SetUp();
        grid = dynamic_cast<GridBinding*>(main->bindingFor(frm->MSFlexGrid1));
    }
    void enter(const Control& c, const QString& keys) {
        QTest::keyClicks(w(c), keys);
        QTest::keyClick(w(c), Qt::Key_Return);
    }
    // The current cell as drawn, grid line included, on the form's client area.
    QRect drawnCurrentCell() {
        QTableView* v = grid->view();
        QModelIndex i = v->currentIndex();
        QRect r(v->columnViewportPosition(i.column()), v->rowViewportPosition(i.row()),
                v->columnWidth(i.column()), v->rowHeight(i.row()));
        return r.translated(v->viewport()->mapTo(main->client(), QPoint(0, 0)));
    }

    GridBinding* grid = nullptr;
};

TEST_F(MainWindowTest, StartsWithTheDesignCaptionsAndMenus) {
    QStringList captions, menus;
    for (const Control* c : frm->form.controls())
        if (auto* push = qobject_cast<QPushButton*>(w(*c))) captions << push->text();
    EXPECT_EQ(captions, (QStringList{"&Input", "&Transpose", "I&nvert", "Sca&le", "&Multiply",
                                     "&Add", "Su&btract", "E&xit", "&Properties", "Ad&joint",
                                     "&Save", "&Cancel", "Clea&r", "&Delete", "D&elete All"}));
    EXPECT_EQ(main->window()->windowTitle(), "Dravik Software - Velmor");
    for (const MenuItem* m : {&frm->mnuFileOpen, &frm->mnuFileSave, &frm->mnuContents}) {
        QAction* a = main->actionFor(*m);
        menus << a->text() + " " + a->shortcut().toString() + (a->isEnabled() ? "" : " off");
    }
    EXPECT_EQ(menus,
              (QStringList{"&Open... Ctrl+O", "&Save... Ctrl+S off", "&Contents... Ctrl+H"}));
}

TEST_F(MainWindowTest, EscapeRunsExitAndShortcutsWorkFromATextBox) {
    int exits = 0, contents = 0;
    frm->cmdExit.onClick = [&] { ++exits; };
    frm->mnuContents.onClick = [&] { ++contents; };
    for (const Control* c : std::vector<const Control*>{&frm->txtDescription, &frm->Slider1,
                                                        &frm->cboMatrixInput, &frm->cmdInput}) {
        w(*c)->setFocus();
        QTest::keyClick(w(*c), Qt::Key_Escape);
    }
    frm->txtDescription.setText("ab");
    w(frm->txtDescription)->setFocus();
    QTest::keyClick(w(frm->txtDescription), Qt::Key_H, Qt::ControlModifier); // no backspace
    EXPECT_EQ(exits, 4);
    EXPECT_EQ(contents, 1);
    EXPECT_EQ(frm->txtDescription.Text(), "ab");
}

TEST_F(MainWindowTest, TheSliderScrollsAndChangesOnceAndResizesComeBackInTwips) {
    std::string log;
    frm->Slider1.onScroll = [&] { log += " scroll " + std::to_string(frm->Slider1.Value()); };
    frm->Slider1.onChange = [&, change = frm->Slider1.onChange] {
        log += " change " + std::to_string(frm->Slider1.Value());
        change();
    };
    auto* slider = qobject_cast<QSlider*>(w(frm->Slider1));
    slider->setSliderDown(true);
    slider->setSliderPosition(4);
    slider->setSliderPosition(6);
    slider->setSliderDown(false);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(log, " scroll 4 scroll 6 change 6 change 10");
    main->window()->resize(740, main->window()->height() + 56);
    settle();
    EXPECT_DOUBLE_EQ(frm->form.Width(), 740 * 15 + 120);
    EXPECT_DOUBLE_EQ(frm->form.Height(), 560 * 15 + 810);
}

TEST_F(MainWindowTest, AMatrixIsKeyedThroughTheEditorOverEachCell) {
    QTest::mouseClick(w(frm->cmdInput), Qt::LeftButton);
    QTest::keyClicks(w(frm->cboMatrixInput), "A");
    QTest::keyClick(w(frm->cboMatrixInput), Qt::Key_Tab);
    enter(frm->txtNo_Rows, "x2"); // the letter is refused
    enter(frm->txtNo_Columns, "2");
    enter(frm->txtDescription, "square");
    ASSERT_EQ(QApplication::focusWidget(), grid->view());
    EXPECT_EQ(frm->txtNo_Rows.Text(), "2");

    auto* editor = qobject_cast<QLineEdit*>(w(frm->Text1));
    for (QString value : {"1.5", "-2", "3", ".25"}) {
        QTest::keyClicks(grid->view(), value.left(1));
        ASSERT_EQ(QApplication::focusWidget(), editor) << value.toStdString();
        EXPECT_EQ(editor->geometry(), drawnCurrentCell()) << value.toStdString();
        // The editor looks like the cell: its font, its text at the right.
        EXPECT_EQ(editor->font(), grid->view()->font());
        EXPECT_TRUE(editor->alignment() & Qt::AlignRight);
        QTest::keyClicks(editor, value.mid(1));
        QTest::keyClick(editor, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_FALSE(editor->isVisible()) << value.toStdString();
    }
    settle();
    QStringList shown;
    for (int i = 0; i < 4; ++i) shown << grid->model()->index(i / 2, i % 2).data().toString();
    EXPECT_EQ(shown, (QStringList{"1.5", "-2", "3", ".25"}));
    EXPECT_EQ(QApplication::focusWidget(), w(frm->cmdSave)); // after the bottom-right cell
    // At any column width a click on a cell opens the editor over it.
    for (int width : {0, 3, 7, 10}) {
        frm->Slider1.setValue(width);
        settle();
        QRect target = grid->view()->visualRect(grid->model()->index(1, 1));
        QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, {}, target.center());
        ASSERT_TRUE(editor->isVisible()) << width;
        EXPECT_EQ(editor->geometry(), drawnCurrentCell()) << width;
        frm->MSFlexGrid1.SetFocus();
    }
    QTest::mouseClick(w(frm->cmdSave), Qt::LeftButton);
    EXPECT_EQ(frm->Matrices.Count(), 1);
    EXPECT_EQ(qobject_cast<QComboBox*>(w(frm->cboMatrixInput))->currentText(), "A");
    EXPECT_TRUE(main->actionFor(frm->mnuFileSave)->isEnabled());
}

} // namespace
} // namespace velmor::test
