#include <string>
#include <vector>

#include "tests/ui/operations_fixture.h"

namespace velmor::test {
namespace {

const Rows kHilbert = {{"1", "1/2", "1/3"}, {"1/2", "1/3", "1/4"}, {"1/3", "1/4", "1/5"}};
const Rows kHilbertInverse = {{"9", "-36", "30"}, {"-36", "192", "-180"}, {"30", "-180", "180"}};

class OutputWindow : public OperationsFixture {
  protected:
    void SetUp() override {
        addEntry("P", {{"1.23456", "0"}, {"2.5", "-1.5"}});
        addEntry("Z", {{"0", "0"}, {"0", "0"}});
        select(0, 1);
    }
    // Adds the two selected entries and runs `action` inside the result window.
    template <class F> void showSum(F action) {
        inResultWindow(action);
        press(w.cmdAdd);
        ASSERT_NE(w.frmMatrixOutput, nullptr);
    }
    void expectList(const std::vector<std::string>& names) {
        for (ComboBox* c : {&w.cboMatrixInput, &w.cboMatrixInput2}) {
            EXPECT_EQ(c->items(), names);
            EXPECT_EQ(c->ListIndex(), int(names.size()) - 1);
        }
        EXPECT_EQ(w.Matrices.Item(int(names.size()))->Name, names.back());
    }
};

// Each precision starts from the texts first shown. Typing takes digits only; a pasted text
// that is no small whole number is refused: the box is emptied and keeps the focus, the grid
// stays as it was.
TEST_F(OutputWindow, PrecisionStartsFromTheTextsFirstShownAndRefusesNonsense) {
    const Rows two{{"1.23", "0"}, {"2.50", "-1.50"}}, none{{"1", "0"}, {"3", "-2"}};
    struct {
        const char* precision;
        Rows cells;
        const char *min, *max;
        bool refused;
    } steps[] = {
        {"x", two, "-1.50", "2.50", true},
        {"2a", two, "-1.50", "2.50", true},
        {"-1", two, "-1.50", "2.50", true},
        {"100", two, "-1.50", "2.50", true},
        {"99999999999", two, "-1.50", "2.50", true},
        {"4", {{"1.2346", "0"}, {"2.5000", "-1.5000"}}, "-1.5000", "2.5000", false},
        {"0", none, "-2", "3", false}, // halves go away from zero
        {"", none, "-2", "3", false},  // emptied: left as it is
    };
    const Boxes refusal{
        {"Integer numbers only are allowed.", MsgButtons::OK, MsgIcon::None, "Velmor"}};
    showSum([&](FrmMatrixOutput& out) {
        EXPECT_EQ(out.txtMinimum.Text(), "-1.5");
        out.form.userFocus(&out.txtPrecision);
        out.txtPrecision.userType("a-.2");
        EXPECT_EQ(out.txtPrecision.Text(), "2");
        EXPECT_EQ(cells(out.MSFlexGrid1), two); // a zero element stays 0
        for (const auto& s : steps) {
            SCOPED_TRACE(s.precision);
            dialogs.clear();
            out.txtPrecision.userEdit(s.precision);
            EXPECT_EQ(boxes(), s.refused ? refusal : Boxes{});
            EXPECT_EQ(out.txtPrecision.Text(), s.refused ? "" : s.precision);
            EXPECT_TRUE(out.txtPrecision.hasFocus());
            EXPECT_EQ(cells(out.MSFlexGrid1), s.cells);
            EXPECT_EQ(out.txtMinimum.Text() + " " + out.txtMaximum.Text(),
                      std::string(s.min) + " " + s.max);
        }
    });
    select(1, 1); // a zero extreme is formatted although zero cells are not
    showSum([](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        EXPECT_EQ(cells(out.MSFlexGrid1), (Rows{{"0", "0"}, {"0", "0"}}));
        EXPECT_EQ(out.txtMinimum.Text(), "0.00");
        out.cmdCancel.userClick();
    });
    EXPECT_FALSE(output().form.Loaded()); // cancelled without saving
    EXPECT_EQ(w.Matrices.Count(), 2);
    EXPECT_TRUE(w.g.gfMatricesSaved);
}

TEST_F(OutputWindow, EnterMovesOnAndPutsNoLineBreakInTheDescription) {
    showSum([](FrmMatrixOutput& out) {
        out.form.userFocus(&out.txtMatrixResult);
        EXPECT_EQ(out.txtMatrixResult.SelLength(), 5); // all of "[P+Z]"
        out.txtMatrixResult.userPress(key::Return);
        EXPECT_TRUE(out.txtDescription.hasFocus());
        out.txtDescription.userType("sum");
        out.txtDescription.userPress(key::Return);
        EXPECT_TRUE(out.cmdSave.hasFocus());
        EXPECT_EQ(out.txtDescription.Text(), "sum"); // no line break from the multi-line box
        EXPECT_EQ(out.txtMatrixResult.Text(), "[P+Z]");
    });
}

TEST_F(OutputWindow, SaveStoresTheShownTextsUnderANewOrATakenName) {
    auto saveAs = [this](const std::string& name, const std::string& precision = "") {
        showSum([&](FrmMatrixOutput& out) {
            out.txtPrecision.userType(precision);
            out.txtDescription.userEdit("about " + name);
            out.txtMatrixResult.userEdit(name);
            out.cmdSave.userClick();
            EXPECT_FALSE(out.form.Loaded());
        });
    };
    saveAs("R", "2");
    expectList({"P", "Z", "R"});
    EXPECT_EQ(w.Matrices.Item(3)->Description, "about R");
    const Array& m = w.Matrices.Item(3)->matrixRef().array();
    EXPECT_EQ(m.lbound(1), 0);
    EXPECT_EQ(m.at(1, 1), Variant("1.23"));
    EXPECT_EQ(m.at(2, 2), Variant("-1.50"));
    EXPECT_FALSE(w.g.gfMatricesSaved);

    select(0, 1);
    dialogs.answer(MsgResult::OK); // replace: the entry moves to the end
    saveAs("p");
    EXPECT_EQ(dialogs.messages().at(0).title, "Matrix Exists");
    expectList({"Z", "R", "p"});
    EXPECT_EQ(w.Matrices.Item(3)->matrixRef().array().at(1, 1), Variant("1.23456"));

    select(0, 1);
    dialogs.answer(MsgResult::Cancel).input("S"); // rename
    saveAs("z");
    EXPECT_EQ(dialogs.messages().at(1).title, "Matrix Name");
    expectList({"Z", "R", "p", "S"});
}

// A blank name used to fail in the list, and the window then closed with the result; a
// skipped save keeps the window open on the name too.
TEST_F(OutputWindow, RefusedOrSkippedSaveKeepsTheWindowOpenOnTheName) {
    showSum([this](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        for (const char* name : {"", "  "}) {
            dialogs.clear();
            out.txtMatrixResult.userEdit(name);
            out.cmdSave.userClick();
            EXPECT_EQ(boxes(), (Boxes{{"Enter a name for the matrix.", MsgButtons::OK,
                                       MsgIcon::Exclamation, "Velmor"}}));
            EXPECT_TRUE(out.form.Loaded() && out.txtMatrixResult.hasFocus());
        }
        dialogs.answer(MsgResult::Cancel).input(""); // not renamed: skipped
        out.txtMatrixResult.userEdit("z");
        out.cmdSave.userClick();
        EXPECT_TRUE(out.form.Loaded() && out.txtMatrixResult.hasFocus());
        EXPECT_EQ(dialogs.messages().back().prompt, "Matrix \"z\" has been skipped.");
        out.txtPrecision.userEdit("4"); // starts from what the save re-read
        EXPECT_EQ(cells(out.MSFlexGrid1)[0][0], "1.2300");
        out.form.userClose();
    });
    EXPECT_FALSE(output().form.Loaded());
    EXPECT_EQ(w.Matrices.Count(), 2);
    EXPECT_TRUE(w.g.gfMatricesSaved);
}

TEST_F(OutputWindow, FractionsTickedShowTheExactResultUntickedTheDecimalsAndAreSaved) {
    addEntry("H", kHilbert);
    select(2);
    inResultWindow([&](FrmMatrixOutput& out) {
        ASSERT_TRUE(out.chkFractions.Enabled());
        const Rows decimals = cells(out.MSFlexGrid1);
        out.chkFractions.userClick();
        EXPECT_EQ(cells(out.MSFlexGrid1), kHilbertInverse);
        EXPECT_EQ(out.txtMinimum.Text() + " " + out.txtMaximum.Text(), "-180 192");
        EXPECT_FALSE(out.txtPrecision.Enabled()); // a precision is for decimals
        out.chkFractions.userClick();
        EXPECT_EQ(cells(out.MSFlexGrid1), decimals);
        EXPECT_TRUE(out.txtPrecision.Enabled());
        out.chkFractions.userClick();
        out.cmdSave.userClick();
    });
    press(w.cmdInvert);
    const Array& saved = w.Matrices.Item(4)->matrixRef().array();
    EXPECT_EQ(saved.at(2, 2), Variant("192"));
    EXPECT_EQ(saved.at(1, 3), Variant("30"));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(OutputWindow, FractionsOfASingularMatrixSaySoAndUntick) {
    // The third row is the sum of the first two, which the doubles of the decimals miss.
    addEntry("S", {{"672.10", "76.16", "41.62"},
                   {"465.52", "493.56", "879.30"},
                   {"1137.62", "569.72", "920.92"}});
    select(2);
    inResultWindow([&](FrmMatrixOutput& out) {
        const Rows decimals = cells(out.MSFlexGrid1);
        out.chkFractions.userClick();
        EXPECT_EQ(boxes(), (Boxes{{"The matrix is singular.", MsgButtons::OK, MsgIcon::Critical,
                                   "Velmor"}}));
        EXPECT_EQ(out.chkFractions.Value(), 0);
        EXPECT_EQ(cells(out.MSFlexGrid1), decimals);
        out.cmdCancel.userClick();
    });
    press(w.cmdInvert);
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(OutputWindow, FractionsDisabledWithTheReasonForTextsAndLargeMatrices) {
    addEntry("T", {{"1/2", "abc"}});
    addEntry("L", Rows(201, {"1"}));
    const std::pair<int, const char*> cases[] = {{2, "not"}, {3, "200 x 200"}};
    int shown = 0;
    for (const auto& [entry, reason] : cases) {
        select(entry);
        inResultWindow([&, reason = reason](FrmMatrixOutput& out) {
            ++shown;
            EXPECT_FALSE(out.chkFractions.Enabled());
            EXPECT_NE(out.chkFractions.ToolTipText().find(reason), std::string::npos);
            out.cmdCancel.userClick();
        });
        press(w.cmdTranspose);
    }
    EXPECT_EQ(shown, 2);
}

} // namespace
} // namespace velmor::test
