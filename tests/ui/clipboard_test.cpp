#include <string>

#include "tests/ui/main_window_scenario.h"
#include "tests/ui/operations_fixture.h"

namespace velmor::test {
namespace {

using Clipboard = MainWindowScenario;

TEST_F(Clipboard, CopyTakesTheSelectedBlockOrTheWholeMatrixOfTheFocusedGrid) {
    startEntry("A", "2", "2", {"1", "2", "3", "-4.5"});
    w.cmdSave.userClick();
    w.cmdInput.SetFocus(); // no grid has the focus: the top grid is copied
    w.mnuEditCopy.userClick();
    EXPECT_EQ(platform.clipText, "1\t2\n3\t-4.5\n");
    EXPECT_EQ(platform.clipHtml, "<meta charset=\"utf-8\"><table><tr><td>1</td><td>2</td></tr>"
                                 "<tr><td>3</td><td>-4.5</td></tr></table>");
    w.MSFlexGrid1.userSelect({1, 2, 2, 2});
    w.mnuEditCopyAs.item(CopyFormat::Matlab).userClick();
    EXPECT_EQ(platform.clipText, "[2; -4.5]\n");
    EXPECT_EQ(platform.clipHtml, "");

    w.form.userFocus(&w.MSFlexGrid2); // the bottom grid shows A too, nothing selected
    w.mnuEditSelectAll.userClick();
    EXPECT_EQ(w.MSFlexGrid2.Selection(), (CellRange{1, 1, 2, 2}));
    EXPECT_EQ(w.MSFlexGrid1.Selection(), (CellRange{1, 2, 2, 2}));
    w.mnuEditCopyAs.item(CopyFormat::Python).userClick();
    EXPECT_EQ(platform.clipText, "[[1, 2], [3, -4.5]]\n");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Clipboard, PasteFillsFromTheCurrentCellGrowsTheEntryAndIsSaved) {
    startEntry("A", "2", "2", {"1", "2", "3"}); // the current cell is now (2, 2)
    platform.clipText = "7\t8\t9\r\n4\t5\t6\r\n1\t2\r\n";
    w.mnuEditPaste.userClick();
    EXPECT_EQ(cells(w.MSFlexGrid1, 0), (Cells{{"", "1", "2", "3", "4"},
                                              {"1", "1", "2", "", ""},
                                              {"2", "3", "7", "8", "9"},
                                              {"3", "", "4", "5", "6"},
                                              {"4", "", "1", "2", ""}}));
    EXPECT_EQ(w.txtNo_Rows.Text(), "4");
    EXPECT_EQ(w.txtNo_Columns.Text(), "4");
    EXPECT_EQ(w.MSFlexGrid1.Selection(), (CellRange{2, 2, 4, 4}));
    EXPECT_EQ(w.MSFlexGrid1.ColWidth(4), w.MSFlexGrid1.ColWidth(1));
    EXPECT_TRUE(w.cmdSave.Enabled());
    w.cmdSave.userClick();
    EXPECT_EQ(listNames(), Names{"A"});
    EXPECT_EQ(cells(w.MSFlexGrid1)[3], (Names{"0", "1", "2", "0"}));
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(Clipboard, PasteRefusedWithABoxChangesNothing) {
    const std::string limits = ". A matrix has at most 32,766 rows, 32,766 columns and "
                               "4,000,000 elements. Nothing was pasted.";
    const std::string wideRow = "1" + std::string(kMaxMatrixCount - 1, '\t') + "1";
    struct {
        std::string clip;
        bool atGrid;
        std::string prompt;
    } cases[] = {
        {wideRow + "\t1", true, "The pasted block needs more than a matrix can hold" + limits},
        // Fits as a block, not from the current cell (2, 2).
        {wideRow, true, "The pasted block needs 2 rows and 32,767 columns" + limits},
        {"1\t2", false,
         "Paste puts a block into the top grid. Click the cell where the block should start "
         "(after Input for a new matrix), then paste again."},
    };
    startEntry("A", "2", "2", {"1", "2", "3"});
    const Cells before = cells(w.MSFlexGrid1, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        dialogs.clear();
        w.form.userFocus(c.atGrid ? static_cast<Control*>(&w.MSFlexGrid1) : &w.txtDescription);
        platform.clipText = c.clip;
        w.mnuEditPaste.userClick();
        EXPECT_EQ(boxes(), (Boxes{{c.prompt, MsgButtons::OK, MsgIcon::Exclamation, "Paste"}}));
        EXPECT_EQ(cells(w.MSFlexGrid1, 0), before);
        EXPECT_EQ(w.txtNo_Columns.Text(), "2");
    }
}

using ResultClipboard = OperationsFixture;

TEST_F(ResultClipboard, CopyTakesTheTextsAtTheChosenPrecision) {
    addEntry("P", {{"1.23456", "0", "2"}, {"2.5", "-1.5", "3"}});
    select(0, 0);
    inResultWindow([&](FrmMatrixOutput& out) {
        out.txtPrecision.userEdit("2");
        out.MSFlexGrid1.userSelect({1, 2, 2, 3});
        out.txtPrecision.userEdit("1"); // the block stays selected
        out.mnuCopy.userClick();
        EXPECT_EQ(platform.clipText, "0\t4.0\n-3.0\t6.0\n");
        out.mnuSelectAll.userClick();
        out.mnuCopyAs.item(CopyFormat::Csv).userClick();
        EXPECT_EQ(platform.clipText, "2.5,0,4.0\r\n5.0,-3.0,6.0\r\n");
        out.cmdCancel.userClick();
    });
    press(w.cmdAdd);
}

} // namespace
} // namespace velmor::test
