#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using ClipboardQtTest = RealMainWindow;

QString clipboard() {
    return QGuiApplication::clipboard()->text();
}

TEST_F(ClipboardQtTest, AResultBlockCopiesAtItsPrecisionAndAPastedBlockGrowsTheEntry) {
    QMenuBar* bar = qobject_cast<QMainWindow*>(main->window())->menuBar();
    QStringList menus, edit;
    for (QAction* a : bar->actions()) menus << a->text();
    for (QAction* a : bar->actions()[1]->menu()->actions())
        edit << a->text() + " " + a->shortcut().toString();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "Fo&rmat", "&Help"}));
    EXPECT_EQ(edit,
              (QStringList{"&Copy Ctrl+C", "Copy &As ", "&Paste Ctrl+V", "Select &All Ctrl+A"}));

    keyMatrix("A", 3, 3, "", {"1.234", "2", "3", "4", "5.5", "6", "7", "8", "9"});
    ASSERT_TRUE(clickModal(frm->cmdAdd, [&](Form&) {
        click(out(output().txtPrecision));
        type("2");
        QTableView* grid = outGrid();
        settle();
        // A column by its heading, then a 2 x 3 block by a click and Shift+arrows.
        QHeaderView* header = grid->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        press(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard(), "4.00\n11.00\n16.00\n");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 0)).center());
        press(Qt::Key_Right, Qt::ShiftModifier);
        press(Qt::Key_Right, Qt::ShiftModifier);
        press(Qt::Key_Down, Qt::ShiftModifier);
        press(Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard(), "2.47\t4.00\t6.00\n8.00\t11.00\t12.00\n");
        EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->html().contains(
            "<tr><td>8.00</td><td>11.00</td><td>12.00</td></tr>"));
        click(out(output().cmdCancel));
    }));

    QGuiApplication::clipboard()->setText("1\t2\t3\r\n4\t5\t6\r\n7\t8\t9\r\n");
    click(frm->cmdInput);
    for (const char* field : {"B", "2", "2", ""}) {
        type(field);
        press(Qt::Key_Return);
    }
    ASSERT_EQ(focused(), topGrid());
    press(Qt::Key_V, Qt::ControlModifier);
    const Cells pasted{{"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}};
    EXPECT_EQ(cells(topGrid()), pasted);
    EXPECT_EQ(headings(topGrid(), Qt::Horizontal), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(text(frm->txtNo_Rows), "3");
    click(frm->cmdSave);
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"A", "B"}));
    EXPECT_EQ(cells(topGrid()), pasted);
    EXPECT_TRUE(dialogs.messages().empty());
}

} // namespace
} // namespace velmor::test
