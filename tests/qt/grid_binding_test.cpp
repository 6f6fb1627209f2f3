#include <QScrollBar>
#include <QTableView>

#include "tests/qt/qt_fixture.h"
#include "ui/qt/form_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_model.h"
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

    Form form{"frmGrid", "Grid"};
    Grid grid{form, "grdCells"};
    std::unique_ptr<FormWindow> window;
    GridBinding* binding = nullptr;
    QTableView* view = nullptr;
};

TEST_F(GridBindingTest, ALargeGridRefreshesOnceAndFollowsTheUser) {
    const int n = 1000, before = binding->refreshCount();
    grid.setRows(n + 1);
    grid.setCols(n + 1);
    for (int r = 0; r <= n; ++r)
        for (int c = 0; c <= n; ++c) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setText(r == 0 ? std::to_string(c) : c == 0 ? std::to_string(r) : "1.5");
        }
    grid.setTextMatrix(1, 2, "n/a");
    grid.setRow(1);
    grid.setCol(3);
    grid.setCellAlignment(kAlignCenter);
    settle();
    EXPECT_EQ(binding->refreshCount(), before + 1);
    EXPECT_EQ(index(n, n).data(), "1.5");
    // Cells no code aligned: numbers right, text left.
    auto align = [&](int col) { return index(1, col).data(Qt::TextAlignmentRole).toInt(); };
    EXPECT_EQ(align(1), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(align(2), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(align(3), int(Qt::AlignCenter));
    EXPECT_EQ(binding->model()->headerData(4, Qt::Horizontal, Qt::DisplayRole), "5");
    EXPECT_EQ(binding->model()->headerData(9, Qt::Vertical, Qt::DisplayRole), "10");
    EXPECT_EQ(view->currentIndex(), index(1, 3));
    QTest::keyClick(view, Qt::Key_Down); // the user's arrows move the grid's current cell
    EXPECT_EQ(grid.Row(), 2);
    // Scrolled by the user: the grid learns its new top row and left column.
    view->verticalScrollBar()->setValue(6);
    view->horizontalScrollBar()->setValue(3);
    EXPECT_EQ(grid.TopRow(), 7);
    EXPECT_EQ(grid.LeftCol(), 4);
}

} // namespace
} // namespace velmor::test
