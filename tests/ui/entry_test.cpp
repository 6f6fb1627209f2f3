#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

using EntryTest = MainWindowScenario;

const ExpectedBox kCancelQuestion{"Are you sure that you want to cancel input or changes?",
                                  MsgButtons::YesNo, MsgIcon::None, "Cancel Input/Changes?"};
const ExpectedBox kClearQuestion{"Are you sure that you want to clear the grid?", MsgButtons::YesNo,
                                 MsgIcon::None, "Clear Grid?"};

TEST_F(EntryTest, KeyedMatrixIsStoredAndShownInBothGrids) {
    startEntry("A", "2", "3", {"1", "-2.5", "3", "4", ".5", "60"}, "two by three");
    const Grid& g = w.MSFlexGrid1;
    EXPECT_EQ(cells(g, 0),
              Cells({{"", "1", "2", "3"}, {"1", "1", "-2.5", "3"}, {"2", "4", ".5", "60"}}));
    EXPECT_EQ(g.alignmentAt(2, 0), 4);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdClear", "cmdSave", "cmdExit"}));

    w.cmdSave.userClick();
    EXPECT_EQ(boxes(), Boxes{});
    ASSERT_EQ(listNames(), Names{"A"});
    EXPECT_EQ(w.Matrices.Item(1)->Description, "two by three");
    EXPECT_EQ(cells(w.MSFlexGrid2), Cells({{"1", "-2.5", "3"}, {"4", ".5", "60"}})) << "as stored";
    EXPECT_EQ(w.cboMatrixInput.items(), Names{"A"});
    EXPECT_EQ(w.cboMatrixInput.ListIndex(), 0);
    EXPECT_EQ(w.cboMatrixInput2.Text(), "A") << "an empty bottom selector takes the new name";
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdTranspose", "cmdScale", "cmdAdd",
                                         "cmdSubtract", "cmdDelete", "cmdDeleteAll", "cmdExit"}));
    EXPECT_TRUE(w.mnuFileSave.Enabled() && w.mfMatrixSaved && !w.g.gfMatricesSaved);
    EXPECT_EQ(focus(), &w.cmdInput);
    EXPECT_EQ(w.form.MousePointer(), 0);
}

TEST_F(EntryTest, CountBoxesTakeDigitsOnlyAndResizeTheGridWhenLeft) {
    w.cmdInput.userClick();
    enter(w.cboMatrixInput, "M");
    enter(w.txtNo_Rows, "a-+.,3 x");
    EXPECT_EQ(w.txtNo_Rows.Text(), "3");
    EXPECT_EQ(cells(w.MSFlexGrid1, 0), Cells({{"", "1"}, {"1", ""}, {"2", ""}, {"3", ""}}));
    EXPECT_EQ(std::pair(w.MSFlexGrid1.Row(), w.MSFlexGrid1.Col()), std::pair(0, 1));
    enter(w.txtNo_Columns, "");
    EXPECT_EQ(w.txtNo_Columns.Text(), "1") << "left empty";

    // Rows lowered from 3 to 1 drop their text; raised again they come back empty.
    w.MSFlexGrid1.setTextMatrix(1, 1, "1");
    w.MSFlexGrid1.setTextMatrix(2, 1, "2");
    for (const char* rows : {"1", "3"}) {
        w.form.userFocus(&w.txtNo_Rows);
        w.txtNo_Rows.userEdit(rows);
        w.form.userFocus(&w.txtNo_Columns);
    }
    EXPECT_EQ(cells(w.MSFlexGrid1, 0), Cells({{"", "1"}, {"1", "1"}, {"2", ""}, {"3", ""}}));
    EXPECT_EQ(boxes(), Boxes{});
}

TEST_F(EntryTest, TheDescriptionFillsEmptyCountsWithoutResizingAndIsNeverDisabled) {
    w.cmdInput.userClick();
    w.form.userFocus(&w.txtDescription);
    EXPECT_EQ(w.txtNo_Rows.Text() + w.txtNo_Columns.Text(), "11");
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 0), "") << "no heading written: grid not resized";

    // Enter in the column box must not strand the user before a disabled description.
    w.form.userFocus(&w.txtNo_Columns);
    w.txtDescription.setEnabled(false);
    w.txtNo_Columns.userEdit("2");
    w.txtNo_Columns.userPress(key::Return);
    EXPECT_EQ(focus(), &w.txtDescription);
}

// The handler's error box; the box emptied and focused again; the grid unchanged. The
// column counts come after 1000 rows, so that 4001 columns are more than the grid takes.
TEST_F(EntryTest, BadCountsAreRefused) {
    const std::string overflow = "A matrix may have at most 32,766 rows.",
                      mismatch = "Error No. - 13; A text that is not a number was used as one",
                      invalid = "Error No. - 380; The value is not allowed here";
    const struct {
        bool columns, pasted; // pasted: put in by an edit, not typed
        std::string text, prompt;
    } cases[] = {
        {false, false, "40000", overflow},
        {false, false, "32767", overflow},
        {false, true, "99999999999999999999999", overflow},
        {false, false, "0", invalid},
        {false, true, "2x", mismatch},
        {true, false, "00", invalid},
        {true, true, "-3", mismatch},
        {true, false, "4001",
         "The grid would have 1000 x 4001 elements; a matrix may hold at most 4,000,000."}};
    w.cmdInput.userClick();
    enter(w.cboMatrixInput, "M");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.columns && w.MSFlexGrid1.Rows() != 1001) enter(w.txtNo_Rows, "1000");
        TextBox& box = c.columns ? w.txtNo_Columns : w.txtNo_Rows;
        const Cells before = cells(w.MSFlexGrid1, 0);
        dialogs.clear();
        c.pasted ? box.userEdit(c.text) : box.userType(c.text);
        box.userPress(key::Return);
        EXPECT_EQ(boxes(), Boxes({{c.prompt, MsgButtons::OK, MsgIcon::Critical,
                                   "frmVelmor - " + box.name() + "_LostFocus"}}));
        EXPECT_EQ(box.Text(), "");
        EXPECT_EQ(focus(), &box);
        EXPECT_EQ(cells(w.MSFlexGrid1, 0), before);
        EXPECT_EQ(w.form.MousePointer(), 0);
    }
    enter(w.txtNo_Columns, "3");
    EXPECT_EQ(w.MSFlexGrid1.Cols(), 4) << "the entry goes on after a refusal";
}

TEST_F(EntryTest, ClearEmptiesTheCellsAndRebuildsHeadingsAndWidths) {
    startEntry("M", "2", "2", {"1", "2", "3", "4"});
    w.Slider1.setValue(5);
    dialogs.answer(MsgResult::Yes);
    w.cmdClear.userClick();
    const Grid& g = w.MSFlexGrid1;
    EXPECT_EQ(cells(g, 0), Cells({{"", "1", "2"}, {"1", "", ""}, {"2", "", ""}}));
    EXPECT_EQ(std::pair(g.ColWidth(1), g.ColWidth(2)), std::pair(1440, 1440));
    EXPECT_EQ(focus(), &g);
    EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(1, 1));
    EXPECT_EQ(w.form.MousePointer(), 0);

    // A count changed without passing through its box is reported after the grid is cleared.
    w.MSFlexGrid1.setTextMatrix(1, 1, "1");
    w.txtNo_Rows.userEdit("x");
    dialogs.answer(MsgResult::Yes);
    w.cmdClear.userClick();
    const ExpectedBox mismatch{"Error No. - 13; A text that is not a number was used as one",
                               MsgButtons::OK, MsgIcon::Critical, "frmVelmor - cmdClear_Click"};
    EXPECT_EQ(boxes(), Boxes({kClearQuestion, kClearQuestion, mismatch}));
    EXPECT_EQ(cells(g), Cells({{"", ""}, {"", ""}}));
    EXPECT_EQ(w.form.MousePointer(), 0);
}

// Cancel, once confirmed, drops a new entry or puts a stored matrix back as it was stored.
TEST_F(EntryTest, CancelDropsANewEntryOrShowsTheStoredVersion) {
    startEntry("N", "1", "2", {"7"});
    dialogs.answer(MsgResult::Yes);
    w.cmdCancel.userClick();
    EXPECT_EQ(boxes(), Boxes{kCancelQuestion});
    EXPECT_EQ(cells(w.MSFlexGrid1, 0), Cells({{"", ""}, {"", ""}}));
    for (const TextBox* box : {&w.txtNo_Rows, &w.txtNo_Columns, &w.txtDescription})
        EXPECT_EQ(box->Text(), "") << box->name();
    EXPECT_EQ(w.cboMatrixInput.Text(), "");
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    EXPECT_EQ(focus(), &w.cmdInput);
    EXPECT_TRUE(w.mfMatrixSaved);
    EXPECT_TRUE(listNames().empty());

    startEntry("A", "2", "2", {"1", "2", "3", "4"});
    w.cmdSave.userClick();
    w.MSFlexGrid1.userClick(1, 2);
    enter(w.Text1, "9");
    dialogs.clear();
    dialogs.answer(MsgResult::No).answer(MsgResult::Yes);
    w.cmdCancel.userClick();
    EXPECT_EQ(focus(), &w.cmdSave) << "No with Save enabled";
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 2), "29");

    w.cmdCancel.userClick();
    EXPECT_EQ(boxes(), Boxes(2, kCancelQuestion));
    EXPECT_EQ(cells(w.MSFlexGrid1), Cells({{"1", "2"}, {"3", "4"}}));
    EXPECT_TRUE(w.cmdInvert.Enabled() && w.cmdMultiply.Enabled()) << "operations offered again";
    EXPECT_EQ(focus(), &w.cmdInput);
    EXPECT_EQ(w.form.MousePointer(), 0);
}

// A blank name used to fail in the list with an error number.
TEST_F(EntryTest, SaveWithABlankNameAsksForOneAndKeepsTheGrid) {
    startEntry("", "1", "2", {"7", "8"});
    for (const char* name : {"", " \t "}) {
        w.cboMatrixInput.userEdit(name);
        w.cmdSave.userClick();
        EXPECT_EQ(focus(), &w.cboMatrixInput);
    }
    const ExpectedBox ask{"Enter a name for the matrix.", MsgButtons::OK, MsgIcon::Exclamation,
                          "Velmor"};
    EXPECT_EQ(boxes(), Boxes(2, ask));
    EXPECT_EQ(cells(w.MSFlexGrid1), Cells({{"7", "8"}}));
    EXPECT_TRUE(w.cmdSave.Enabled() && w.mfEntering);
    w.cboMatrixInput.userEdit("N");
    w.cmdSave.userClick();
    EXPECT_EQ(listNames(), Names{"N"});
}

TEST_F(EntryTest, InputWithAnUnsavedNamedMatrixAsksFirst) {
    auto unsaved = [](const std::string& name) {
        return ExpectedBox{"Matrix \"" + name +
                               "\" hasn't been saved after input or possible "
                               "changes, press OK to Save the matrix. Otherwise press Cancel.",
                           MsgButtons::OKCancel, MsgIcon::None, "frmVelmor"};
    };
    startEntry("A", "1", "1", {"5"});
    w.cmdSave.userClick();
    // OK saves the typed name and leaves the window out of entry.
    w.cboMatrixInput.userEdit("B");
    dialogs.answer(MsgResult::OK);
    w.cmdInput.userClick();
    EXPECT_EQ(listNames(), Names({"A", "B"}));
    EXPECT_FALSE(w.cmdDelete.Enabled() || w.cmdCancel.Enabled());
    EXPECT_EQ(focus(), &w.cmdInput);

    // Cancel drops it and starts the entry.
    w.cboMatrixInput.userEdit("C");
    dialogs.answer(MsgResult::Cancel);
    w.cmdInput.userClick();
    EXPECT_EQ(listNames(), Names({"A", "B"}));
    EXPECT_EQ(w.cboMatrixInput.Text(), "");
    EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdExit"}));

    // Cancel answered No while Save is disabled; then, with the name emptied, Input asks
    // nothing although the flag says unsaved.
    dialogs.answer(MsgResult::No);
    w.cmdCancel.userClick();
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    ASSERT_FALSE(w.mfMatrixSaved);
    w.cmdInput.userClick();
    EXPECT_EQ(boxes(), Boxes({unsaved("B"), unsaved("C"), kCancelQuestion}));
    EXPECT_EQ(focus(), &w.cboMatrixInput);
}

} // namespace
} // namespace velmor::test
