#include <QCheckBox>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using FractionsQtTest = RealMainWindow;

TEST_F(FractionsQtTest, HilbertInverseShowsWholeNumbersWhenFractionsIsTicked) {
    keyMatrix("H", 3, 3, "Hilbert", {"1", "1/2", "1/3", "1/2", "1/3", "1/4", "1/3", "1/4", "1/5"});
    bool shown = false;
    dialogs.inModal([&](Form& f) {
        shown = true;
        auto* box = qobject_cast<QCheckBox*>(out(output().chkFractions));
        QTableView* grid = outGrid();
        ASSERT_TRUE(box && grid);
        EXPECT_EQ(box->text(), "&Fractions");
        EXPECT_NE(cells(grid)[0][0], "9"); // the decimal inverse carries rounding noise
        waitActive(dialogs.windowOf(f).window());
        press(Qt::Key_F, Qt::AltModifier); // the access key clicks after a short animation
        EXPECT_TRUE(QTest::qWaitFor([box] { return box->isChecked(); }));
        EXPECT_EQ(cells(grid),
                  (Cells{{"9", "-36", "30"}, {"-36", "192", "-180"}, {"30", "-180", "180"}}));
        click(box);
        settle();
        EXPECT_FALSE(box->isChecked());
        EXPECT_NE(cells(grid)[0][0], "9");
        click(out(output().cmdCancel));
    });
    click(frm->cmdInvert);
    settle();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialogs.messages().empty());
}

} // namespace
} // namespace velmor::test
