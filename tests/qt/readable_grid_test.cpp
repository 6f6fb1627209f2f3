#include <QAbstractItemView>
#include <QCheckBox>
#include <QHeaderView>
#include <QScrollBar>

#include "tests/qt/real_main_window.h"
#include "ui/qt/grid_binding.h"
#include "ui/qt/grid_delegate.h"

namespace velmor::test {
namespace {

class ReadableGridTest : public RealMainWindow {
  protected:
    // The text the delegate paints in a cell of a real grid view.
    static QString painted(QTableView* view, int row, int col) {
        settle();
        QModelIndex index = view->model()->index(row - 1, col - 1);
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.rect = view->visualRect(index);
        option.font = view->font();
        option.fontMetrics = QFontMetrics(view->font());
        auto* delegate = static_cast<GridDelegate*>(view->itemDelegate());
        return delegate->shownText(option, index);
    }
};

// Hilbert's inverse: every decimal painted whole, the window resizable, whole numbers while
// Fractions is ticked; Esc leaves it with nothing saved.
TEST_F(ReadableGridTest, TheInverseOfHilbertOpensReadableShowsFractionsAndEscLeavesIt) {
    keyMatrix("H", 3, 3, "Hilbert", {"1", "1/2", "1/3", "1/2", "1/3", "1/4", "1/3", "1/4", "1/5"});
    clickModal(frm->cmdInvert, [&](Form& form) {
        FrmMatrixOutput& o = output();
        QTableView* grid = outGrid();
        settle();
        // Every result is painted whole, the widest full-precision text included.
        bool wide = false;
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c) {
                QString whole = QString::fromStdString(o.MSFlexGrid1.TextMatrix(r, c));
                wide = wide || whole.size() >= 16;
                EXPECT_EQ(painted(grid, r, c), whole) << r << "," << c;
            }
        EXPECT_TRUE(wide) << "the decimal inverse was expected to carry rounding noise";
        EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0) << "all columns in sight";

        // The window grows and its grid takes the room; it never shrinks below the design.
        QWidget* top = dialogs.windowOf(form).window();
        const QSize before = grid->size();
        top->resize(top->width() + 90, top->height() + 60);
        settle();
        EXPECT_EQ(grid->size(), before + QSize(90, 60));
        top->resize(200, 150);
        settle();
        EXPECT_GE(o.form.Width(), 7005);
        EXPECT_EQ(o.form.Height(), 5970);

        // Its access key ticks Fractions after a short animation; a click unticks it.
        auto* box = qobject_cast<QCheckBox*>(out(o.chkFractions));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text(), "&Fractions");
        waitActive(top);
        press(Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([box] { return box->isChecked(); }));
        EXPECT_EQ(cells(grid),
                  (Cells{{"9", "-36", "30"}, {"-36", "192", "-180"}, {"30", "-180", "180"}}));
        click(box);
        settle();
        EXPECT_FALSE(box->isChecked());
        EXPECT_NE(cells(grid)[0][0], "9");
        press(Qt::Key_Escape);
    });
    EXPECT_FALSE(frm->frmMatrixOutput && frm->frmMatrixOutput->form.Loaded());
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), QStringList{"H"}) << "nothing saved";
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(ReadableGridTest, NarrowCellsKeepTheStartOfTheirTextAndHeadingsFitOnDoubleClick) {
    keyMatrix("N", 1, 2, "narrow", {"-1234567.891", "x"});
    Grid& g = frm->MSFlexGrid1;
    g.setTextMatrix(1, 2, "abcdefghijklmnopqrstuvwxyz");
    QTableView* view = topGrid();
    EXPECT_EQ(painted(view, 1, 1), "-1234568");
    QString text = painted(view, 1, 2);
    EXPECT_TRUE(text.startsWith("abc") && text.endsWith(QChar(0x2026))) << text.toStdString();
    EXPECT_EQ(g.TextMatrix(1, 1), "-1234567.891") << "the cell keeps its whole text";

    // A double click on the border after a heading fits that column to its widest text.
    QHeaderView* header = view->horizontalHeader();
    const int border = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(border, 5));
    settle();
    EXPECT_GT(g.ColWidth(2), 960);
    EXPECT_EQ(g.ColWidth(1), 960);
    EXPECT_EQ(painted(view, 1, 2), "abcdefghijklmnopqrstuvwxyz");
}

TEST_F(ReadableGridTest, AWideMatrixIsShownFromItsFirstColumnAfterASave) {
    std::vector<std::string> values;
    for (int c = 1; c <= 14; ++c) values.push_back(std::to_string(c));
    const QString name = "AWideMatrixWithALongName";
    keyMatrix(name.toStdString(), 1, 14, "wide", values);
    settle();
    QTableView* view = topGrid();
    EXPECT_EQ(view->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    EXPECT_EQ(frm->MSFlexGrid1.LeftCol(), 1);
    // The current cell stays where the transfer left it.
    EXPECT_EQ(view->currentIndex().column(), frm->MSFlexGrid1.Col() - 1);
    EXPECT_EQ(frm->MSFlexGrid1.Col(), 14);

    // Both selectors show 20 characters; a longer name shows whole in the tooltip and the
    // drop-down list.
    auto* selector = as<QComboBox>(frm->cboMatrixInput);
    EXPECT_GE(selector->lineEdit()->width(),
              selector->fontMetrics().horizontalAdvance(name.left(20)));
    EXPECT_EQ(as<QComboBox>(frm->cboMatrixInput2)->width(), selector->width());
    EXPECT_TRUE(selector->toolTip().endsWith("\n" + name)) << selector->toolTip().toStdString();
    EXPECT_GT(selector->view()->minimumWidth(),
              selector->view()->fontMetrics().horizontalAdvance(name));

    // Its transpose in the result window, filled before the window is shown, opens at row 1
    // too.
    clickModal(frm->cmdTranspose, [&](Form&) {
        QTableView* out = outGrid();
        settle();
        EXPECT_GT(out->verticalScrollBar()->maximum(), 0) << "the result was to need scrolling";
        EXPECT_EQ(out->verticalScrollBar()->value(), 0);
        press(Qt::Key_Escape);
    });
}

} // namespace
} // namespace velmor::test
