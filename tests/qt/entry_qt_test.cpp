#include <QAction>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using EntryQtTest = RealMainWindow;
using Cells = std::vector<std::vector<std::string>>;

TEST_F(EntryQtTest, AMatrixKeyedCellByCellIsSavedIntoTheList) {
    click(frm->cmdInput);
    EXPECT_EQ(focused(), w(frm->cboMatrixInput)) << "entry starts in the name field";
    type("P");
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w(frm->txtNo_Rows));
    type("2");
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), w(frm->txtNo_Columns));
    type("x3"); // the count fields take digits only
    press(Qt::Key_Return);
    EXPECT_EQ(text(frm->txtNo_Columns), "3");
    EXPECT_EQ(focused(), w(frm->txtDescription));
    type("two rows");
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), topGrid()) << "Enter in the description goes to the grid";
    settle();
    EXPECT_EQ(headings(topGrid(), Qt::Horizontal), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(headings(topGrid(), Qt::Vertical), (QStringList{"1", "2"}));

    for (const char* cell : {"1.5", "-2", "3", "40", ".5", "6"}) {
        type(cell);
        EXPECT_TRUE(w(frm->Text1)->isVisible()) << cell;
        EXPECT_EQ(focused(), w(frm->Text1)) << cell;
        press(Qt::Key_Return);
        EXPECT_FALSE(w(frm->Text1)->isVisible()) << cell;
    }
    EXPECT_EQ(focused(), w(frm->cmdSave)) << "Enter in the last cell goes to Save";
    EXPECT_EQ(cells(topGrid()), (Cells{{"1.5", "-2", "3"}, {"40", ".5", "6"}}));
    // The cells are drawn on the text background, apart from the dark area beyond them.
    QTableView* grid = topGrid();
    QVariant cellBackground = grid->model()->data(grid->model()->index(1, 2), Qt::BackgroundRole);
    ASSERT_TRUE(cellBackground.canConvert<QColor>());
    EXPECT_NE(cellBackground.value<QColor>(), grid->palette().color(QPalette::Base));

    press(Qt::Key_Return); // Save has the focus
    settle();
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(frm->Matrices.Count(), 1);
    EXPECT_EQ(frm->Matrices.Item(1)->Name, "P");
    EXPECT_EQ(frm->Matrices.Item(1)->Description, "two rows");
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), QStringList{"P"});
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput2)), QStringList{"P"});
    EXPECT_EQ(text(frm->cboMatrixInput), "P");
    EXPECT_EQ(text(frm->txtNo_Rows), "2");
    EXPECT_EQ(text(frm->txtNo_Columns), "3");
    EXPECT_EQ(text(frm->txtDescription), "two rows");
    EXPECT_EQ(cells(topGrid()), (Cells{{"1.5", "-2", "3"}, {"40", ".5", "6"}}));
    EXPECT_EQ(focused(), w(frm->cmdInput));
    EXPECT_TRUE(main->actionFor(frm->mnuFileSave)->isEnabled());
    for (const Control* b :
         {&frm->cmdInput, &frm->cmdTranspose, &frm->cmdScale, &frm->cmdDelete, &frm->cmdDeleteAll})
        EXPECT_TRUE(w(*b)->isEnabled()) << b->name();
    for (const Control* b : {&frm->cmdSave, &frm->cmdInvert, &frm->cmdProperties})
        EXPECT_FALSE(w(*b)->isEnabled()) << b->name() << " (not square)";
}

TEST_F(EntryQtTest, ALetterOnTheGridIsRefusedAndAClickEditsACell) {
    click(frm->cmdInput);
    type("Q");
    press(Qt::Key_Return);
    type("1");
    press(Qt::Key_Return);
    type("2");
    press(Qt::Key_Return);
    press(Qt::Key_Return); // no description
    ASSERT_EQ(focused(), topGrid());

    type("a");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().prompt, "Numbers only!");
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::OK);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::None);
    EXPECT_EQ(dialogs.last().title, "Velmor");
    EXPECT_FALSE(w(frm->Text1)->isVisible());
    EXPECT_EQ(focused(), topGrid());

    type("-");
    EXPECT_EQ(as<QLineEdit>(frm->Text1)->text(), "-");
    type("7");
    press(Qt::Key_Return);
    type("8");
    press(Qt::Key_Return);
    settle();
    EXPECT_EQ(cells(topGrid()), (Cells{{"-7", "8"}}));

    // A click on a cell opens the editor with the cell's text, over that cell; Backspace and
    // new digits change it, Tab leaves it with the typed text in the cell.
    QTableView* grid = topGrid();
    QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = as<QLineEdit>(frm->Text1);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(focused(), editor);
    EXPECT_EQ(editor->text(), "-7");
    QPoint cellOnClient = grid->viewport()->mapTo(main->client(), cell.topLeft());
    EXPECT_EQ(editor->geometry().topLeft(), cellOnClient);
    press(Qt::Key_End);
    press(Qt::Key_Backspace);
    type("25");
    press(Qt::Key_Tab);
    EXPECT_FALSE(editor->isVisible());
    settle();
    EXPECT_EQ(cells(topGrid()), (Cells{{"-25", "8"}}));
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

} // namespace
} // namespace velmor::test
