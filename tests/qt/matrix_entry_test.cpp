#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

// A matrix keyed into the real main window by keyboard and mouse, the way a user does:
// the binding's key, focus and grid paths all take part.
class MatrixEntryTest : public QtFixture {
  protected:
    void SetUp() override {
        platform.currentDir = dir.path();
        dir.write("velmor.ini", "Input_Delimiter=\",\"\nOutput_Delimiter=\",\"\n");
        frm = std::make_unique<FrmVelmor>(dialogs, platform, format);
        ASSERT_TRUE(frm->Form_Load());
        window = std::make_unique<FormWindow>(frm->form);
        window->present(false);
        frm->Form_Resize();
        activate(window->window());
        grid = dynamic_cast<GridBinding*>(window->bindingFor(frm->MSFlexGrid1));
        ASSERT_NE(grid, nullptr);
    }
    void TearDown() override {
        window.reset();
        frm.reset();
    }
    QWidget* w(const Control& c) { return window->widgetFor(c); }
    QString cell(int row, int col) {
        settle();
        return grid->model()
            ->data(grid->model()->index(row - 1, col - 1), Qt::DisplayRole)
            .toString();
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
    std::unique_ptr<FrmVelmor> frm;
    std::unique_ptr<FormWindow> window;
    GridBinding* grid = nullptr;
};

TEST_F(MatrixEntryTest, AMatrixIsKeyedCellByCellThroughTheEditor) {
    QTest::mouseClick(w(frm->cmdInput), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), w(frm->cboMatrixInput));
    QTest::keyClicks(w(frm->cboMatrixInput), "A");
    QTest::keyClick(w(frm->cboMatrixInput), Qt::Key_Tab);
    ASSERT_EQ(frm->form.ActiveControl(), &frm->txtNo_Rows);

    QTest::keyClicks(w(frm->txtNo_Rows), "2x");
    EXPECT_EQ(frm->txtNo_Rows.Text(), "2"); // the box refuses the letter
    QTest::keyClick(w(frm->txtNo_Rows), Qt::Key_Return);
    ASSERT_EQ(frm->form.ActiveControl(), &frm->txtNo_Columns);
    EXPECT_EQ(QApplication::focusWidget(), w(frm->txtNo_Columns));
    QTest::keyClicks(w(frm->txtNo_Columns), "2");
    QTest::keyClick(w(frm->txtNo_Columns), Qt::Key_Return);
    ASSERT_EQ(frm->form.ActiveControl(), &frm->txtDescription);
    QTest::keyClicks(w(frm->txtDescription), "square");
    QTest::keyClick(w(frm->txtDescription), Qt::Key_Return);
    ASSERT_EQ(frm->form.ActiveControl(), &frm->MSFlexGrid1);
    EXPECT_EQ(QApplication::focusWidget(), grid->view());
    settle();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->columnCount(), 2);

    auto* editor = qobject_cast<QLineEdit*>(w(frm->Text1));
    const char* values[] = {"1.5", "-2", "3", ".25"};
    for (const char* value : values) {
        QTest::keyClicks(grid->view(), QString(value).left(1));
        ASSERT_TRUE(editor->isVisible()) << value;
        EXPECT_EQ(QApplication::focusWidget(), editor);
        EXPECT_EQ(editor->geometry(), drawnCurrentCell()) << value;
        QTest::keyClicks(editor, QString(value).mid(1));
        EXPECT_EQ(editor->text(), value);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_FALSE(editor->isVisible()) << value;
    }
    EXPECT_EQ(cell(1, 1), "1.5");
    EXPECT_EQ(cell(1, 2), "-2");
    EXPECT_EQ(cell(2, 1), "3");
    EXPECT_EQ(cell(2, 2), ".25");
    // Enter in the bottom-right cell hands the focus to Save.
    EXPECT_EQ(frm->form.ActiveControl(), &frm->cmdSave);
    EXPECT_EQ(QApplication::focusWidget(), w(frm->cmdSave));

    QTest::keyClick(w(frm->cmdSave), Qt::Key_Return);
    EXPECT_EQ(frm->Matrices.Count(), 1);
    auto* selector = qobject_cast<QComboBox*>(w(frm->cboMatrixInput));
    EXPECT_EQ(selector->count(), 1);
    EXPECT_EQ(selector->currentText(), "A");
    EXPECT_TRUE(window->actionFor(frm->mnuFileSave)->isEnabled());
    EXPECT_TRUE(w(frm->cboMatrixInput2)->isVisible());
}

TEST_F(MatrixEntryTest, ClickingACellOpensTheEditorOverIt) {
    frm->cmdInput.userClick();
    frm->txtNo_Rows.SetFocus();
    frm->txtNo_Rows.setText("3");
    frm->txtNo_Columns.SetFocus();
    frm->txtNo_Columns.setText("3");
    frm->txtDescription.SetFocus();
    settle();
    QTableView* view = grid->view();
    QRect target = view->visualRect(grid->model()->index(1, 2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, target.center());
    auto* editor = qobject_cast<QLineEdit*>(w(frm->Text1));
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(frm->MSFlexGrid1.Row(), 2);
    EXPECT_EQ(frm->MSFlexGrid1.Col(), 3);
    EXPECT_EQ(editor->geometry(), drawnCurrentCell());
    EXPECT_EQ(QApplication::focusWidget(), editor);

    // Back on the grid, a letter opens nothing and is refused with a box.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, target.center());
    frm->MSFlexGrid1.SetFocus();
    EXPECT_FALSE(editor->isVisible());
    dialogs.clear();
    QTest::keyClick(view, Qt::Key_A);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].prompt, "Numbers only!");
    EXPECT_FALSE(editor->isVisible());
}

} // namespace
} // namespace velmor::test
