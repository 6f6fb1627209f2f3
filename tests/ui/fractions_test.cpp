#include <string>
#include <tuple>
#include <vector>

#include "tests/ui/operations_fixture.h"

namespace velmor::test {
namespace {

const Rows kHilbert = {{"1", "1/2", "1/3"}, {"1/2", "1/3", "1/4"}, {"1/3", "1/4", "1/5"}};
const Rows kHilbertInverse = {{"9", "-36", "30"}, {"-36", "192", "-180"}, {"30", "-180", "180"}};

class Fractions : public OperationsFixture {};

TEST_F(Fractions, TickShowsTheExactResultUntickPutsTheDecimalsBackSaveKeepsFractions) {
    addEntry("H", kHilbert);
    select(0);
    inResultWindow([&](FrmMatrixOutput& out) {
        ASSERT_TRUE(out.chkFractions.Enabled());
        const Rows decimals = cells(out.MSFlexGrid1);
        out.chkFractions.userClick();
        EXPECT_EQ(cells(out.MSFlexGrid1), kHilbertInverse);
        EXPECT_EQ(out.txtMinimum.Text() + " " + out.txtMaximum.Text(), "-180 192");
        EXPECT_FALSE(out.txtPrecision.Enabled()); // a precision is for decimals
        out.chkFractions.userClick();
        EXPECT_EQ(cells(out.MSFlexGrid1), decimals);
        EXPECT_TRUE(out.txtPrecision.Enabled());
        out.chkFractions.userClick();
        out.cmdSave.userClick();
    });
    press(w.cmdInvert);
    const Array& saved = w.Matrices.Item(2)->matrixRef().array();
    EXPECT_EQ(saved.at(2, 2), Variant("192"));
    EXPECT_EQ(saved.at(1, 3), Variant("30"));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Fractions, SingularInFractionsSaysSoAndUnticks) {
    // The third row is the sum of the first two, which the doubles of the decimals miss.
    addEntry("S", {{"672.10", "76.16", "41.62"},
                   {"465.52", "493.56", "879.30"},
                   {"1137.62", "569.72", "920.92"}});
    select(0);
    inResultWindow([&](FrmMatrixOutput& out) {
        const Rows decimals = cells(out.MSFlexGrid1);
        out.chkFractions.userClick();
        ASSERT_EQ(dialogs.messages().size(), 1u);
        const Box& box = dialogs.boxes.back();
        EXPECT_EQ(std::tie(box.prompt, box.buttons, box.icon, box.title),
                  std::make_tuple(std::string("The matrix is singular."), MsgButtons::OK,
                                  MsgIcon::Critical, std::string("Velmor")));
        EXPECT_EQ(out.chkFractions.Value(), 0);
        EXPECT_EQ(cells(out.MSFlexGrid1), decimals);
        out.cmdCancel.userClick();
    });
    press(w.cmdInvert);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(Fractions, DisabledWithTheReasonForTextsAndLargeMatrices) {
    addEntry("T", {{"1/2", "abc"}});
    addEntry("L", Rows(201, {"1"}));
    const std::pair<int, const char*> cases[] = {{0, "not"}, {1, "200 x 200"}};
    int shown = 0;
    for (const auto& [entry, reason] : cases) {
        select(entry);
        inResultWindow([&, reason = reason](FrmMatrixOutput& out) {
            ++shown;
            EXPECT_FALSE(out.chkFractions.Enabled());
            EXPECT_NE(out.chkFractions.ToolTipText().find(reason), std::string::npos);
            out.cmdCancel.userClick();
        });
        press(w.cmdTranspose);
    }
    EXPECT_EQ(shown, 2);
}

} // namespace
} // namespace velmor::test
