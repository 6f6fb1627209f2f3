#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

using CellEditorTest = MainWindowScenario;

const BoxSpec kNumbersOnly{"Numbers only!", MsgButtons::OK, MsgIcon::None, "Velmor"};

TEST_F(CellEditorTest, TypedNumberCharacterReplacesTheCell) {
    startEntry("M", "2", "3");
    Grid& g = w->MSFlexGrid1;
    g.setTextMatrix(1, 1, "12");
    g.userChar('7');
    EXPECT_TRUE(w->Text1.Visible());
    EXPECT_EQ(focus(), &w->Text1);
    EXPECT_EQ(w->Text1.Text(), "7");
    EXPECT_EQ(w->Text1.SelStart(), 1);
    EXPECT_EQ(g.TextMatrix(1, 1), "7");
    EXPECT_EQ(w->Text1.FontName(), g.FontName());
    EXPECT_EQ(w->Text1.FontSize(), g.FontSize());

    // The same character over the next cell: the editor already holds "7", yet the cell
    // must show it at once and keep it.
    w->Text1.userPress(key::Return);
    g.setTextMatrix(1, 2, "12");
    g.userChar('7');
    EXPECT_EQ(g.TextMatrix(1, 2), "7");
    w->Text1.userPress(key::Return);
    EXPECT_EQ(g.TextMatrix(1, 2), "7");

    for (int code : {int{'-'}, int{'.'}}) {
        g.userChar(code);
        EXPECT_EQ(w->Text1.Text(), std::string(1, static_cast<char>(code)));
        EXPECT_EQ(g.TextMatrix(1, 3), w->Text1.Text());
        w->form.userFocus(&g);
    }
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

TEST_F(CellEditorTest, ControlKeysOpenTheCellAsItIs) {
    startEntry("M", "1", "1");
    Grid& g = w->MSFlexGrid1;
    g.setTextMatrix(1, 1, "12");
    for (int code : {key::Return, key::Back, key::Space}) {
        SCOPED_TRACE(code);
        w->form.userFocus(&g);
        g.userChar(code);
        EXPECT_TRUE(w->Text1.Visible());
        EXPECT_EQ(w->Text1.Text(), "12");
        EXPECT_EQ(w->Text1.SelStart(), 2) << "caret at the end";
        EXPECT_EQ(g.TextMatrix(1, 1), "12");
    }
}

TEST_F(CellEditorTest, OtherCharactersOnTheGridAreRefused) {
    startEntry("M", "1", "1");
    Grid& g = w->MSFlexGrid1;
    g.setTextMatrix(1, 1, "12");
    for (int code : {int{'a'}, int{'E'}, int{'+'}, int{','}, int{'!'}, 0xE9}) {
        SCOPED_TRACE(code);
        dialogs.clear();
        g.userChar(code);
        EXPECT_EQ(boxes(), std::vector<BoxSpec>{kNumbersOnly});
        EXPECT_EQ(g.TextMatrix(1, 1), "12");
        EXPECT_FALSE(w->Text1.Visible());
        EXPECT_EQ(focus(), &g);
    }
}

TEST_F(CellEditorTest, OpenEditorTakesAnyTextWithoutComplaint) {
    startEntry("M", "1", "2");
    keyCells({"1e5", "-abc"});
    EXPECT_EQ(cells(w->MSFlexGrid1), Cells({{"1e5", "-abc"}}));
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

// Enter, Down and Up from a cell opened by a click: where the current cell goes, or Save.
TEST_F(CellEditorTest, KeysMoveFromCellToCellAndEndOnSave) {
    struct Move {
        int rows, cols, key, fromRow, fromCol, toRow, toCol;
        bool toSave;
    };
    const Move moves[] = {
        {3, 3, key::Return, 1, 1, 1, 2, false}, {3, 3, key::Return, 1, 3, 2, 1, false},
        {3, 3, key::Return, 3, 3, 3, 3, true},  {3, 3, key::Down, 1, 1, 2, 1, false},
        {3, 3, key::Down, 3, 1, 1, 2, false},   {3, 3, key::Down, 3, 3, 3, 3, true},
        {3, 3, key::Up, 2, 2, 1, 2, false},     {3, 3, key::Up, 1, 1, 3, 2, false},
        {3, 3, key::Up, 1, 3, 3, 3, true},      {3, 3, key::Up, 3, 3, 2, 3, false},
        {1, 1, key::Return, 1, 1, 1, 1, true},  {1, 1, key::Down, 1, 1, 1, 1, true},
        {1, 1, key::Up, 1, 1, 1, 1, true},
    };
    for (const auto& m : moves) {
        SCOPED_TRACE(std::to_string(m.rows) + "x" + std::to_string(m.cols) + " key " +
                     std::to_string(m.key) + " from (" + std::to_string(m.fromRow) + ", " +
                     std::to_string(m.fromCol) + ")");
        w.reset();
        w = std::make_unique<FrmVelmor>(dialogs, platform, format);
        w->Form_Load();
        startEntry("M", std::to_string(m.rows), std::to_string(m.cols));
        Grid& g = w->MSFlexGrid1;
        g.userClick(m.fromRow, m.fromCol);
        ASSERT_EQ(focus(), &w->Text1);
        w->Text1.userType("5");
        w->Text1.userPress(m.key);
        EXPECT_EQ(g.TextMatrix(m.fromRow, m.fromCol), "5");
        EXPECT_FALSE(w->Text1.Visible());
        EXPECT_EQ(g.Row(), m.toRow);
        EXPECT_EQ(g.Col(), m.toCol);
        EXPECT_EQ(focus(), m.toSave ? static_cast<Control*>(&w->cmdSave) : &g);
        EXPECT_EQ(w->Text1.Text(), "5") << "Enter inserts nothing";
    }
    EXPECT_EQ(boxes(), std::vector<BoxSpec>{});
}

TEST_F(CellEditorTest, ClickPlacesTheEditorExactlyOverTheCell) {
    w->Slider1.setValue(10);
    startEntry("M", "3", "3");
    Grid& g = w->MSFlexGrid1;
    g.userClick(2, 3);
    EXPECT_TRUE(w->Text1.Visible());
    EXPECT_EQ(w->Text1.Left(), g.Left() + g.CellLeft());
    EXPECT_EQ(w->Text1.Top(), g.Top() + g.CellTop());
    EXPECT_EQ(w->Text1.Width(), g.CellWidth());
    EXPECT_EQ(w->Text1.Height(), g.CellHeight());
    EXPECT_EQ(g.CellWidth(), 1920) << "the column width follows the slider";
    EXPECT_GT(g.CellLeft(), g.ColWidth(0));
}

TEST_F(CellEditorTest, ClickWithoutANameDisablesEveryButtonUntilTheEditorIsLeft) {
    w->cmdInput.userClick();
    ASSERT_EQ(focus(), &w->cboMatrixInput);
    w->MSFlexGrid1.userClick(1, 1);
    EXPECT_EQ(focus(), &w->Text1);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdExit"}));

    w->Text1.userType("3");
    w->Text1.userPress(key::Down);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdClear", "cmdSave", "cmdExit"}));
    EXPECT_EQ(focus(), &w->cmdSave);
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(1, 1), "3");
}

TEST_F(CellEditorTest, ClickWithANameOffersSaveClearDeleteAndCancel) {
    startEntry("M", "2", "2");
    w->form.userFocus(&w->txtDescription);
    w->MSFlexGrid1.userDblClick(2, 1);
    EXPECT_EQ(focus(), &w->Text1);
    EXPECT_EQ(w->MSFlexGrid1.Row(), 2);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdSave", "cmdClear", "cmdDelete", "cmdDeleteAll",
                                         "cmdCancel", "cmdExit"}));
}

TEST_F(CellEditorTest, LeavingTheEditorForAnotherControlKeepsTheTypedText) {
    startEntry("M", "2", "2");
    Grid& g = w->MSFlexGrid1;
    g.setTextMatrix(2, 2, "8");
    g.userClick(2, 2);
    EXPECT_EQ(w->Text1.Text(), "8");
    w->Text1.userPress(key::Back);
    w->Text1.userType("42");
    w->form.userFocus(&w->txtDescription);
    EXPECT_FALSE(w->Text1.Visible());
    EXPECT_EQ(g.TextMatrix(2, 2), "42");

    // Another cell clicked while the editor is open: the first cell keeps its text.
    g.userClick(1, 1);
    w->Text1.userType("6");
    g.userClick(2, 1);
    EXPECT_EQ(g.TextMatrix(1, 1), "6");
    EXPECT_EQ(w->Text1.Text(), "");
    EXPECT_EQ(focus(), &w->Text1);
}

} // namespace
} // namespace velmor::test
