#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

class SelectionTest : public MainWindowScenario {
  protected:
    // A (2 x 3), B (3 x 2), C (2 x 3), D (3 x 3); D is shown on top, A at the bottom.
    void enterFour() {
        enterMatrix("A", 2, 3, {"1", "2", "3", "4", "5", "6"}, "first");
        enterMatrix("B", 3, 2, {"7", "8", "9", "10", "11", "12"});
        enterMatrix("C", 2, 3, {"1", "1", "1", "1", "1", "1"});
        enterMatrix("D", 3, 3, {"1", "0", "0", "0", "1", "0", "0", "0", "1"});
        dialogs.clear();
    }
    // Three one-cell matrices A, B, C holding 1, 2, 3.
    void enterThree() {
        enterMatrix("A", 1, 1, {"1"});
        enterMatrix("B", 1, 1, {"2"});
        enterMatrix("C", 1, 1, {"3"});
        dialogs.clear();
    }
};

BoxSpec unsavedOnPick(const std::string& name) {
    return {"Matrix \"" + name +
                "\" possibly has changed without being saved. Press OK to Save the matrix. "
                "Otherwise press Cancel to discard any changes.",
            MsgButtons::OKCancel, MsgIcon::None, "frmVelmor"};
}

const BoxSpec kDeleteOne{"Are you sure that you want to delete this matrix?", MsgButtons::YesNo,
                         MsgIcon::None, "Delete Matrix"};
const BoxSpec kDeleteAll{"Are you sure that you want to delete all matrices?", MsgButtons::YesNo,
                         MsgIcon::None, "Delete All Matrices"};

TEST_F(SelectionTest, PickingAfterTypingANameAsksAboutTheUnsavedMatrix) {
    enterFour();
    // Cancel drops the typed name and shows the picked matrix.
    w->cboMatrixInput.userEdit("E");
    dialogs.answer(MsgResult::Cancel);
    w->cboMatrixInput.userPick(0);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{unsavedOnPick("E")});
    EXPECT_EQ(w->cboMatrixInput.Text(), "A");
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1", "2", "3"}, {"4", "5", "6"}}));
    EXPECT_EQ(w->txtDescription.Text(), "first");
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D"}));

    // OK saves the grid under the typed name; the pick is not shown.
    w->cboMatrixInput.userEdit("E");
    dialogs.clear();
    dialogs.answer(MsgResult::OK);
    w->cboMatrixInput.userPick(1);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{unsavedOnPick("E")});
    EXPECT_EQ(listNames(), Names({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(w->cboMatrixInput.items(), listNames());
    EXPECT_EQ(w->cboMatrixInput2.items(), listNames());
    EXPECT_EQ(w->cboMatrixInput.Text(), "E");
    EXPECT_EQ(w->cboMatrixInput.ListIndex(), 4);
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1", "2", "3"}, {"4", "5", "6"}}));

    // After a display or a save nothing is asked.
    dialogs.clear();
    w->cboMatrixInput.userPick(1);
    w->cboMatrixInput.userPick(2);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
    EXPECT_EQ(w->cboMatrixInput.Text(), "C");
}

TEST_F(SelectionTest, PickingRightAfterInputAsksWithAnEmptyName) {
    enterFour();
    w->cmdInput.userClick();
    dialogs.answer(MsgResult::Cancel);
    w->cboMatrixInput.userPick(1);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{unsavedOnPick("")});
    EXPECT_EQ(w->cboMatrixInput.Text(), "B");
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"7", "8"}, {"9", "10"}, {"11", "12"}}));
    EXPECT_EQ(w->txtNo_Rows.Text(), "3");
    EXPECT_EQ(w->txtNo_Columns.Text(), "2");
    EXPECT_TRUE(w->cmdInput.Enabled());
}

TEST_F(SelectionTest, TheBottomSelectorNeverAsks) {
    enterFour();
    w->cboMatrixInput.userEdit("typed");
    w->cboMatrixInput2.userPick(1);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
    EXPECT_EQ(cells(w->MSFlexGrid2), Cells({{"7", "8"}, {"9", "10"}, {"11", "12"}}));
    EXPECT_EQ(w->txtNo_Rows2.Text(), "3");
    EXPECT_EQ(w->txtNo_Columns2.Text(), "2");
    EXPECT_TRUE(w->txtDescription2.Visible());
    EXPECT_TRUE(w->lblRows2.Visible());
    EXPECT_EQ(w->MSFlexGrid2.ColWidth(2), 960);
    EXPECT_EQ(w->cboMatrixInput.Text(), "typed");
}

// Multiply needs the top's columns to match the bottom's rows; Add and Subtract the same
// shape. Whichever selector is used last decides.
TEST_F(SelectionTest, OperandButtonsFollowTheShapesOfBothMatrices) {
    enterFour();
    struct Case {
        int top, bottom;
        bool multiply, addSubtract;
    };
    const Case cases[] = {
        {0, 1, true, false},  // 2x3 by 3x2
        {0, 2, false, true},  // 2x3 and 2x3
        {1, 0, true, false},  // 3x2 by 2x3
        {3, 3, true, true},   // 3x3 and 3x3
        {3, 0, false, false}, // 3x3 and 2x3
        {0, 3, true, false},  // 2x3 by 3x3
    };
    for (const auto& c : cases) {
        for (bool bottomLast : {true, false}) {
            SCOPED_TRACE(std::to_string(c.top) + " over " + std::to_string(c.bottom) +
                         (bottomLast ? ", bottom picked last" : ", top picked last"));
            if (bottomLast) {
                w->cboMatrixInput.userPick(c.top);
                w->cboMatrixInput2.userPick(c.bottom);
            } else {
                w->cboMatrixInput2.userPick(c.bottom);
                w->cboMatrixInput.userPick(c.top);
            }
            EXPECT_EQ(w->cmdMultiply.Enabled(), c.multiply);
            EXPECT_EQ(w->cmdAdd.Enabled(), c.addSubtract);
            EXPECT_EQ(w->cmdSubtract.Enabled(), c.addSubtract);
        }
    }
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

TEST_F(SelectionTest, CountsAreComparedAsTheBoxesShowThem) {
    enterFour();
    // A 3 x 3 being keyed with its row count typed as 03.
    startEntry("E", "03", "3");
    w->cboMatrixInput2.userPick(3);
    EXPECT_TRUE(w->cmdMultiply.Enabled());
    EXPECT_FALSE(w->cmdAdd.Enabled()) << "03 rows and 3 rows count as different sizes";
    EXPECT_FALSE(w->cmdSubtract.Enabled());

    w->form.userFocus(&w->txtNo_Rows);
    w->txtNo_Rows.userEdit("3");
    w->cboMatrixInput2.userPick(3);
    EXPECT_TRUE(w->cmdAdd.Enabled());
}

TEST_F(SelectionTest, DeletingSelectsTheNeighbourInBothSelectors) {
    enterThree();
    ASSERT_EQ(w->cboMatrixInput2.Text(), "A");

    // No changes nothing.
    w->cboMatrixInput.userPick(0);
    dialogs.answer(MsgResult::No);
    w->cmdDelete.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kDeleteOne});
    EXPECT_EQ(listNames(), Names({"A", "B", "C"}));

    // The first entry: the old second one is shown, on top and below.
    dialogs.clear();
    dialogs.answer(MsgResult::Yes);
    w->cmdDelete.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kDeleteOne});
    EXPECT_EQ(listNames(), Names({"B", "C"}));
    EXPECT_EQ(w->cboMatrixInput.items(), Names({"B", "C"}));
    EXPECT_EQ(w->cboMatrixInput2.items(), Names({"B", "C"}));
    EXPECT_EQ(w->cboMatrixInput.ListIndex(), 0);
    EXPECT_EQ(w->cboMatrixInput.Text(), "B");
    EXPECT_EQ(w->cboMatrixInput2.ListIndex(), 0);
    EXPECT_EQ(w->cboMatrixInput2.Text(), "B");
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells{{"2"}});
    EXPECT_EQ(cells(w->MSFlexGrid2), Cells{{"2"}});
    EXPECT_EQ(focus(), &w->cboMatrixInput);
    EXPECT_EQ(w->form.MousePointer(), 0);

    // The last entry: the one before it; the bottom selector shows another matrix and stays.
    dialogs.clear();
    w->cboMatrixInput.userPick(1);
    dialogs.answer(MsgResult::Yes);
    w->cmdDelete.userClick();
    EXPECT_EQ(listNames(), Names{"B"});
    EXPECT_EQ(w->cboMatrixInput.items(), Names{"B"});
    EXPECT_EQ(w->cboMatrixInput.Text(), "B");
    EXPECT_EQ(w->cboMatrixInput2.Text(), "B");
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells{{"2"}});

    // The only entry: the delete-all question instead.
    dialogs.clear();
    dialogs.answer(MsgResult::No);
    w->cmdDelete.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kDeleteAll});
    EXPECT_EQ(listNames(), Names{"B"});
}

TEST_F(SelectionTest, DeletingATypedNameThatIsNoEntryDeletesNothing) {
    enterThree();
    w->cboMatrixInput.userEdit("Z");
    dialogs.answer(MsgResult::Yes);
    w->cmdDelete.userClick();
    EXPECT_EQ(boxes(),
              std::vector<BoxSpec>({kDeleteOne,
                                    {"Error No. 380; Invalid property value", MsgButtons::OK,
                                     MsgIcon::Exclamation, "frmVelmor - cmdDelete_Click"}}));
    EXPECT_EQ(listNames(), Names({"A", "B", "C"}));
    EXPECT_EQ(w->cboMatrixInput.items(), listNames());
    EXPECT_EQ(w->cboMatrixInput2.items(), listNames());
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(SelectionTest, DeleteAllEmptiesTheListTheSelectorsAndTheWindow) {
    enterFour();
    w->cboMatrixInput2.userPick(1);
    dialogs.answer(MsgResult::Yes);
    w->cmdDeleteAll.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kDeleteAll});
    EXPECT_TRUE(listNames().empty());
    EXPECT_TRUE(w->cboMatrixInput.items().empty());
    EXPECT_TRUE(w->cboMatrixInput2.items().empty());
    EXPECT_EQ(w->cboMatrixInput.Text(), "");
    EXPECT_EQ(w->cboMatrixInput2.Text(), "");
    for (const Grid* g : {&w->MSFlexGrid1, &w->MSFlexGrid2}) {
        EXPECT_EQ(g->Rows(), 2);
        EXPECT_EQ(g->Cols(), 2);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c) EXPECT_EQ(g->TextMatrix(r, c), "");
    }
    for (const TextBox* box : {&w->txtNo_Rows, &w->txtNo_Columns, &w->txtDescription,
                               &w->txtNo_Rows2, &w->txtNo_Columns2, &w->txtDescription2})
        EXPECT_EQ(box->Text(), "") << box->name();
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    EXPECT_EQ(focus(), &w->cmdInput);
    EXPECT_TRUE(w->g.gfMatricesSaved);
    EXPECT_EQ(w->form.MousePointer(), 0);

    // A new entry after it starts from scratch.
    enterMatrix("N", 1, 1, {"4"});
    EXPECT_EQ(listNames(), Names{"N"});
    EXPECT_EQ(w->cboMatrixInput2.Text(), "N");
}

// Saving under a name that is taken, without regard to letter case.
TEST_F(SelectionTest, SavingUnderATakenNameReplacesRenamesOrSkips) {
    const BoxSpec exists{"The matrix \"b\" already exists. Press OK to replace it, or Cancel to "
                         "rename the new matrix or abandon changes.",
                         MsgButtons::OKCancel, MsgIcon::None, "Matrix Exists"};
    const BoxSpec rename{"Rename the new matrix or press Cancel to skip the matrix.",
                         MsgButtons::OKCancel, MsgIcon::None, "Matrix Name"};
    const BoxSpec skipped{"Matrix \"b\" has been skipped.", MsgButtons::OK, MsgIcon::None,
                          "Velmor"};
    struct Case {
        const char* what;
        MsgResult answer;
        const char* newName; // typed into the rename box; nullptr: not asked
        std::vector<BoxSpec> boxes;
        Names list;
        std::string top, bottom, topCell;
    };
    const Case cases[] = {
        {"replace", MsgResult::OK, nullptr, {exists}, {"A", "C", "b"}, "b", "b", "9"},
        {"rename", MsgResult::Cancel, "D", {exists, rename}, {"A", "B", "C", "D"}, "D", "A", "9"},
        {"skip", MsgResult::Cancel, "", {exists, rename, skipped}, {"A", "B", "C"}, "C", "C", "3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        w.reset();
        w = std::make_unique<FrmVelmor>(dialogs, platform, format);
        w->Form_Load();
        enterThree();
        dialogs.answer(c.answer);
        if (c.newName) dialogs.input(c.newName);
        enterMatrix("b", 1, 1, {"9"});
        EXPECT_EQ(boxes(), c.boxes);
        EXPECT_EQ(listNames(), c.list);
        EXPECT_EQ(w->cboMatrixInput.items(), c.list);
        EXPECT_EQ(w->cboMatrixInput2.items(), c.list);
        EXPECT_EQ(w->cboMatrixInput.Text(), c.top);
        EXPECT_EQ(w->cboMatrixInput.ListIndex(), static_cast<int>(c.list.size()) - 1);
        EXPECT_EQ(w->cboMatrixInput2.Text(), c.bottom);
        EXPECT_EQ(cells(w->MSFlexGrid1), Cells{{c.topCell}});
        EXPECT_EQ(focus(), &w->cmdInput);
        EXPECT_FALSE(w->cmdSave.Enabled());
        EXPECT_TRUE(w->cmdDelete.Enabled());
    }
}

} // namespace
} // namespace velmor::test
