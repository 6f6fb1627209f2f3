#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

using EntryTest = MainWindowScenario;

const BoxSpec kCancelQuestion{"Are you sure that you want to cancel input or changes?",
                              MsgButtons::YesNo, MsgIcon::None, "Cancel Input/Changes?"};
const BoxSpec kClearQuestion{"Are you sure that you want to clear the grid?", MsgButtons::YesNo,
                             MsgIcon::None, "Clear Grid?"};

BoxSpec unsavedOnInput(const std::string& name) {
    return {"Matrix \"" + name +
                "\" hasn't been saved after input or possible changes, press OK to Save the "
                "matrix. Otherwise press Cancel.",
            MsgButtons::OKCancel, MsgIcon::None, "frmVelmor"};
}

TEST_F(EntryTest, KeysOnlyEntryStoresTheMatrixAndShowsItInBothGrids) {
    startEntry("A", "2", "3", "two by three");
    const Grid& g1 = w->MSFlexGrid1;
    EXPECT_EQ(focus(), &w->MSFlexGrid1);
    EXPECT_EQ(g1.Row(), 1);
    EXPECT_EQ(g1.Col(), 1);
    EXPECT_EQ(rowHeadings(g1), Names({"1", "2"}));
    EXPECT_EQ(columnHeadings(g1), Names({"1", "2", "3"}));
    EXPECT_EQ(g1.alignmentAt(2, 0), 4);
    EXPECT_EQ(g1.alignmentAt(0, 3), 4);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdClear", "cmdSave", "cmdExit"}));

    keyCells({"1", "-2.5", "3", "4", ".5", "60"});
    EXPECT_EQ(cells(g1), Cells({{"1", "-2.5", "3"}, {"4", ".5", "60"}}));
    EXPECT_EQ(focus(), &w->cmdSave) << "Enter in the bottom-right cell goes to Save";
    EXPECT_FALSE(w->Text1.Visible());

    w->cmdSave.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
    ASSERT_EQ(listNames(), Names{"A"});
    const CMatrix& a = *w->Matrices.Item(1);
    EXPECT_EQ(a.Description, "two by three");
    EXPECT_EQ(rowCount(a.matrixRef()), 2);
    EXPECT_EQ(columnCount(a.matrixRef()), 3);
    EXPECT_EQ(a.matrixRef().array().at(1, 2).text(), "-2.5");
    EXPECT_EQ(a.matrixRef().array().at(2, 3).text(), "60");

    EXPECT_EQ(w->cboMatrixInput.items(), Names{"A"});
    EXPECT_EQ(w->cboMatrixInput.ListIndex(), 0);
    EXPECT_EQ(w->cboMatrixInput2.items(), Names{"A"});
    EXPECT_EQ(w->cboMatrixInput2.Text(), "A") << "an empty bottom selector takes the new name";
    EXPECT_TRUE(w->cboMatrixInput2.Visible());
    EXPECT_TRUE(w->MSFlexGrid2.Visible());
    EXPECT_EQ(cells(w->MSFlexGrid2), cells(g1));
    EXPECT_EQ(w->txtNo_Rows2.Text(), "2");
    EXPECT_EQ(w->txtNo_Columns2.Text(), "3");

    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdTranspose", "cmdScale", "cmdAdd",
                                         "cmdSubtract", "cmdDelete", "cmdDeleteAll", "cmdExit"}));
    EXPECT_TRUE(w->mnuFileSave.Enabled());
    EXPECT_FALSE(w->g.gfMatricesSaved);
    EXPECT_TRUE(w->mfMatrixSaved);
    EXPECT_EQ(focus(), &w->cmdInput);
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(EntryTest, CountBoxesTakeDigitsOnlyAndResizeTheGridWhenLeft) {
    w->cmdInput.userClick();
    w->cboMatrixInput.userType("M");
    w->cboMatrixInput.userPress(key::Return);
    ASSERT_EQ(focus(), &w->txtNo_Rows);

    w->txtNo_Rows.userType("a-+.,3 x");
    EXPECT_EQ(w->txtNo_Rows.Text(), "3");
    w->txtNo_Rows.userPress(key::Return);
    EXPECT_EQ(focus(), &w->txtNo_Columns);
    const Grid& g = w->MSFlexGrid1;
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(rowHeadings(g), Names({"1", "2", "3"}));
    EXPECT_EQ(g.TextMatrix(0, 1), "1") << "column 1 is headed whatever the column count";
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 1);

    // Left empty: the box shows 1 and the grid gets one column.
    w->txtNo_Columns.userPress(key::Return);
    EXPECT_EQ(w->txtNo_Columns.Text(), "1");
    EXPECT_EQ(g.Cols(), 2);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

TEST_F(EntryTest, EnterInTheColumnBoxNeverStrandsTheUserBeforeADisabledDescription) {
    w->cmdInput.userClick();
    w->txtDescription.setEnabled(false);
    w->form.userFocus(&w->txtNo_Columns);
    w->txtNo_Columns.userType("2");
    w->txtNo_Columns.userPress(key::Return);
    EXPECT_EQ(focus(), &w->txtDescription);
    EXPECT_TRUE(w->txtDescription.Enabled());
    EXPECT_EQ(w->MSFlexGrid1.Cols(), 3);
}

TEST_F(EntryTest, LoweringTheRowCountDropsRowsAndRaisingItBringsBackEmptyOnes) {
    startEntry("M", "4", "1");
    keyCells({"1", "2", "3", "4"});
    w->form.userFocus(&w->txtNo_Rows);
    w->txtNo_Rows.userPress(key::Back);
    w->txtNo_Rows.userType("2");
    w->form.userFocus(&w->txtNo_Columns);
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1"}, {"2"}}));

    w->form.userFocus(&w->txtNo_Rows);
    w->txtNo_Rows.userEdit("4");
    w->form.userFocus(&w->txtNo_Columns);
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1"}, {"2"}, {""}, {""}}));
    EXPECT_EQ(rowHeadings(w->MSFlexGrid1), Names({"1", "2", "3", "4"}));
}

TEST_F(EntryTest, TabbingThroughTheDescriptionFillsEmptyCountsWithoutResizing) {
    w->cmdInput.userClick();
    w->form.userFocus(&w->txtDescription);
    EXPECT_EQ(w->txtNo_Rows.Text(), "1");
    EXPECT_EQ(w->txtNo_Columns.Text(), "1");
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(1, 0), "") << "no heading written: grid not resized";
}

// A count the grid cannot take is refused before the grid changes: the handler's error box,
// the box emptied and focused again.
TEST_F(EntryTest, BadCountsAreRefusedAndTheBoxGetsTheFocusBack) {
    struct Case {
        const char* what;
        bool columns; // the column box, after 1000 rows
        bool pasted;  // put in by an edit instead of typed keys
        std::string text;
        std::string prompt;
    };
    const Case cases[] = {
        {"above 16 bits", false, false, "40000", "Error No. - 6; Overflow"},
        {"above 16 bits", true, false, "40000", "Error No. - 6; Overflow"},
        {"long paste", false, true, "99999999999999999999999", "Error No. - 6; Overflow"},
        {"zero", false, false, "0", "Error No. - 380; Invalid property value"},
        {"zero", true, false, "00", "Error No. - 380; Invalid property value"},
        {"pasted letters", false, true, "2x", "Error No. - 13; Type mismatch"},
        {"pasted sign", true, true, "-3", "Error No. - 13; Type mismatch"},
        {"pasted decimal", false, true, "2.5", "Error No. - 13; Type mismatch"},
        {"grid cell limit", true, false, "4001", "Error No. - 7; Out of memory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ": " + c.text);
        w.reset();
        w = std::make_unique<FrmVelmor>(dialogs, platform, format);
        w->Form_Load();
        w->cmdInput.userClick();
        w->cboMatrixInput.userType("M");
        w->cboMatrixInput.userPress(key::Return);
        TextBox& box = c.columns ? w->txtNo_Columns : w->txtNo_Rows;
        if (c.columns) {
            w->txtNo_Rows.userType("1000");
            w->txtNo_Rows.userPress(key::Return);
        }
        dialogs.clear();
        const int rows = w->MSFlexGrid1.Rows(), cols = w->MSFlexGrid1.Cols();
        if (c.pasted)
            box.userEdit(c.text);
        else
            box.userType(c.text);
        box.userPress(key::Return);

        EXPECT_EQ(boxes(),
                  std::vector<BoxSpec>({{c.prompt, MsgButtons::OK, MsgIcon::Critical,
                                         c.columns ? "frmVelmor - txtNo_Columns_LostFocus"
                                                   : "frmVelmor - txtNo_Rows_LostFocus"}}));
        EXPECT_EQ(box.Text(), "");
        EXPECT_EQ(focus(), &box);
        EXPECT_EQ(w->MSFlexGrid1.Rows(), rows);
        EXPECT_EQ(w->MSFlexGrid1.Cols(), cols);
        EXPECT_EQ(w->form.MousePointer(), 0);
    }

    // The entry goes on normally after a refusal.
    dialogs.clear();
    w->txtNo_Columns.userEdit("3");
    w->txtNo_Columns.userPress(key::Return);
    EXPECT_EQ(w->MSFlexGrid1.Cols(), 4);
    EXPECT_EQ(focus(), &w->txtDescription);
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

TEST_F(EntryTest, ClearEmptiesTheCellsAndRebuildsHeadingsAndWidths) {
    startEntry("M", "2", "2");
    keyCells({"1", "2", "3", "4"});
    w->Slider1.setValue(5);
    dialogs.answer(MsgResult::No);
    w->cmdClear.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kClearQuestion});
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1", "2"}, {"3", "4"}}));

    dialogs.clear();
    dialogs.answer(MsgResult::Yes);
    w->cmdClear.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kClearQuestion});
    const Grid& g = w->MSFlexGrid1;
    EXPECT_EQ(cells(g), Cells({{"", ""}, {"", ""}}));
    EXPECT_EQ(rowHeadings(g), Names({"1", "2"}));
    EXPECT_EQ(columnHeadings(g), Names({"1", "2"}));
    EXPECT_EQ(g.ColWidth(1), 1440);
    EXPECT_EQ(g.ColWidth(2), 1440);
    EXPECT_EQ(focus(), &w->MSFlexGrid1);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(w->Text1.Text(), "");
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(EntryTest, ClearWithANonNumericCountReportsAfterClearing) {
    startEntry("M", "2", "2");
    keyCells({"1", "2"});
    w->txtNo_Rows.userEdit("x"); // changed without passing through the box
    dialogs.answer(MsgResult::Yes);
    w->cmdClear.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>({kClearQuestion,
                                             {"Error No. - 13; Type mismatch", MsgButtons::OK,
                                              MsgIcon::Critical, "frmVelmor - cmdClear_Click"}}));
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"", ""}, {"", ""}}));
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(EntryTest, CancelOfANewEntry) {
    // Answered No right after Input, while Save is still disabled.
    w->cmdInput.userClick();
    dialogs.answer(MsgResult::No);
    w->cmdCancel.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kCancelQuestion});
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    EXPECT_EQ(focus(), &w->cmdInput);

    // Answered No with Save enabled: back to Save, the grid untouched.
    startEntry("N", "1", "2");
    keyCells({"7"});
    dialogs.clear();
    dialogs.answer(MsgResult::No);
    w->cmdCancel.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kCancelQuestion});
    EXPECT_EQ(focus(), &w->cmdSave);
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"7", ""}}));

    // Answered Yes: the entry is dropped and only Input is offered.
    dialogs.clear();
    dialogs.answer(MsgResult::Yes);
    w->cmdCancel.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kCancelQuestion});
    EXPECT_EQ(w->MSFlexGrid1.Rows(), 2);
    EXPECT_EQ(w->MSFlexGrid1.Cols(), 2);
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(1, 1), "");
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(0, 1), "");
    for (const std::string& text : {w->cboMatrixInput.Text(), w->txtNo_Rows.Text(),
                                    w->txtNo_Columns.Text(), w->txtDescription.Text()})
        EXPECT_EQ(text, "");
    EXPECT_EQ(enabledButtons(), Buttons({"cmdInput", "cmdExit"}));
    EXPECT_EQ(focus(), &w->cmdInput);
    EXPECT_TRUE(w->mfMatrixSaved);
    EXPECT_TRUE(listNames().empty());
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(EntryTest, CancelOfChangesToAStoredMatrixShowsTheStoredVersion) {
    enterMatrix("A", 2, 2, {"1", "2", "3", "4"});
    auto editCell12 = [&] {
        w->MSFlexGrid1.userClick(1, 2);
        w->Text1.userEdit("9");
        w->Text1.userPress(key::Return);
    };
    editCell12();
    EXPECT_EQ(enabledButtons(), Buttons({"cmdSave", "cmdClear", "cmdDelete", "cmdDeleteAll",
                                         "cmdCancel", "cmdExit"}));

    dialogs.answer(MsgResult::No);
    w->cmdCancel.userClick();
    EXPECT_EQ(focus(), &w->cmdSave);
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(1, 2), "9");

    dialogs.clear();
    dialogs.answer(MsgResult::Yes);
    w->cmdCancel.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kCancelQuestion});
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1", "2"}, {"3", "4"}}));
    EXPECT_EQ(w->Matrices.Item(1)->matrixRef().array().at(1, 2).text(), "2");
    // 2 x 2 over 2 x 2: every operation applies.
    EXPECT_EQ(enabledButtons(),
              Buttons({"cmdInput", "cmdTranspose", "cmdInvert", "cmdScale", "cmdMultiply", "cmdAdd",
                       "cmdSubtract", "cmdExit", "cmdProperties", "cmdAdjoint", "cmdDelete",
                       "cmdDeleteAll"}));
    EXPECT_EQ(focus(), &w->cmdInput);
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(EntryTest, InputWithAnUnsavedNamedMatrixAsksFirst) {
    enterMatrix("A", 1, 1, {"5"});

    // A new name typed over a stored matrix; OK saves it and leaves the window out of entry.
    w->cboMatrixInput.userEdit("B");
    dialogs.answer(MsgResult::OK);
    w->cmdInput.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{unsavedOnInput("B")});
    EXPECT_EQ(listNames(), Names({"A", "B"}));
    EXPECT_EQ(w->cboMatrixInput.Text(), "B");
    EXPECT_EQ(w->cboMatrixInput2.Text(), "A") << "a filled bottom selector keeps its matrix";
    EXPECT_FALSE(w->cmdDelete.Enabled());
    EXPECT_FALSE(w->cmdCancel.Enabled());
    EXPECT_EQ(focus(), &w->cmdInput);

    // Cancel drops it and starts the entry.
    w->cboMatrixInput.userEdit("C");
    dialogs.clear();
    dialogs.answer(MsgResult::Cancel);
    w->cmdInput.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{unsavedOnInput("C")});
    EXPECT_EQ(listNames(), Names({"A", "B"}));
    EXPECT_EQ(w->cboMatrixInput.Text(), "");
    EXPECT_EQ(focus(), &w->cboMatrixInput);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdExit"}));
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(1, 1), "");

    // With the name emptied there is nothing to ask about, although the flag says unsaved.
    dialogs.clear();
    dialogs.answer(MsgResult::No);
    w->cmdCancel.userClick();
    ASSERT_FALSE(w->mfMatrixSaved);
    w->cmdInput.userClick();
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{kCancelQuestion});
    EXPECT_EQ(focus(), &w->cboMatrixInput);
}

} // namespace
} // namespace velmor::test
