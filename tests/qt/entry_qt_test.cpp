#include <QAction>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using EntryQtTest = RealMainWindow;
using Cells = std::vector<std::vector<std::string>>;

// Keying cell by cell and the editor's geometry are matrix_entry_test.cpp's; here: what the
// window shows after a save, and changing a stored matrix by a click and cancelling.
TEST_F(EntryQtTest, ASavedEntryIsShownAndAChangeToItCanBeCancelled) {
    keyMatrix("P", 2, 3, "two rows", {"1.5", "-2", "3", "40", ".5", "6"});
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(frm->Matrices.Count(), 1);
    EXPECT_EQ(frm->Matrices.Item(1)->Description, "two rows");
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), QStringList{"P"});
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput2)), QStringList{"P"});
    EXPECT_EQ(text(frm->cboMatrixInput), "P");
    EXPECT_EQ(text(frm->txtNo_Rows), "2");
    EXPECT_EQ(text(frm->txtNo_Columns), "3");
    EXPECT_EQ(text(frm->txtDescription), "two rows");
    const Cells stored{{"1.5", "-2", "3"}, {"40", ".5", "6"}};
    EXPECT_EQ(cells(topGrid()), stored);
    EXPECT_EQ(focused(), w(frm->cmdInput));
    EXPECT_TRUE(main->actionFor(frm->mnuFileSave)->isEnabled());
    for (const Control* b :
         {&frm->cmdInput, &frm->cmdTranspose, &frm->cmdScale, &frm->cmdDelete, &frm->cmdDeleteAll})
        EXPECT_TRUE(w(*b)->isEnabled()) << b->name();
    for (const Control* b : {&frm->cmdSave, &frm->cmdInvert, &frm->cmdProperties})
        EXPECT_FALSE(w(*b)->isEnabled()) << b->name() << " (not square)";
    // The cells are drawn on the text background, apart from the dark area beyond them.
    QTableView* grid = topGrid();
    QVariant cellBackground = grid->model()->data(grid->model()->index(1, 2), Qt::BackgroundRole);
    ASSERT_TRUE(cellBackground.canConvert<QColor>());
    EXPECT_NE(cellBackground.value<QColor>(), grid->palette().color(QPalette::Base));

    // A click opens the editor with the cell's text; Tab leaves it with the new text.
    QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    auto* editor = as<QLineEdit>(frm->Text1);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(focused(), editor);
    EXPECT_EQ(editor->text(), "1.5");
    press(Qt::Key_End);
    press(Qt::Key_Backspace);
    type("75");
    press(Qt::Key_Tab);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(cells(topGrid())[0][0], "1.75");
    EXPECT_EQ(frm->Matrices.Item(1)->Description, "two rows");

    // Cancel, confirmed: the stored matrix comes back.
    dialogs.answer(MsgResult::Yes);
    click(frm->cmdCancel);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().prompt, "Are you sure that you want to cancel input or changes?");
    EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.last().title, "Cancel Input/Changes?");
    EXPECT_EQ(cells(topGrid()), stored);
    EXPECT_EQ(focused(), w(frm->cmdInput));
    EXPECT_EQ(frm->Matrices.Count(), 1);
}

} // namespace
} // namespace velmor::test
