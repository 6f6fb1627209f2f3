#include <string>
#include <vector>

#include "tests/ui/operations_fixture.h"
#include "ui/dialogs/frm_properties.h"

namespace velmor::test {
namespace {

class Operations : public OperationsFixture {
  protected:
    void SetUp() override {
        addEntry("P", {{"1", "2"}, {"3", "4"}});
        addEntry("Q", {{"5", "6"}, {"7", "8"}});
        addEntry("W", {{"1", "0", "2"}, {"0", "1", "3"}});   // 2 x 3
        addEntry("V", {{"1", "2"}, {"3", "4"}, {"5", "6"}}); // 3 x 2
    }

    void expectOnlyResultShown() {
        ASSERT_EQ(dialogs.boxes.size(), 1u);
        EXPECT_EQ(dialogs.boxes[0].kind, Box::FormShown);
        EXPECT_EQ(dialogs.boxes[0].prompt, "frmMatrixOutput");
        EXPECT_EQ(dialogs.boxes[0].title, "Output Matrix");
        EXPECT_TRUE(dialogs.boxes[0].modal);
        EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    }

    void expectButtonBox(const Box& b, const std::string& prompt, const std::string& handler) {
        EXPECT_EQ(b.kind, Box::Message);
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.buttons, MsgButtons::OK);
        EXPECT_EQ(b.icon, MsgIcon::Critical);
        EXPECT_EQ(b.title, "frmVelmor - " + handler);
    }
};

struct TwoOperandCase {
    const char* button;
    int first, second;
    const char* label;
    Rows result;
    const char *min, *max;
};

TEST_F(Operations, TwoOperandButtonsLabelAndShowTheirResult) {
    const TwoOperandCase cases[] = {
        {"cmdAdd", 0, 1, "[P+Q]", {{"6", "8"}, {"10", "12"}}, "6", "12"},
        {"cmdSubtract", 1, 0, "[Q-P]", {{"4", "4"}, {"4", "4"}}, "4", "4"},
        {"cmdMultiply", 2, 3, "WV", {{"11", "14"}, {"18", "22"}}, "11", "22"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        select(c.first, c.second);
        press(static_cast<CommandButton&>(*w.form.find(c.button)));

        expectOnlyResultShown();
        EXPECT_EQ(output().txtMatrixResult.Text(), c.label);
        EXPECT_EQ(cells(output().MSFlexGrid1), c.result);
        EXPECT_EQ(output().MSFlexGrid1.TextMatrix(0, 2), "2");
        EXPECT_EQ(output().MSFlexGrid1.TextMatrix(2, 0), "2");
        EXPECT_EQ(output().txtMinimum.Text(), c.min);
        EXPECT_EQ(output().txtMaximum.Text(), c.max);
        EXPECT_EQ(w.g.gstrMinValue, c.min);
        EXPECT_EQ(w.g.gstrMaxValue, c.max);
        // The result's shape, not the first operand's (W is 2 x 3).
        EXPECT_EQ(w.g.gintNo_Rows, 2);
        EXPECT_EQ(w.g.gintNo_Columns, 2);
        EXPECT_EQ(rowCount(w.mvarMatrix), 2);
        EXPECT_FALSE(output().form.Loaded());
    }
}

TEST_F(Operations, ScaleAsksForTheScalarAndLabelsWithItsNumberText) {
    select(0);
    dialogs.input("2.50");
    press(w.cmdScale);

    ASSERT_EQ(dialogs.boxes.size(), 2u);
    const Box& ask = dialogs.boxes[0];
    EXPECT_EQ(ask.kind, Box::Input);
    EXPECT_EQ(ask.prompt, "Scalar");
    EXPECT_EQ(ask.title, "Multiply by Scalar");
    EXPECT_EQ(ask.defaultText, "");
    EXPECT_EQ(dialogs.boxes[1].kind, Box::FormShown);
    EXPECT_EQ(output().txtMatrixResult.Text(), "2.5P");
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"2.5", "5"}, {"7.5", "10"}}));
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
}

TEST_F(Operations, ScaleCancelledTouchesNothingAndANonNumberIsTypeMismatch) {
    select(0);
    const int untouched = 99;
    w.form.setMousePointer(untouched);
    dialogs.input("");
    press(w.cmdScale);
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(w.form.MousePointer(), untouched);
    EXPECT_EQ(w.frmMatrixOutput, nullptr);

    dialogs.clear();
    dialogs.input("abc");
    press(w.cmdScale);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    expectButtonBox(dialogs.boxes[1], "Error No. - 13; Type mismatch", "cmdScale_Click");
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    EXPECT_EQ(formsShown("frmMatrixOutput"), 0);
}

TEST_F(Operations, TransposeAndInvertBracketOnlyPlainNamesLongerThanOneCharacter) {
    addEntry("Pq", {{"2"}});
    addEntry("[P+Q]", {{"2"}});
    addEntry("é", {{"2"}});
    struct Case {
        int index;
        const char *transposed, *inverted;
    } cases[] = {
        {0, "P_T", "P_I"}, {4, "[Pq]_T", "[Pq]_I"}, {5, "[P+Q]_T", "[P+Q]_I"}, {6, "é_T", "é_I"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.transposed);
        select(c.index);
        showInTopGrid({{"2"}});
        press(w.cmdTranspose);
        EXPECT_EQ(output().txtMatrixResult.Text(), c.transposed);
        press(w.cmdInvert);
        EXPECT_EQ(output().txtMatrixResult.Text(), c.inverted);
        EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"0.5"}}));
        EXPECT_EQ(formsShown("frmMatrixOutput"), 2);
    }
}

TEST_F(Operations, TransposeWorksOnTheTopGridAsShownAndKeepsItsTexts) {
    select(0);
    showInTopGrid({{"1.50", "", "3"}, {"4", "5", "6"}}); // unsaved edits, one cell empty
    press(w.cmdTranspose);

    expectOnlyResultShown();
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 2), "0");
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"1.50", "4"}, {"0", "5"}, {"3", "6"}}));
    EXPECT_EQ(w.g.gintNo_Rows, 3);
    EXPECT_EQ(w.g.gintNo_Columns, 2);
}

TEST_F(Operations, InvertOfASingularMatrixShowsOnlyTheEnginesMessage) {
    select(0);
    Variant before = w.mvarMatrix = textMatrix({{"9"}});
    showInTopGrid({{"1", "2"}, {"2", "4"}});
    press(w.cmdInvert);

    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Division by zero. The matrix is singular.");
    EXPECT_EQ(dialogs.boxes[0].title, "Velmor");
    EXPECT_EQ(w.mvarMatrix, before);
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
}

TEST_F(Operations, TransposeLeavesEveryReportToTheEngine) {
    select(0);
    w.MSFlexGrid1.setRows(2);
    w.MSFlexGrid1.setCols(1); // headings only: no element to transpose or compare
    press(w.cmdTranspose);

    auto boxes = dialogs.messages();
    ASSERT_FALSE(boxes.empty());
    for (const auto& b : boxes) EXPECT_EQ(b.title.rfind("CVelmor class module - ", 0), 0u);
    EXPECT_EQ(formsShown("frmMatrixOutput"), 0);
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
}

TEST_F(Operations, AdjointOfOneByOneShowsTheEngineBoxThenTheButtonBox) {
    addEntry("S", {{"7"}});
    select(4);
    press(w.cmdAdjoint);

    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].prompt, "Error No. 9; Subscript out of range");
    EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(dialogs.boxes[0].title, "CVelmor class module - GetCofactorMatrix");
    expectButtonBox(dialogs.boxes[1], "Error No. - 13; Type mismatch", "cmdAdjoint_Click");
    EXPECT_EQ(w.frmMatrixOutput, nullptr);

    dialogs.clear();
    select(0);
    press(w.cmdAdjoint);
    expectOnlyResultShown();
    EXPECT_EQ(output().txtMatrixResult.Text(), "adj(P)");
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"4", "-2"}, {"-3", "1"}}));
}

TEST_F(Operations, UnequalShapesKeepTheWorkingMatrixAndReportTheFailedStore) {
    select(0, 2); // 2 x 2 and 2 x 3: the engine's own shape check answers
    Variant before = w.mvarMatrix = textMatrix({{"9"}});
    press(w.cmdAdd);

    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[0].prompt,
              "The number of rows and/or columns of the two matrices are not equal.");
    expectButtonBox(dialogs.boxes[1], "Error No. - 13; Type mismatch", "cmdAdd_Click");
    EXPECT_EQ(w.mvarMatrix, before);
    EXPECT_EQ(formsShown("frmMatrixOutput"), 0);
}

TEST_F(Operations, NothingSelectedShowsTheListBoxThenTheButtonBox) {
    const char* handlers[] = {"cmdAdd_Click",   "cmdSubtract_Click", "cmdMultiply_Click",
                              "cmdScale_Click", "cmdAdjoint_Click",  "cmdProperties_Click"};
    for (const char* handler : handlers) {
        SCOPED_TRACE(handler);
        dialogs.clear();
        std::string name = std::string(handler).substr(0, std::string(handler).find('_'));
        if (name == "cmdScale") dialogs.input("2");
        press(static_cast<CommandButton&>(*w.form.find(name)));

        auto boxes = dialogs.messages();
        std::size_t first = name == "cmdScale" ? 1 : 0;
        ASSERT_EQ(boxes.size(), first + 2);
        EXPECT_EQ(boxes[first].title, "CMatrices Class Module - Item function");
        EXPECT_EQ(boxes[first].icon, MsgIcon::Exclamation);
        expectButtonBox(boxes[first + 1],
                        "Error No. - 91; Object variable or With block variable not set", handler);
        EXPECT_EQ(w.form.MousePointer(), kPointerDefault);
    }
    EXPECT_EQ(w.frmMatrixOutput, nullptr);
    EXPECT_EQ(w.cboMatrixInput.ListIndex(), -1);
}

TEST_F(Operations, SecondOperandMissingStopsAfterTheFirstWasFetched) {
    select(0);
    press(w.cmdAdd);
    auto boxes = dialogs.messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].title, "CMatrices Class Module - Item function");
    EXPECT_EQ(boxes[1].title, "frmVelmor - cmdAdd_Click");
}

TEST_F(Operations, EveryResultGetsAFreshResultWindow) {
    select(0, 1);
    inResultWindow([](FrmMatrixOutput& out) {
        out.txtDescription.userType("kept?");
        out.txtPrecision.userType("2");
        out.cmdCancel.userClick();
    });
    press(w.cmdAdd);
    press(w.cmdAdd);
    EXPECT_EQ(output().txtDescription.Text(), "");
    EXPECT_EQ(output().txtPrecision.Text(), "");
    EXPECT_EQ(cells(output().MSFlexGrid1), (Rows{{"6", "8"}, {"10", "12"}}));
    EXPECT_EQ(formsShown("frmMatrixOutput"), 2);
}

TEST_F(Operations, PropertiesShowsDeterminantAndTraceInOneModelessDialog) {
    select(0);
    press(w.cmdProperties);
    ASSERT_NE(w.frmProperties, nullptr);
    FrmProperties* dialog = w.frmProperties.get();
    EXPECT_EQ(dialog->txtDeterminant.Text(), "-2");
    EXPECT_EQ(dialog->txtTrace.Text(), "5");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, Box::FormShown);
    EXPECT_EQ(dialogs.boxes[0].prompt, "frmProperties");
    EXPECT_EQ(dialogs.boxes[0].title, "Matrix Properties");
    EXPECT_FALSE(dialogs.boxes[0].modal);
    EXPECT_TRUE(dialog->form.Visible());
    EXPECT_EQ(w.form.MousePointer(), kPointerDefault);

    // Pressed again with the dialog open: the same dialog, refreshed.
    select(1);
    press(w.cmdProperties);
    EXPECT_EQ(w.frmProperties.get(), dialog);
    EXPECT_EQ(dialog->txtDeterminant.Text(), "-2");
    EXPECT_EQ(dialog->txtTrace.Text(), "13");

    // OK unloads it; the next press brings it back.
    dialog->cmdOK.userClick();
    EXPECT_FALSE(dialog->form.Loaded());
    addEntry("S", {{"7"}});
    select(4);
    press(w.cmdProperties);
    ASSERT_NE(w.frmProperties, nullptr);
    EXPECT_TRUE(w.frmProperties->form.Loaded());
    EXPECT_TRUE(w.frmProperties->form.Visible());
    EXPECT_EQ(w.frmProperties->txtDeterminant.Text(), "7");
    EXPECT_EQ(w.frmProperties->txtTrace.Text(), "7");
}

} // namespace
} // namespace velmor::test
