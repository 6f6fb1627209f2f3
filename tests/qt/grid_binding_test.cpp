#include <QScrollBar>
#include <QTableView>

#include "tests/qt/qt_fixture.h"
#include "ui/qt/form_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_model.h"
#include "ui/qt/qt_convert.h"
#include "ui/view/grid.h"

namespace velmor::test {
namespace {

// A grid laid out as the main window's top grid.
class GridBindingTest : public QtFixture {
  protected:
    void SetUp() override {
        grid.move(3105, 1200, 4815, 2175);
        grid.setColWidth(0, 550);
        form.userResize(9840, 4500);
        form.load();
        window = std::make_unique<FormWindow>(form);
        window->present(false);
        activate(window->window());
        binding = dynamic_cast<GridBinding*>(window->bindingFor(grid));
        view = binding->view();
    }
    QModelIndex index(int row, int col) { return binding->model()->index(row - 1, col - 1); }
    // The cell as drawn (grid line included) and as the grid places it, on the client area.
    QRect drawn(int row, int col) {
        QRect r(view->columnViewportPosition(col - 1), view->rowViewportPosition(row - 1),
                view->columnWidth(col - 1), view->rowHeight(row - 1));
        return r.translated(view->viewport()->mapTo(window->client(), QPoint(0, 0)));
    }
    QRect placed() {
        return twipsToRect(grid.Left() + grid.CellLeft(), grid.Top() + grid.CellTop(),
                           grid.CellWidth(), grid.CellHeight());
    }

    Form form{"frmGrid", "Grid"};
    Grid grid{form, "grdCells"};
    std::unique_ptr<FormWindow> window;
    GridBinding* binding = nullptr;
    QTableView* view = nullptr;
};

TEST_F(GridBindingTest, ALargeGridFilledCellByCellRefreshesTheViewOnce) {
    const int n = 1000, before = binding->refreshCount();
    grid.setRows(n + 1);
    grid.setCols(n + 1);
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText(r == 0 ? std::to_string(c) : c == 0 ? std::to_string(r) : "1.5");
        }
    settle();
    EXPECT_EQ(binding->refreshCount(), before + 1);
    EXPECT_EQ(index(n, n).data(), "1.5");
    EXPECT_EQ(binding->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole), "5");
    EXPECT_EQ(binding->model()->headerData(9, Qt::Vertical, Qt::DisplayRole), "10");
    EXPECT_EQ(view->currentIndex(), index(n, n));
}

TEST_F(GridBindingTest, CellsAlignAsSetElseNumbersRightAndTextLeft) {
    grid.setCols(4);
    grid.setTextMatrix(1, 1, "-3.5");
    grid.setTextMatrix(1, 2, "n/a");
    grid.setRow(1);
    grid.setCol(3);
    grid.setCellAlignment(kAlignCenter);
    settle();
    auto align = [&](int col) { return index(1, col).data(Qt::TextAlignmentRole).toInt(); };
    EXPECT_EQ(align(1), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(align(2), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(align(3), int(Qt::AlignCenter));
}

TEST_F(GridBindingTest, CellsAreDrawnWhereTheGridPlacesThem) {
    grid.setRows(30);
    grid.setCols(30);
    for (int width : {960, 1248, 1920, 1056}) {
        for (int c = 1; c < grid.Cols(); ++c) grid.setColWidth(c, width);
        for (auto [row, col] : {std::pair{1, 1}, {1, 2}, {2, 3}, {5, 3}}) {
            grid.setRow(row);
            grid.setCol(col);
            binding->flush();
            EXPECT_EQ(drawn(row, col), placed()) << width << " " << row << "," << col;
        }
    }
    // Scrolled by the user; widths are rounded from the unscrolled edges, so a pixel off.
    view->verticalScrollBar()->setValue(6);
    view->horizontalScrollBar()->setValue(3);
    EXPECT_EQ(grid.TopRow(), 7);
    EXPECT_EQ(grid.LeftCol(), 4);
    grid.setRow(9);
    grid.setCol(6);
    binding->flush();
    QRect d = drawn(9, 6), p = placed();
    EXPECT_EQ(d.top(), p.top());
    EXPECT_LE(std::abs(d.left() - p.left()), 1);
    EXPECT_LE(std::abs(d.width() - p.width()), 1);
}

TEST_F(GridBindingTest, ClicksAndKeysReachTheGrid) {
    grid.setRows(4);
    grid.setCols(4);
    std::vector<std::string> log;
    grid.onClick = [&] { log.push_back(std::to_string(grid.Row()) + std::to_string(grid.Col())); };
    grid.onDblClick = [&] { log.push_back("DblClick"); };
    grid.onKeyPress = [&](int& k) { log.push_back("Key " + std::to_string(k)); };
    settle();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index(2, 3)).center());
    QTest::keyClick(view, Qt::Key_5);
    QTest::keyClick(view, Qt::Key_Down); // moves the current cell in view and grid
    EXPECT_EQ(grid.Row(), 3);
    // A real double click: the grid's includes its click; the closing release adds none.
    QPoint first = view->visualRect(index(1, 1)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(log, (std::vector<std::string>{"23", "Key 53", "11", "11", "DblClick"}));
}

} // namespace
} // namespace velmor::test
