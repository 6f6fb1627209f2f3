#include <chrono>

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include "tests/qt/qt_fixture.h"
#include "ui/qt/form_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_model.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/grid.h"
#include "ui/view/text_box.h"

namespace velmor::test {
namespace {

// A window with a grid and a floating editor, laid out as the main window's top grid.
struct GridForm {
    Form form{"frmGrid", "Grid"};
    TextBox txtName{form, "txtName"};
    Grid grid{form, "grdCells"};
    TextBox editor{form, "txtEditor"};

    GridForm() {
        txtName.move(120, 120, 1500, 315);
        grid.move(3105, 1200, 4815, 2175);
        grid.setColWidth(0, 550);
        editor.setVisible(false);
        form.userResize(9840, 4500);
        form.load();
    }
};

class GridBindingTest : public QtFixture {
  protected:
    void SetUp() override {
        window = std::make_unique<FormWindow>(f.form);
        window->present(false);
        activate(window->window());
        binding = dynamic_cast<GridBinding*>(window->bindingFor(f.grid));
        ASSERT_NE(binding, nullptr);
        view = binding->view();
        settle();
    }
    // The cell's rectangle on the form's client area, as drawn, its grid line included.
    QRect drawnCell(int row, int col) {
        QRect r(view->columnViewportPosition(col - 1), view->rowViewportPosition(row - 1),
                view->columnWidth(col - 1), view->rowHeight(row - 1));
        return r.translated(view->viewport()->mapTo(window->client(), QPoint(0, 0)));
    }
    // Where the abstract grid says the current cell is, in pixels on the form.
    QRect abstractCell() {
        return twipsToRect(f.grid.Left() + f.grid.CellLeft(), f.grid.Top() + f.grid.CellTop(),
                           f.grid.CellWidth(), f.grid.CellHeight());
    }

    GridForm f;
    std::unique_ptr<FormWindow> window;
    GridBinding* binding = nullptr;
    QTableView* view = nullptr;
};

TEST_F(GridBindingTest, ALargeGridFilledCellByCellRefreshesTheViewOnce) {
    const int n = 1000;
    int before = binding->refreshCount();
    auto start = std::chrono::steady_clock::now();
    f.grid.setRows(n + 1);
    f.grid.setCols(n + 1);
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            f.grid.setRow(r);
            f.grid.setCol(c);
            f.grid.setText(r == 0 ? std::to_string(c) : c == 0 ? std::to_string(r) : "1.5");
        }
    settle();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(binding->refreshCount(), before + 1);
    EXPECT_EQ(binding->model()->rowCount(), n);
    EXPECT_EQ(binding->model()->columnCount(), n);
    EXPECT_EQ(binding->model()->data(binding->model()->index(n - 1, n - 1), Qt::DisplayRole),
              "1.5");
    EXPECT_EQ(binding->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole), "5");
    EXPECT_EQ(binding->model()->headerData(9, Qt::Vertical, Qt::DisplayRole), "10");
    EXPECT_EQ(view->currentIndex(), binding->model()->index(n - 1, n - 1));
    RecordProperty("fill_seconds", std::to_string(seconds.count()));
}

TEST_F(GridBindingTest, CellsShowTheirTextAndAlignment) {
    f.grid.setCols(4);
    f.grid.setTextMatrix(1, 3, "12");
    f.grid.setTextMatrix(0, 1, "1");
    f.grid.setTextMatrix(1, 0, "1");
    f.grid.setTextMatrix(1, 2, "-3.5");
    f.grid.setRow(1);
    f.grid.setCol(2);
    f.grid.setCellAlignment(kAlignRight);
    f.grid.setCol(1);
    f.grid.setCellAlignment(kAlignCenter);
    settle();
    GridModel* m = binding->model();
    EXPECT_EQ(m->data(m->index(0, 1), Qt::DisplayRole), "-3.5");
    EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignHCenter | Qt::AlignVCenter));
    // Cells no code aligned follow the general rule: numbers right, text left.
    EXPECT_EQ(m->data(m->index(0, 2), Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
    f.grid.setTextMatrix(1, 3, "n/a");
    settle();
    EXPECT_EQ(m->data(m->index(0, 2), Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole), "1");
    EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole), "1");
    EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignCenter));
}

TEST_F(GridBindingTest, AnEditorPlacedFromTheCellGeometryCoversTheDrawnCell) {
    f.grid.setRows(30);
    f.grid.setCols(30);
    for (int width : {960, 1056, 1248, 1920}) {
        for (int c = 1; c < f.grid.Cols(); ++c) f.grid.setColWidth(c, width);
        for (auto [row, col] : {std::pair{1, 1}, {1, 2}, {2, 3}, {5, 3}}) {
            f.grid.setRow(row);
            f.grid.setCol(col);
            binding->flush();
            EXPECT_EQ(drawnCell(row, col), abstractCell()) << width << " " << row << "," << col;
        }
    }
    // Scrolled by the user: the grid learns the new top row and left column; a scrolled
    // cell may land a pixel off, as the widths are rounded from the unscrolled edges.
    for (int c = 1; c < f.grid.Cols(); ++c) f.grid.setColWidth(c, 1056);
    binding->flush();
    view->verticalScrollBar()->setValue(6);
    view->horizontalScrollBar()->setValue(3);
    EXPECT_EQ(f.grid.TopRow(), 7);
    EXPECT_EQ(f.grid.LeftCol(), 4);
    f.grid.setRow(9);
    f.grid.setCol(6);
    binding->flush();
    QRect drawn = drawnCell(9, 6), placed = abstractCell();
    EXPECT_EQ(drawn.top(), placed.top());
    EXPECT_EQ(drawn.height(), placed.height());
    EXPECT_LE(std::abs(drawn.left() - placed.left()), 1);
    EXPECT_LE(std::abs(drawn.width() - placed.width()), 1);
}

TEST_F(GridBindingTest, ClicksAndKeysReachTheGrid) {
    f.grid.setRows(4);
    f.grid.setCols(4);
    std::vector<std::string> log;
    f.grid.onClick = [&] {
        log.push_back("Click " + std::to_string(f.grid.Row()) + "," + std::to_string(f.grid.Col()));
    };
    f.grid.onDblClick = [&] { log.push_back("DblClick"); };
    f.grid.onGotFocus = [&] { log.push_back("GotFocus"); };
    f.grid.onKeyPress = [&](int& k) { log.push_back("KeyPress " + std::to_string(k)); };
    settle();
    QRect cell = view->visualRect(binding->model()->index(1, 2));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(log, (std::vector<std::string>{"GotFocus", "Click 2,3"}));
    EXPECT_EQ(f.form.ActiveControl(), &f.grid);

    log.clear();
    QTest::keyClick(view, Qt::Key_5);
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyPress 53", "KeyPress 13", "KeyPress 97"}));

    // Arrows move the current cell in the view and in the grid.
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(f.grid.Row(), 3);
    EXPECT_EQ(f.grid.Col(), 3);
    QTest::keyClick(view, Qt::Key_Left);
    EXPECT_EQ(f.grid.Col(), 2);

    log.clear();
    QRect other = view->visualRect(binding->model()->index(0, 0));
    // A real double click: press, release, double-click press, release.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, other.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, other.center());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, other.center());
    EXPECT_EQ(f.grid.Row(), 1);
    EXPECT_EQ(f.grid.Col(), 1);
    // The grid's double click includes its click; the closing release adds no other.
    EXPECT_EQ(log, (std::vector<std::string>{"Click 1,1", "Click 1,1", "DblClick"}));
}

TEST_F(GridBindingTest, CodeMovesTheCurrentCellAndResizesColumns) {
    f.grid.setRows(5);
    f.grid.setCols(5);
    f.grid.setRow(4);
    f.grid.setCol(2);
    f.grid.setColWidth(2, 1920);
    settle();
    EXPECT_EQ(view->currentIndex(), binding->model()->index(3, 1));
    EXPECT_EQ(view->horizontalHeader()->sectionSize(1), 128);
    EXPECT_EQ(view->verticalHeader()->width(), twipsToPx(3105 + 550) - twipsToPx(3105));
    EXPECT_EQ(view->verticalHeader()->sectionSize(0), 16);
    EXPECT_EQ(view->horizontalHeader()->height(), 16);
    f.grid.setVisible(false);
    EXPECT_FALSE(view->isVisible());
}

} // namespace
} // namespace velmor::test
