#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

using CellEditorTest = MainWindowScenario;

// A number character replaces the cell "12"; a control key opens it as it is; others are
// refused. The caret ends after the text.
TEST_F(CellEditorTest, CharacterOnTheGridOpensTheEditorOrIsRefused) {
    const std::pair<int, std::string> cases[] = {
        {'7', "7"},        {'-', "-"},         {'.', "."}, {key::Return, "12"},
        {key::Back, "12"}, {key::Space, "12"}, {'a', ""},  {'E', ""},
        {'+', ""},         {',', ""},          {'!', ""},  {0xE9, ""}};
    startEntry("M", "1", "2");
    Grid& g = w.MSFlexGrid1;
    g.setFont("Courier", 12);
    for (const auto& [code, text] : cases) {
        SCOPED_TRACE(code);
        w.form.userFocus(&g);
        g.setTextMatrix(1, 1, "12");
        dialogs.clear();
        g.userChar(code);
        const ExpectedBox refused{"Numbers only!", MsgButtons::OK, MsgIcon::None, "Velmor"};
        EXPECT_EQ(boxes(), text.empty() ? Boxes{refused} : Boxes{});
        EXPECT_EQ(g.TextMatrix(1, 1), text.empty() ? "12" : text);
        EXPECT_EQ(focus(), text.empty() ? static_cast<Control*>(&g) : &w.Text1);
        if (text.empty()) continue;
        EXPECT_EQ(w.Text1.SelStart(), static_cast<int>(text.size()));
    }
    EXPECT_EQ(w.Text1.FontName(), "Courier");
    EXPECT_EQ(w.Text1.FontSize(), 12);

    // The editor still holds 7 when 7 is typed over the next cell: the cell must show it.
    g.userChar('7');
    enter(w.Text1, "");
    g.setTextMatrix(1, 2, "12");
    g.userChar('7');
    EXPECT_EQ(g.TextMatrix(1, 2), "7");
    dialogs.clear();
    enter(w.Text1, "abc");
    EXPECT_EQ(cells(g), Cells({{"7", "7abc"}})) << "the open editor takes any text";
    EXPECT_EQ(boxes(), Boxes{});
}

// Enter, Down and Up from a cell opened by a click: where the current cell goes, or Save.
// Cells are written as row * 10 + column.
TEST_F(CellEditorTest, KeysMoveFromCellToCellAndEndOnSave) {
    const struct {
        int key, from, to;
        bool toSave;
    } moves[] = {
        {key::Return, 11, 12, false}, {key::Return, 13, 21, false}, {key::Return, 33, 33, true},
        {key::Down, 11, 21, false},   {key::Down, 31, 12, false},   {key::Down, 33, 33, true},
        {key::Up, 22, 12, false},     {key::Up, 11, 32, false},     {key::Up, 13, 33, true},
        {key::Up, 33, 23, false},
    };
    startEntry("M", "3", "3");
    Grid& g = w.MSFlexGrid1;
    for (const auto& m : moves) {
        SCOPED_TRACE(testing::Message() << "key " << m.key << " from " << m.from);
        g.userClick(m.from / 10, m.from % 10);
        w.Text1.userEdit("5");
        w.Text1.userPress(m.key);
        EXPECT_EQ(g.TextMatrix(m.from / 10, m.from % 10), "5");
        EXPECT_FALSE(w.Text1.Visible());
        EXPECT_EQ(g.Row() * 10 + g.Col(), m.to);
        EXPECT_EQ(focus(), m.toSave ? static_cast<Control*>(&w.cmdSave) : &g);
        EXPECT_EQ(w.Text1.Text(), "5") << "Enter inserts nothing";
    }
    EXPECT_EQ(boxes(), Boxes{});
}

// The editor's place over the clicked cell is checked on the real widgets.
TEST_F(CellEditorTest, LeavingTheEditorForAControlOrACellKeepsTheText) {
    startEntry("M", "3", "3");
    Grid& g = w.MSFlexGrid1;
    g.userClick(2, 3);
    w.Text1.userType("42");
    w.form.userFocus(&w.txtDescription);
    EXPECT_FALSE(w.Text1.Visible());
    g.userClick(1, 1);
    w.Text1.userType("6");
    g.userClick(2, 1);
    EXPECT_EQ(cells(g), Cells({{"6", "", ""}, {"", "", "42"}, {"", "", ""}}));
    EXPECT_EQ(focus(), &w.Text1);

    // A pasted block keeps its first element only: a tab or line break in a cell came back
    // from the data file as another matrix.
    for (const char* block : {"1\t2\n3\t4", "5\r\n6", "7\n8"}) {
        w.Text1.userEdit(block);
        EXPECT_EQ(g.TextMatrix(2, 1), std::string(1, block[0]));
        EXPECT_EQ(w.Text1.Text(), g.TextMatrix(2, 1));
    }
}

// A click disables every button; a key that leaves the editor brings back Cancel, Clear and
// Save (and goes to Save on a one-cell grid); a name brings back more.
TEST_F(CellEditorTest, ClickOffersButtonsByTheName) {
    w.cmdInput.userClick();
    Grid& g = w.MSFlexGrid1;
    for (int k : {key::Return, key::Down, key::Up}) {
        SCOPED_TRACE(k);
        g.userClick(1, 1);
        EXPECT_EQ(enabledButtons(), Buttons({"cmdExit"}));
        w.Text1.userPress(k);
        EXPECT_EQ(enabledButtons(), Buttons({"cmdCancel", "cmdClear", "cmdSave", "cmdExit"}));
        EXPECT_EQ(focus(), &w.cmdSave);
        EXPECT_EQ(std::pair(g.Row(), g.Col()), std::pair(1, 1));
    }
    w.cboMatrixInput.userEdit("M");
    g.userDblClick(1, 1);
    EXPECT_EQ(enabledButtons(), Buttons({"cmdSave", "cmdClear", "cmdDelete", "cmdDeleteAll",
                                         "cmdCancel", "cmdExit"}));
}

} // namespace
} // namespace velmor::test
