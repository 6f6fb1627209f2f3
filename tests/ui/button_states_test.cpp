#include <string>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

struct ButtonStates : ::testing::Test, StartupHarness {
    void SetUp() override { start(); }
};

TEST_F(ButtonStates, EnableFollowsTheShapesShownDisableLeavesOnlyExit) {
    w.mintMatrixCount = 7; // an empty list is only counted, the buttons kept
    w.mvarMatrix = Variant(Array::matrix(2, 2));
    w.cmdCancel.setEnabled(true);
    w.EnableButtons();
    EXPECT_EQ(w.mintMatrixCount, 0);
    EXPECT_TRUE(w.cmdCancel.Enabled());
    struct Case { // first matrix, second's count boxes, Add before; then expected states
        int rows, cols;
        const char *rows2, *cols2;
        bool addBefore, square, multiply, add;
    };
    const Case cases[] = {
        {3, 3, "", "", false, true, false, false},   {3, 3, "", "", true, true, false, true},
        {2, 3, "3", "4", true, false, true, false},  {2, 2, "2", "2", false, true, true, true},
        {2, 3, "2", "3", false, false, false, true}, {3, 3, "03", "3", true, true, false, false},
    };
    w.Matrices.Add("A", Variant(Array::matrix(1, 1)), "");
    const auto once = {&w.cmdSave, &w.cmdCancel, &w.cmdClear};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        w.mvarMatrix = Variant(Array::matrix(c.rows, c.cols));
        w.txtNo_Rows2.setText(c.rows2);
        w.txtNo_Columns2.setText(c.cols2);
        for (CommandButton* b : {&w.cmdAdd, &w.cmdSubtract}) b->setEnabled(c.addBefore);
        for (CommandButton* b : once) b->setEnabled(true);
        w.EnableButtons();
        EXPECT_EQ(w.txtNo_Rows.Text(), std::to_string(c.rows));
        EXPECT_EQ(w.txtNo_Columns.Text(), std::to_string(c.cols));
        for (CommandButton* b : once) EXPECT_FALSE(b->Enabled()) << b->name();
        for (CommandButton* b :
             {&w.cmdDelete, &w.cmdDeleteAll, &w.cmdInput, &w.cmdTranspose, &w.cmdScale, &w.cmdExit})
            EXPECT_TRUE(b->Enabled()) << b->name();
        for (CommandButton* b : {&w.cmdInvert, &w.cmdProperties, &w.cmdAdjoint})
            EXPECT_EQ(b->Enabled(), c.square) << b->name();
        EXPECT_EQ(w.cmdMultiply.Enabled(), c.multiply);
        for (CommandButton* b : {&w.cmdAdd, &w.cmdSubtract}) EXPECT_EQ(b->Enabled(), c.add);
    }
    w.mvarMatrix = Variant();
    EXPECT_THROW(w.EnableButtons(), RuntimeError);
    EXPECT_TRUE(dialogs.boxes.empty()); // the caller reports it
    for (Control* c : w.form.controls())
        if (c->kind() == ControlKind::Button) c->setEnabled(true);
    w.DisableButtons();
    for (Control* c : w.form.controls())
        EXPECT_TRUE(c->kind() != ControlKind::Button || c->Enabled() == (c == &w.cmdExit))
            << c->name();
}

TEST_F(ButtonStates, TabSkipsTheEntryFieldsWhileChoosingOperandsOnly) {
    w.cboMatrixInput2.setVisible(true);
    w.cboMatrixInput2.setEnabled(false);
    w.TabStopMatrixOps(); // re-enables the second list
    w.cmdInput.SetFocus();
    std::vector<Control*> order;
    for (int i = 0; i < 3; ++i) w.form.userTab(), order.push_back(w.form.ActiveControl());
    EXPECT_EQ(order, (std::vector<Control*>{&w.cboMatrixInput, &w.cboMatrixInput2, &w.cmdExit}));
    w.TabStopInput();
    for (Control* c : std::initializer_list<Control*>{&w.txtNo_Rows, &w.txtNo_Columns,
                                                      &w.txtDescription, &w.MSFlexGrid1, &w.cmdSave,
                                                      &w.cmdDelete, &w.cmdDeleteAll, &w.Slider1})
        EXPECT_TRUE(c->TabStop()) << c->name();
    EXPECT_FALSE(w.Text1.TabStop());
}

} // namespace
} // namespace velmor::test
