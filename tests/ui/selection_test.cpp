#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

// A (2 x 3), B (3 x 2), C (2 x 3) and D (3 x 3) stored: D shown on top, A at the bottom.
class SelectionTest : public MainWindowScenario {
  protected:
    SelectionTest() {
        enterMatrix("A", "2", "3", {"1", "2", "3", "4", "5", "6"}, "first");
        enterMatrix("B", "3", "2", {"7", "8", "9", "10", "11", "12"});
        enterMatrix("C", "2", "3", Names(6, "1"));
        enterMatrix("D", "3", "3", Names(9, "0"));
        dialogs.clear();
    }
    void enterMatrix(const std::string& name, const std::string& rows, const std::string& cols,
                     const Names& values, const std::string& description = {}) {
        startEntry(name, rows, cols, values, description);
        w.cmdSave.userClick();
    }
};

const Cells kA{{"1", "2", "3"}, {"4", "5", "6"}}, kB{{"7", "8"}, {"9", "10"}, {"11", "12"}};

ExpectedBox unsavedOnPick(const std::string& name) {
    return {"Matrix \"" + name +
                "\" possibly has changed without being saved. Press OK to Save the matrix. "
                "Otherwise press Cancel to discard any changes.",
            MsgButtons::OKCancel, MsgIcon::None, "frmVelmor"};
}

TEST_F(SelectionTest, PickingAfterTypingANameAsksAboutTheUnsavedMatrix) {
    // The bottom selector never asks.
    w.cboMatrixInput.userEdit("E");
    w.cboMatrixInput2.userPick(1);
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_EQ(cells(w.MSFlexGrid2), kB);
    EXPECT_EQ(w.txtNo_Rows2.Text() + "x" + w.txtNo_Columns2.Text(), "3x2");
    EXPECT_TRUE(w.txtDescription2.Visible() && w.lblRows2.Visible());
    EXPECT_EQ(w.MSFlexGrid2.ColWidth(2), 960);

    // Cancel drops the typed name and shows the picked matrix.
    dialogs.answer(MsgResult::Cancel);
    w.cboMatrixInput.userPick(0);
    EXPECT_EQ(w.cboMatrixInput.Text(), "A");
    EXPECT_EQ(cells(w.MSFlexGrid1), kA);
    EXPECT_EQ(w.txtDescription.Text(), "first");
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D"}));

    // OK saves the grid under the typed name; the pick is not shown.
    w.cboMatrixInput.userEdit("E");
    dialogs.answer(MsgResult::OK);
    w.cboMatrixInput.userPick(1);
    EXPECT_EQ(boxes(), Boxes(2, unsavedOnPick("E")));
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(w.cboMatrixInput.items(), listNames());
    EXPECT_EQ(w.cboMatrixInput2.items(), listNames());
    EXPECT_EQ(w.cboMatrixInput.ListIndex(), 4);
    EXPECT_EQ(cells(w.MSFlexGrid1), kA);

    // After a display or a save nothing is asked.
    dialogs.clear();
    w.cboMatrixInput.userPick(2);
    EXPECT_EQ(boxes(), Boxes{});

    // Right after Input the name was emptied by code: asked with an empty name.
    w.cmdInput.userClick();
    dialogs.answer(MsgResult::Cancel);
    w.cboMatrixInput.userPick(1);
    EXPECT_EQ(boxes(), Boxes{unsavedOnPick("")});
    EXPECT_EQ(cells(w.MSFlexGrid1), kB);
    EXPECT_EQ(w.txtNo_Rows.Text() + "x" + w.txtNo_Columns.Text(), "3x2");
    EXPECT_TRUE(w.cmdInput.Enabled());
}

// Multiply needs the top's columns to match the bottom's rows; Add and Subtract the same
// shape. Whichever selector is used last decides.
TEST_F(SelectionTest, OperandButtonsFollowTheShapesOfBothMatrices) {
    const struct {
        int top, bottom;
        bool multiply, addSubtract;
    } cases[] = {
        {0, 1, true, false}, {0, 2, false, true},  {1, 0, true, false},
        {3, 3, true, true},  {3, 0, false, false}, {0, 3, true, false},
    };
    for (const auto& c : cases) {
        for (bool bottomLast : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << c.top << " over " << c.bottom << ", bottom last " << bottomLast);
            if (bottomLast) w.cboMatrixInput.userPick(c.top);
            w.cboMatrixInput2.userPick(c.bottom);
            if (!bottomLast) w.cboMatrixInput.userPick(c.top);
            EXPECT_EQ(w.cmdMultiply.Enabled(), c.multiply);
            EXPECT_EQ(w.cmdAdd.Enabled(), c.addSubtract);
            EXPECT_EQ(w.cmdSubtract.Enabled(), c.addSubtract);
        }
    }

    // The counts are compared as the boxes show them: 03 rows and 3 rows differ.
    startEntry("E", "03", "3");
    w.cboMatrixInput2.userPick(3);
    EXPECT_TRUE(w.cmdMultiply.Enabled());
    EXPECT_FALSE(w.cmdAdd.Enabled());
    w.form.userFocus(&w.txtNo_Rows);
    w.txtNo_Rows.userEdit("3");
    w.cboMatrixInput2.userPick(3);
    EXPECT_TRUE(w.cmdAdd.Enabled());
    EXPECT_EQ(boxes(), Boxes{});
}

TEST_F(SelectionTest, DeletingSelectsTheNeighbourAndDeleteAllEmptiesTheWindow) {
    const ExpectedBox one{"Are you sure that you want to delete this matrix?", MsgButtons::YesNo,
                          MsgIcon::None, "Delete Matrix"};
    const ExpectedBox all{"Are you sure that you want to delete all matrices?", MsgButtons::YesNo,
                          MsgIcon::None, "Delete All Matrices"};
    const ExpectedBox invalid{"Error No. 380; Invalid property value", MsgButtons::OK,
                              MsgIcon::Exclamation, "frmVelmor - cmdDelete_Click"};
    // Answered No, then a typed name that is no entry: nothing deleted.
    w.cboMatrixInput.userPick(0);
    dialogs.answer(MsgResult::No).answer(MsgResult::Yes);
    w.cmdDelete.userClick();
    w.cboMatrixInput.userEdit("Z");
    w.cmdDelete.userClick();
    dialogs.answer(MsgResult::Cancel);
    w.cboMatrixInput.userPick(0);
    EXPECT_EQ(boxes(), Boxes({one, one, invalid, unsavedOnPick("Z")}));
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D"}));
    EXPECT_EQ(w.cboMatrixInput2.items(), listNames());
    EXPECT_EQ(w.form.MousePointer(), 0);

    // The first entry: the old second one is shown, on top and below.
    dialogs.answer(MsgResult::Yes);
    w.cmdDelete.userClick();
    EXPECT_EQ(listNames(), Names({"B", "C", "D"}));
    for (const ComboBox* selector : {&w.cboMatrixInput, &w.cboMatrixInput2}) {
        EXPECT_EQ(selector->items(), listNames());
        EXPECT_EQ(selector->ListIndex(), 0);
    }
    EXPECT_EQ(cells(w.MSFlexGrid1), kB);
    EXPECT_EQ(cells(w.MSFlexGrid2), kB);
    EXPECT_EQ(focus(), &w.cboMatrixInput);

    // The last entry: the one before it.
    w.cboMatrixInput.userPick(2);
    dialogs.answer(MsgResult::Yes).answer(MsgResult::Yes);
    w.cmdDelete.userClick();
    EXPECT_EQ(w.cboMatrixInput.items(), Names({"B", "C"}));
    EXPECT_EQ(w.cboMatrixInput.Text() + w.cboMatrixInput2.Text(), "CB");
    w.cmdDelete.userClick();

    // The only entry: the delete-all question instead.
    dialogs.clear();
    dialogs.answer(MsgResult::No).answer(MsgResult::Yes);
    w.cmdDelete.userClick();
    EXPECT_EQ(listNames(), Names{"B"});
    w.cmdDeleteAll.userClick();
    EXPECT_EQ(boxes(), Boxes(2, all));
    EXPECT_TRUE(listNames().empty());
    for (const ComboBox* selector : {&w.cboMatrixInput, &w.cboMatrixInput2})
        EXPECT_TRUE(selector->items().empty() && selector->Text().empty());
    for (const Grid* g : {&w.MSFlexGrid1, &w.MSFlexGrid2})
        EXPECT_EQ(cells(*g, 0), Cells({{"", ""}, {"", ""}}));
    for (const TextBox* box : {&w.txtNo_Rows, &w.txtNo_Columns, &w.txtDescription, &w.txtNo_Rows2,
                               &w.txtNo_Columns2, &w.txtDescription2})
        EXPECT_EQ(box->Text(), "") << box->name();
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    EXPECT_EQ(focus(), &w.cmdInput);
    EXPECT_TRUE(w.g.gfMatricesSaved);
    EXPECT_EQ(w.form.MousePointer(), 0);
    enterMatrix("N", "1", "1", {"4"});
    EXPECT_EQ(w.cboMatrixInput2.Text(), "N") << "a new entry starts from scratch";
}

// Saved under a taken name, whatever its letter case, three times in a row.
TEST_F(SelectionTest, SavingUnderATakenNameReplacesRenamesOrSkips) {
    const ExpectedBox exists{
        "The matrix \"b\" already exists. Press OK to replace it, or Cancel to "
        "rename the new matrix or abandon changes.",
        MsgButtons::OKCancel, MsgIcon::None, "Matrix Exists"};
    const ExpectedBox rename{"Rename the new matrix or press Cancel to skip the matrix.",
                             MsgButtons::OKCancel, MsgIcon::None, "Matrix Name"};
    const ExpectedBox skipped{"Matrix \"b\" has been skipped.", MsgButtons::OK, MsgIcon::None,
                              "Velmor"};
    const struct {
        const char* newName; // typed into the rename box; nullptr: not asked
        Boxes boxes;
        Names list;
        std::string bottom, topCell;
    } cases[] = {
        {nullptr, {exists}, {"A", "C", "D", "b"}, "b", "9"},
        {"E", {exists, rename}, {"A", "C", "D", "b", "E"}, "b", "8"},
        {"", {exists, rename, skipped}, {"A", "C", "D", "b", "E"}, "E", "8"},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        dialogs.clear();
        dialogs.answer(c.newName ? MsgResult::Cancel : MsgResult::OK);
        if (c.newName) dialogs.input(c.newName);
        enterMatrix("b", "1", "1", {std::to_string(9 - i)});
        EXPECT_EQ(boxes(), c.boxes);
        EXPECT_EQ(listNames(), c.list);
        EXPECT_EQ(w.cboMatrixInput.items(), c.list);
        EXPECT_EQ(w.cboMatrixInput2.items(), c.list);
        EXPECT_EQ(w.cboMatrixInput.ListIndex(), static_cast<int>(c.list.size()) - 1);
        EXPECT_EQ(w.cboMatrixInput2.Text(), c.bottom);
        EXPECT_EQ(cells(w.MSFlexGrid1), Cells{{c.topCell}});
        EXPECT_EQ(focus(), &w.cmdInput);
        EXPECT_TRUE(w.cmdDelete.Enabled() && !w.cmdSave.Enabled());
    }
}

} // namespace
} // namespace velmor::test
