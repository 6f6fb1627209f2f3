#include <string>

#include "tests/ui/operations_fixture.h"
#include "ui/dialogs/frm_properties.h"

namespace velmor::test {
namespace {

const char* const kItem = "CMatrices Class Module - Item function";
const char* const kNotSet = "Error No. - 91; Something the action needs is missing";
const char* const kMismatch = "Error No. - 13; A text that is not a number was used as one";

class Operations : public OperationsFixture {
  protected:
    void SetUp() override {
        addEntry("P", {{"1", "2"}, {"3", "4"}});
        addEntry("Q", {{"5", "6"}, {"7", "8"}});
        addEntry("W", {{"1", "0", "2"}, {"0", "1", "3"}});   // 2 x 3
        addEntry("V", {{"1", "2"}, {"3", "4"}, {"5", "6"}}); // 3 x 2
        addEntry("S", {{"7"}});
        addEntry("D", {{"1", "2"}, {"2", "4"}}); // singular
        for (const char* name : {"Pq", "[P+Q]", "é"}) addEntry(name, {{"2"}});
    }
};

TEST_F(Operations, EachButtonLabelsAndShowsItsResultInAFreshWindow) {
    struct {
        const char* button;
        int first, second;
        const char *label, *min, *max;
        Rows result;
    } cases[] = {
        {"cmdAdd", 0, 1, "[P+Q]", "6", "12", {{"6", "8"}, {"10", "12"}}},
        {"cmdSubtract", 1, 0, "[Q-P]", "4", "4", {{"4", "4"}, {"4", "4"}}},
        {"cmdMultiply", 2, 3, "WV", "11", "22", {{"11", "14"}, {"18", "22"}}},
        {"cmdScale", 0, -1, "2.5P", "2.5", "10", {{"2.5", "5"}, {"7.5", "10"}}},
        {"cmdTranspose", 0, -1, "P_T", "1", "4", {{"1", "3"}, {"2", "4"}}},
        {"cmdInvert", 0, -1, "P_I", "-2", "1.5", {{"-2", "1"}, {"1.5", "-0.5"}}},
        {"cmdAdjoint", 0, -1, "adj(P)", "-3", "4", {{"4", "-2"}, {"-3", "1"}}},
        // Only plain names longer than one character are bracketed.
        {"cmdTranspose", 6, -1, "[Pq]_T", "2", "2", {{"2"}}},
        {"cmdInvert", 7, -1, "[P+Q]_I", "0.5", "0.5", {{"0.5"}}},
        {"cmdTranspose", 8, -1, "é_T", "2", "2", {{"2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        select(c.first, c.second);
        bool scale = std::string(c.button) == "cmdScale";
        if (scale) dialogs.input("2.50");
        inResultWindow([](FrmMatrixOutput& out) {
            EXPECT_EQ(out.txtDescription.Text(), ""); // nothing left from the last result
            out.txtDescription.userType("kept?");
        });
        press(static_cast<CommandButton&>(*w.form.find(c.button)));

        ASSERT_EQ(dialogs.boxes.size(), scale ? 2u : 1u);
        EXPECT_EQ(dialogs.boxes.back().title, "Output Matrix");
        EXPECT_EQ(output().txtMatrixResult.Text(), c.label);
        EXPECT_EQ(cells(output().MSFlexGrid1), c.result);
        EXPECT_EQ(output().txtMinimum.Text() + " " + output().txtMaximum.Text(),
                  std::string(c.min) + " " + c.max);
        EXPECT_EQ(w.g.gintNo_Rows, int(c.result.size())); // the result's, not the operand's
        EXPECT_EQ(w.g.gintNo_Columns, int(c.result[0].size()));
        EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    }
}

// Cancel during the work: no box, no result window, the working matrix, the list and the top
// grid as they were.
TEST_F(Operations, CancelledWorkLeavesEverythingAsItWas) {
    for (const char* button : {"cmdMultiply", "cmdInvert"}) {
        SCOPED_TRACE(button);
        select(0, 1);
        const Variant before = w.mvarMatrix;
        const Rows top = cells(w.MSFlexGrid1);
        w.frmMatrixOutput.reset();
        dialogs.cancelLongWork = true;
        press(static_cast<CommandButton&>(*w.form.find(button)));
        dialogs.cancelLongWork = false;
        EXPECT_EQ(dialogs.longWork.back(), std::string(button).substr(3));
        EXPECT_TRUE(dialogs.boxes.empty());
        EXPECT_EQ(w.frmMatrixOutput, nullptr);
        EXPECT_EQ(w.mvarMatrix, before);
        EXPECT_EQ(cells(w.MSFlexGrid1), top);
        EXPECT_EQ(w.Matrices.Count(), 9);
        EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    }
}

TEST_F(Operations, FailuresShowTheirBoxesKeepTheWorkingMatrixAndShowNoResult) {
    struct {
        const char *button, *scalar;
        int first, second;
        const char *prompt, *title; // of the first box; an empty prompt is not compared
        MsgIcon icon;
        const char* handlerBox; // then the button's own box, if any
    } cases[] = {
        {"cmdAdd", "", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet}, // nothing selected
        {"cmdSubtract", "", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet},
        {"cmdMultiply", "", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet},
        {"cmdScale", "2", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet},
        {"cmdAdjoint", "", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet},
        {"cmdProperties", "", -1, -1, "", kItem, MsgIcon::Exclamation, kNotSet},
        {"cmdAdd", "", 0, -1, "", kItem, MsgIcon::Exclamation, kNotSet}, // no second operand
        {"cmdScale", "abc", 0, -1, "Scalar", "Multiply by Scalar", MsgIcon::None, kMismatch},
        {"cmdScale", "", 0, -1, "Scalar", "Multiply by Scalar", MsgIcon::None, nullptr}, // Cancel
        {"cmdInvert", "", 5, -1, "Division by zero. The matrix is singular.", "Velmor",
         MsgIcon::Critical, nullptr},
        {"cmdAdd", "", 0, 2, "The number of rows and/or columns of the two matrices are not equal.",
         "Velmor", MsgIcon::None, kMismatch},
        {"cmdAdjoint", "", 4, -1, "Error No. 9; A row or column outside the matrix was used",
         "CVelmor class module - GetCofactorMatrix", MsgIcon::Exclamation, kMismatch},
    };
    for (const auto& c : cases) {
        const std::string name = c.button;
        SCOPED_TRACE(name + " " + std::to_string(c.first));
        if (c.first >= 0) select(c.first, c.second);
        dialogs.clear();
        if (name == "cmdScale") dialogs.input(c.scalar);
        std::size_t k = name == "cmdScale" && c.first < 0; // the scalar is asked first
        w.mvarMatrix = Variant(9);
        press(static_cast<CommandButton&>(*w.form.find(name)));

        auto boxes = dialogs.messages();
        ASSERT_EQ(boxes.size(), k + (c.handlerBox ? 2 : 1));
        EXPECT_EQ(std::tuple(*c.prompt ? boxes[k].prompt : "", boxes[k].icon, boxes[k].title),
                  std::tuple(c.prompt, c.icon, c.title));
        if (c.handlerBox) {
            EXPECT_EQ(test::boxes(dialogs)[k + 1],
                      (ExpectedBox{c.handlerBox, MsgButtons::OK, MsgIcon::Critical,
                                   "frmVelmor - " + name + "_Click"}));
        }
        EXPECT_EQ(w.mvarMatrix, Variant(9));
        EXPECT_EQ(boxes.size(), dialogs.boxes.size()); // no result window shown
        EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    }
    dialogs.clear();
    w.MSFlexGrid1.setCols(1); // headings only: every report is the engine's
    press(w.cmdTranspose);
    ASSERT_FALSE(dialogs.messages().empty());
    for (const auto& b : dialogs.messages())
        EXPECT_EQ(b.title.rfind("CVelmor class module", 0), 0u);
    EXPECT_EQ(dialogs.messages().size(), dialogs.boxes.size()); // and no result window
}

// The product of a long column and a long row exhausted the memory and ended the program.
TEST_F(Operations, AResultBeyondTheCellLimitIsRefusedBeforeTheEngineRuns) {
    addEntry("C", Rows(32766, {"1"}));
    addEntry("R", {std::vector<std::string>(32766, "1")});
    select(9, 10);
    w.mvarMatrix = Variant(9);
    press(w.cmdMultiply);
    EXPECT_EQ(boxes(), (Boxes{{"The result would have 32766 x 32766 elements; a matrix "
                               "may hold at most 4,000,000.",
                               MsgButtons::OK, MsgIcon::Exclamation, "Velmor"}}));
    EXPECT_EQ(w.mvarMatrix, Variant(9));
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    select(10, 9); // the other way round is a 1 x 1 result
    press(w.cmdMultiply);
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"32766"}}));
}

TEST_F(Operations, TransposeWorksOnTheTopGridAsShownAndKeepsItsTexts) {
    select(2);
    w.MSFlexGrid1.setTextMatrix(1, 1, "1.50"); // unsaved edits, one cell emptied
    w.MSFlexGrid1.setTextMatrix(1, 2, "");
    press(w.cmdTranspose);
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 2), "0");
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"1.50", "0"}, {"0", "1"}, {"2", "3"}}));
}

TEST_F(Operations, PropertiesShowsDeterminantAndTraceInOneDialog) {
    select(0);
    press(w.cmdProperties);
    FrmProperties* dialog = w.frmProperties.get();
    EXPECT_EQ(dialog->txtDeterminant.Text(), "-2");
    EXPECT_EQ(dialog->txtTrace.Text(), "5");
    select(1); // pressed again while open: the same dialog, refreshed
    press(w.cmdProperties);
    EXPECT_EQ(w.frmProperties.get(), dialog);
    EXPECT_EQ(dialog->txtTrace.Text(), "13");

    // A method that failed leaves its field empty: its 0 would read as "singular".
    addEntry("O", {{"1E+200", "0"}, {"0", "1E+200"}});
    addEntry("X", {{"x", "1"}, {"1", "1"}});
    const struct {
        int entry;
        const char *determinant, *trace;
        std::size_t boxes;
    } cases[] = {{9, "", "2E+200", 1}, {10, "", "", 2}};
    for (const auto& c : cases) {
        select(c.entry);
        press(w.cmdProperties);
        EXPECT_EQ(dialogs.messages().size(), c.boxes);
        EXPECT_EQ(dialog->txtDeterminant.Text(), c.determinant);
        EXPECT_EQ(dialog->txtTrace.Text(), c.trace);
    }

    // Exact fractions while ticked; a refresh puts the decimals back and unticks.
    addEntry("F", {{"1/2", "-1/3"}, {"0.25", "2"}});
    select(11);
    press(w.cmdProperties);
    EXPECT_EQ(dialog->txtDeterminant.Text(), "1.08333333333333");
    dialog->chkFractions.userClick();
    EXPECT_EQ(dialog->txtDeterminant.Text() + " " + dialog->txtTrace.Text(), "13/12 5/2");
    dialog->chkFractions.userClick();
    EXPECT_EQ(dialog->txtDeterminant.Text() + " " + dialog->txtTrace.Text(),
              "1.08333333333333 2.5");
    dialog->chkFractions.userClick();
    press(w.cmdProperties);
    EXPECT_EQ(dialog->chkFractions.Value(), 0);
    EXPECT_EQ(dialog->txtTrace.Text(), "2.5");
}

} // namespace
} // namespace velmor::test
