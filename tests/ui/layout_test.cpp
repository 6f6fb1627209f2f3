#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

struct Layout : ::testing::Test, StartupHarness, FormObserver {
    std::vector<std::pair<double, double>> sizes; // window sizes as the code sets them
    void SetUp() override { start(), w.form.setObserver(this); }
    void TearDown() override { w.form.setObserver(nullptr); }
    void formChanged(Form& form, FormProp prop) override {
        if (prop == FormProp::Size) sizes.emplace_back(form.Width(), form.Height());
    }
};

TEST_F(Layout, ResizingMovesTheRightAndBottomControls) {
    // Size asked (0: first display), sizes set back (width first); then buttons' left, grid
    // width, height, bottom grid top, slider top, left, label top, left, description width.
    struct Case {
        double width, height;
        std::vector<std::pair<double, double>> assigned;
        std::vector<double> layout;
    };
    const std::vector<double> least = {9255, 5080, 2175, 4680, 3480, 5817, 3600, 4617, 4120};
    const Case cases[] = {
        {0, 0, {}, least},
        {12000, 9000, {}, {10455, 6280, 2490, 4995, 3795, 6417, 3915, 5217, 5320}},
        {10801, 8371, {}, {9256, 5081, 2175.5, 4680.5, 3480.5, 5817.5, 3600.5, 4617.5, 4121}},
        {12000, 8000, {{10800, 8000}, {10800, 8370}}, least},
        {9000, 9000, {{10800, 9000}, {10800, 8370}}, least},
        {10800, 6000, {{10800, 8370}}, least},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        sizes.clear();
        if (c.width) w.form.userResize(c.width, c.height);
        EXPECT_EQ(sizes, c.assigned);
        const std::vector<double> got = {
            w.cmdSave.Left(),          w.cmdCancel.Left(),    w.cmdClear.Left(),
            w.cmdDelete.Left(),        w.cmdDeleteAll.Left(), w.MSFlexGrid1.Left(),
            w.MSFlexGrid1.Top(),       w.MSFlexGrid1.Width(), w.MSFlexGrid1.Height(),
            w.MSFlexGrid2.Left(),      w.MSFlexGrid2.Top(),   w.MSFlexGrid2.Width(),
            w.MSFlexGrid2.Height(),    w.Slider1.Top(),       w.Slider1.Left(),
            w.lblColWidth.Top(),       w.lblColWidth.Left(),  w.txtDescription.Width(),
            w.txtDescription2.Width(), w.txtNo_Rows2.Top(),   w.lblDescription2.Top(),
            w.cboMatrixInput2.Top()};
        const auto& l = c.layout;
        EXPECT_EQ(got,
                  (std::vector<double>{l[0], l[0], l[0], l[0], l[0],       4065,      1200, l[1],
                                       l[2], 4065, l[3], l[1], l[2],       l[4],      l[5], l[6],
                                       l[7], l[8], l[8], l[3], l[3] - 720, l[3] + 600}));
    }
}

TEST_F(Layout, SliderSetsTheDataColumnsOfTheGridsShown) {
    // Without column counts a shown grid shrinks to one data column; a hidden one is kept.
    w.MSFlexGrid1.setCols(5);
    w.MSFlexGrid2.setCols(4);
    w.Slider1.userSetValue(10);
    EXPECT_EQ(std::pair(w.MSFlexGrid1.Cols(), w.MSFlexGrid2.Cols()), std::pair(2, 4));
    w.txtNo_Columns.setText("3");
    w.MSFlexGrid1.setCols(4);
    w.txtNo_Columns2.setText("2");
    w.MSFlexGrid2.setCols(3);
    w.MSFlexGrid2.setVisible(true);
    for (auto [value, width] : {std::pair{0, 960}, {1, 1056}, {5, 1440}, {9, 1824}, {10, 1920}}) {
        w.Slider1.userSetValue(value);
        EXPECT_EQ(w.g.gintCellWidth, width);
        for (Grid* g : {&w.MSFlexGrid1, &w.MSFlexGrid2})
            for (int c = 0; c < g->Cols(); ++c) EXPECT_EQ(g->ColWidth(c), c ? width : 550);
    }
    EXPECT_EQ(std::pair(w.MSFlexGrid1.Cols(), w.MSFlexGrid2.Cols()), std::pair(4, 3));
}

} // namespace
} // namespace velmor::test
