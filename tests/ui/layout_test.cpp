#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

// Records the window sizes as the code assigns them.
struct SizeRecorder : FormObserver {
    std::vector<std::pair<double, double>> sizes;
    void formChanged(Form& form, FormProp prop) override {
        if (prop == FormProp::Size) sizes.emplace_back(form.Width(), form.Height());
    }
};

struct Geometry {
    double left, top, width, height;
    bool operator==(const Geometry&) const = default;
};
Geometry geometry(const Control& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height()};
}

struct Expected {
    double buttonsLeft, gridWidth, gridHeight, grid2Top, sliderTop, sliderLeft, labelTop, labelLeft,
        descriptionWidth;
};

void expectLayout(FrmVelmor& w, const Expected& e) {
    for (CommandButton* b : {&w.cmdSave, &w.cmdCancel, &w.cmdClear, &w.cmdDelete, &w.cmdDeleteAll})
        EXPECT_EQ(b->Left(), e.buttonsLeft) << b->name();
    for (Grid* g : {&w.MSFlexGrid1, &w.MSFlexGrid2}) {
        EXPECT_EQ(g->Left(), 3105) << g->name();
        EXPECT_EQ(g->Width(), e.gridWidth) << g->name();
        EXPECT_EQ(g->Height(), e.gridHeight) << g->name();
    }
    EXPECT_EQ(w.MSFlexGrid1.Top(), 1200);
    EXPECT_EQ(w.MSFlexGrid2.Top(), e.grid2Top);
    EXPECT_EQ(w.Slider1.Top(), e.sliderTop);
    EXPECT_EQ(w.Slider1.Left(), e.sliderLeft);
    EXPECT_EQ(w.lblColWidth.Top(), e.labelTop);
    EXPECT_EQ(w.lblColWidth.Left(), e.labelLeft);
    EXPECT_EQ(w.txtDescription.Width(), e.descriptionWidth);
    EXPECT_EQ(w.txtDescription2.Width(), e.descriptionWidth);
    const double t = e.grid2Top;
    EXPECT_EQ(w.txtDescription2.Top(), t - 480);
    EXPECT_EQ(w.lblDescription2.Top(), t - 720);
    EXPECT_EQ(w.txtNo_Columns2.Top(), t - 480);
    EXPECT_EQ(w.lblColumns2.Top(), t - 720);
    EXPECT_EQ(w.lblRows2.Top(), t - 240);
    EXPECT_EQ(w.txtNo_Rows2.Top(), t);
    EXPECT_EQ(w.lblMatrixBottom.Top(), t + 360);
    EXPECT_EQ(w.cboMatrixInput2.Top(), t + 600);
}

TEST(Layout, FirstDisplayAppliesTheLayoutAtTheMinimumSize) {
    StartupHarness h;
    h.start();
    EXPECT_EQ(h.w.form.Width(), 9840);
    EXPECT_EQ(h.w.form.Height(), 8370);
    expectLayout(h.w, {8295, 5080, 2175, 4680, 3480, 4857, 3600, 3657, 4120});
}

TEST(Layout, ALargerWindowWidensAndDeepensBothGrids) {
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    const std::vector<Control*> fixed = {&w.cmdExit, &w.cmdProperties,  &w.cmdAdjoint,
                                         &w.Image1,  &w.cboMatrixInput, &w.txtNo_Columns};
    std::vector<Geometry> before;
    for (Control* c : fixed) before.push_back(geometry(*c));

    w.form.userResize(12000, 9000);
    expectLayout(w, {10455, 7240, 2490, 4995, 3795, 5937, 3915, 4737, 6280});
    for (std::size_t i = 0; i < fixed.size(); ++i)
        EXPECT_EQ(geometry(*fixed[i]), before[i]) << fixed[i]->name();

    // Single precision: an odd height gives half twips.
    w.form.userResize(9841, 8371);
    expectLayout(w, {8296, 5081, 2175.5, 4680.5, 3480.5, 4857.5, 3600.5, 3657.5, 4121});
}

TEST(Layout, ATooSmallWindowSnapsBackWidthThenHeight) {
    struct Case {
        const char* name;
        double width, height;
        std::vector<std::pair<double, double>> assigned;
    };
    const Case cases[] = {
        {"too low", 12000, 8000, {{9840, 8000}, {9840, 8370}}},
        {"too narrow", 9000, 9000, {{9840, 9000}, {9840, 8370}}},
        {"both too small", 5000, 4000, {{9840, 4000}, {9840, 8370}}},
        {"width already minimal", 9840, 6000, {{9840, 8370}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        h.start();
        SizeRecorder sizes;
        h.w.form.setObserver(&sizes);
        h.w.form.userResize(c.width, c.height);
        h.w.form.setObserver(nullptr);
        EXPECT_EQ(sizes.sizes, c.assigned);
        EXPECT_EQ(h.w.form.Width(), 9840);
        EXPECT_EQ(h.w.form.Height(), 8370);
        expectLayout(h.w, {8295, 5080, 2175, 4680, 3480, 4857, 3600, 3657, 4120});
    }
}

TEST(Layout, SliderSetsTheDataColumnsOfBothGrids) {
    const int widths[] = {960, 1056, 1152, 1248, 1344, 1440, 1536, 1632, 1728, 1824, 1920};
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    w.txtNo_Columns.setText("3");
    w.MSFlexGrid1.setCols(4);
    w.txtNo_Columns2.setText("2");
    w.MSFlexGrid2.setCols(3);
    w.MSFlexGrid2.setVisible(true);

    for (int v = 0; v <= 10; ++v) {
        SCOPED_TRACE(v);
        w.Slider1.userSetValue(v);
        EXPECT_EQ(w.g.gintCellWidth, widths[v]);
        for (int c = 1; c <= 3; ++c) EXPECT_EQ(w.MSFlexGrid1.ColWidth(c), widths[v]);
        for (int c = 1; c <= 2; ++c) EXPECT_EQ(w.MSFlexGrid2.ColWidth(c), widths[v]);
        EXPECT_EQ(w.MSFlexGrid1.ColWidth(0), 550);
        EXPECT_EQ(w.MSFlexGrid2.ColWidth(0), 550);
        // The bottom grid was sized last.
        EXPECT_EQ(w.g.gintNo_Columns, 2);
        EXPECT_EQ(w.form.MousePointer(), 0);
    }
    EXPECT_EQ(w.MSFlexGrid1.Cols(), 4);
    EXPECT_EQ(w.MSFlexGrid2.Cols(), 3);
}

TEST(Layout, SliderWithoutColumnCountsShrinksTheShownGridsToOneColumn) {
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    w.MSFlexGrid1.setCols(5);
    w.MSFlexGrid2.setCols(4);
    w.MSFlexGrid2.setColWidth(1, 700);

    // The bottom grid has never shown a matrix: it is left alone.
    w.Slider1.userSetValue(10);
    EXPECT_EQ(w.MSFlexGrid1.Cols(), 2);
    EXPECT_EQ(w.MSFlexGrid1.ColWidth(1), 1920);
    EXPECT_EQ(w.g.gintNo_Columns, 1);
    EXPECT_EQ(w.MSFlexGrid2.Cols(), 4);
    EXPECT_EQ(w.MSFlexGrid2.ColWidth(1), 700);

    w.MSFlexGrid2.setVisible(true);
    w.Slider1.userSetValue(5);
    EXPECT_EQ(w.MSFlexGrid2.Cols(), 2);
    EXPECT_EQ(w.MSFlexGrid2.ColWidth(1), 1440);
    EXPECT_EQ(w.g.gintNo_Columns, 1);
}

} // namespace
} // namespace velmor::test
