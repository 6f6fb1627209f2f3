#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

Variant matrix(int rows, int cols) {
    return Variant(Array::matrix(rows, cols));
}

TEST(ButtonStates, EnableButtonsWithAnEmptyListOnlyCountsIt) {
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    w.mintMatrixCount = 7;
    w.mvarMatrix = matrix(2, 2);
    w.cmdCancel.setEnabled(true);

    w.EnableButtons();

    EXPECT_EQ(w.mintMatrixCount, 0);
    EXPECT_EQ(w.txtNo_Rows.Text(), "");
    EXPECT_TRUE(w.cmdCancel.Enabled());
    EXPECT_FALSE(w.cmdTranspose.Enabled());
}

TEST(ButtonStates, EnableButtonsFollowsTheShapesShown) {
    struct Case {
        const char* name;
        int rows, cols;             // the first matrix, in mvarMatrix
        const char *rows2, *cols2;  // the second matrix's count boxes ("" when none shown)
        bool addBefore;             // Add/Subtract before the call
        bool square, multiply, add; // expected
    };
    const Case cases[] = {
        {"3x3, no second, Add off", 3, 3, "", "", false, true, false, false},
        {"3x3, no second, Add on", 3, 3, "", "", true, true, false, true},
        {"2x3 with 3x4", 2, 3, "3", "4", true, false, true, false},
        {"2x2 with 2x2", 2, 2, "2", "2", false, true, true, true},
        {"2x3 with 2x3", 2, 3, "2", "3", false, false, false, true},
        {"texts differ: 3x3 with 03x3", 3, 3, "03", "3", true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        h.start();
        FrmVelmor& w = h.w;
        w.Matrices.Add("A", matrix(1, 1), "");
        w.mvarMatrix = matrix(c.rows, c.cols);
        w.txtNo_Rows2.setText(c.rows2);
        w.txtNo_Columns2.setText(c.cols2);
        w.cmdAdd.setEnabled(c.addBefore);
        w.cmdSubtract.setEnabled(c.addBefore);
        for (CommandButton* b : {&w.cmdSave, &w.cmdCancel, &w.cmdClear}) b->setEnabled(true);

        w.EnableButtons();

        EXPECT_EQ(w.mintMatrixCount, 1);
        EXPECT_EQ(w.txtNo_Rows.Text(), std::to_string(c.rows));
        EXPECT_EQ(w.txtNo_Columns.Text(), std::to_string(c.cols));
        for (CommandButton* b : {&w.cmdSave, &w.cmdCancel, &w.cmdClear})
            EXPECT_FALSE(b->Enabled()) << b->name();
        for (CommandButton* b :
             {&w.cmdDelete, &w.cmdDeleteAll, &w.cmdInput, &w.cmdTranspose, &w.cmdScale})
            EXPECT_TRUE(b->Enabled()) << b->name();
        for (CommandButton* b : {&w.cmdInvert, &w.cmdProperties, &w.cmdAdjoint})
            EXPECT_EQ(b->Enabled(), c.square) << b->name();
        EXPECT_EQ(w.cmdMultiply.Enabled(), c.multiply);
        EXPECT_EQ(w.cmdAdd.Enabled(), c.add);
        EXPECT_EQ(w.cmdSubtract.Enabled(), c.add);
    }

    // Without a matrix to read, the failure goes to the calling handler's trap.
    StartupHarness h;
    h.start();
    h.w.Matrices.Add("A", matrix(1, 1), "");
    try {
        h.w.EnableButtons();
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 13);
    }
}

TEST(ButtonStates, DisableButtonsLeavesOnlyExitAndTheMenus) {
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    for (Control* c : w.form.controls())
        if (c->kind() == ControlKind::Button) c->setEnabled(true);
    w.mnuFileSave.setEnabled(true);

    w.DisableButtons();

    for (Control* c : w.form.controls()) {
        if (c->kind() == ControlKind::Button) {
            EXPECT_EQ(c->Enabled(), c == &w.cmdExit) << c->name();
        }
    }
    EXPECT_TRUE(w.mnuFileSave.Enabled());
}

TEST(ButtonStates, TabStopSetsForOperationsAndForInput) {
    StartupHarness h;
    h.start();
    FrmVelmor& w = h.w;
    const std::vector<Control*> inputOnly = {&w.txtNo_Rows,  &w.txtNo_Columns, &w.txtDescription,
                                             &w.MSFlexGrid1, &w.cmdSave,       &w.cmdDelete,
                                             &w.cmdDeleteAll};
    const std::vector<Control*> always = {&w.cmdInput, &w.Slider1, &w.cboMatrixInput,
                                          &w.cboMatrixInput2};
    // Controls that neither set switches keep their tab stop.
    w.cmdAdd.setTabStop(false);

    for (bool input : {false, true}) {
        SCOPED_TRACE(input ? "TabStopInput" : "TabStopMatrixOps");
        for (Control* c : always) c->setTabStop(false);
        w.cboMatrixInput2.setEnabled(false);
        input ? w.TabStopInput() : w.TabStopMatrixOps();
        for (Control* c : inputOnly) EXPECT_EQ(c->TabStop(), input) << c->name();
        for (Control* c : always) EXPECT_TRUE(c->TabStop()) << c->name();
        EXPECT_TRUE(w.cboMatrixInput2.Enabled());
        EXPECT_FALSE(w.cmdAdd.TabStop());
    }
}

} // namespace
} // namespace velmor::test
