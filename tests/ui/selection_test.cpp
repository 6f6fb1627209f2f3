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

    // An entry without a name yet has nothing to save under: the pick is shown at once (the
    // question used to name Matrix "" and its OK failed in the list).
    w.cmdInput.userClick();
    w.cboMatrixInput.userPick(1);
    EXPECT_EQ(boxes(), Boxes{});
    EXPECT_FALSE(w.mfEntering);
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

    // A name typed on top is no listed first operand: the list buttons wait for a pick,
    // whatever the shapes (they used to fail with errors 380 and 9).
    w.cboMatrixInput.userPick(3);
    w.cboMatrixInput.userEdit("zzz");
    EXPECT_EQ(enabledButtons(),
              Buttons({"cmdInput", "cmdTranspose", "cmdInvert", "cmdDeleteAll", "cmdExit"}));
    w.cboMatrixInput2.userPick(3);
    EXPECT_FALSE(w.cmdMultiply.Enabled() || w.cmdAdd.Enabled());
    dialogs.answer(MsgResult::Cancel); // Input: drop the typed name
    startEntry("E", "3", "3");
    w.cboMatrixInput2.userPick(3);
    EXPECT_FALSE(w.cmdMultiply.Enabled() || w.cmdAdd.Enabled());
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(SelectionTest, DeletingSelectsTheNeighbourAndDeleteAllEmptiesTheWindow) {
    auto one = [](const std::string& name) {
        return ExpectedBox{"Are you sure that you want to delete the matrix \"" + name + "\"?",
                           MsgButtons::YesNo, MsgIcon::None, "Delete Matrix"};
    };
    const ExpectedBox all{"Are you sure that you want to delete all matrices?", MsgButtons::YesNo,
                          MsgIcon::None, "Delete All Matrices"};
    // Answered No, then a typed name that is no entry: nothing to delete.
    w.cboMatrixInput.userPick(0);
    dialogs.answer(MsgResult::No);
    w.cmdDelete.userClick();
    w.cboMatrixInput.userEdit("Z");
    EXPECT_FALSE(w.cmdDelete.Enabled());
    w.cmdDelete_Click();
    dialogs.answer(MsgResult::Cancel);
    w.cboMatrixInput.userPick(0);
    EXPECT_EQ(boxes(), Boxes({one("A"), unsavedOnPick("Z")}));
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D"}));
    EXPECT_EQ(w.cboMatrixInput2.items(), listNames());
    EXPECT_EQ(w.form.MousePointer(), 0);

    // The first entry: the old second one is shown, on top and below. Unsaved edits of the
    // entry being deleted ask nothing, so no save can run and shift the list under it.
    dialogs.clear();
    w.mfMatrixSaved = false;
    dialogs.answer(MsgResult::Yes);
    w.cmdDelete.userClick();
    EXPECT_EQ(boxes(), Boxes{one("A")});
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
    EXPECT_EQ(dialogs.messages().back().prompt, std::get<0>(one("D")));
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

// Saved under a taken name, whatever its letter case, three times in a row. The boxes' texts
// are pinned by the list test; here what the window shows after each outcome.
TEST_F(SelectionTest, SavingUnderATakenNameReplacesRenamesOrSkips) {
    const struct {
        const char* newName; // typed into the rename box; nullptr: not asked
        Names titles, list;
        std::string bottom, topCell;
    } cases[] = {
        {nullptr, {"Matrix Exists"}, {"A", "C", "D", "b"}, "b", "9"},
        {"E", {"Matrix Exists", "Matrix Name"}, {"A", "C", "D", "b", "E"}, "b", "8"},
        {"", {"Matrix Exists", "Matrix Name", "Velmor"}, {"A", "C", "D", "b", "E"}, "E", "8"},
    };
    for (int i = 0; i < 3; ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(i);
        dialogs.clear();
        dialogs.answer(c.newName ? MsgResult::Cancel : MsgResult::OK);
        if (c.newName) dialogs.input(c.newName);
        enterMatrix("b", "1", "1", {std::to_string(9 - i)});
        Names titles;
        for (const auto& b : dialogs.messages()) titles.push_back(b.title);
        EXPECT_EQ(titles, c.titles);
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
