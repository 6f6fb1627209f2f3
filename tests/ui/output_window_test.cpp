#include <string>
#include <vector>

#include "tests/ui/operations_fixture.h"

namespace velmor::test {
namespace {

const char* const kIntegersOnly = "Integer numbers only are allowed.";

class OutputWindow : public OperationsFixture {
  protected:
    void SetUp() override {
        addEntry("P", {{"1.23456", "0"}, {"2.5", "-1.5"}});
        addEntry("Z", {{"0", "0"}, {"0", "0"}});
        select(0, 1);
    }

    // Adds P and Z and runs `action` inside the result window "[P+Z]".
    void showSum(std::function<void(FrmMatrixOutput&)> action) {
        bool shown = false;
        inResultWindow([&](FrmMatrixOutput& out) {
            shown = true;
            action(out);
        });
        press(w.cmdAdd);
        EXPECT_TRUE(shown);
    }

    std::vector<std::string> names(const ComboBox& c) const { return c.items(); }

    // Saves the sum under `name`; the list's dialogue is scripted by the caller.
    void saveAs(const std::string& name) {
        showSum([&](FrmMatrixOutput& out) {
            out.txtMatrixResult.userEdit(name);
            out.cmdSave.userClick();
            EXPECT_FALSE(out.form.Loaded());
        });
    }

    void expectListAndSelectors(const std::vector<std::string>& expected) {
        std::vector<std::string> list;
        for (int k = 1; k <= w.Matrices.Count(); ++k) list.push_back(w.Matrices.Item(k)->Name);
        EXPECT_EQ(list, expected);
        for (ComboBox* c : {&w.cboMatrixInput, &w.cboMatrixInput2}) {
            EXPECT_EQ(names(*c), expected);
            EXPECT_EQ(c->ListIndex(), static_cast<int>(expected.size()) - 1);
        }
        EXPECT_FALSE(w.g.gfMatricesSaved);
    }
};

TEST_F(OutputWindow, PrecisionAlwaysStartsFromTheTextsFirstShown) {
    struct Step {
        const char* precision;
        Rows cells;
        const char *min, *max;
    };
    const Step steps[] = {
        {"2", {{"1.23", "0"}, {"2.50", "-1.50"}}, "-1.50", "2.50"},
        {"4", {{"1.2346", "0"}, {"2.5000", "-1.5000"}}, "-1.5000", "2.5000"},
        // Halves go away from zero.
        {"0", {{"1", "0"}, {"3", "-2"}}, "-2", "3"},
        // An emptied box leaves everything as it is.
        {"", {{"1", "0"}, {"3", "-2"}}, "-2", "3"},
    };
    showSum([&](FrmMatrixOutput& out) {
        EXPECT_EQ(out.txtMinimum.Text(), "-1.5");
        EXPECT_EQ(out.txtMaximum.Text(), "2.5");
        for (const auto& s : steps) {
            SCOPED_TRACE(s.precision);
            out.txtPrecision.userEdit(s.precision);
            EXPECT_EQ(cells(out.MSFlexGrid1), s.cells);
            EXPECT_EQ(out.txtMinimum.Text(), s.min);
            EXPECT_EQ(out.txtMaximum.Text(), s.max);
        }
    });
    EXPECT_EQ(dialogs.messages().size(), 0u);
}

TEST_F(OutputWindow, AZeroExtremeIsFormattedWhileZeroCellsStayAsTheyAre) {
    addEntry("M", {{"0", "1.23456"}});
    addEntry("N", {{"0", "0"}});
    select(2, 3);
    showSum([](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        EXPECT_EQ(cells(out.MSFlexGrid1), (Rows{{"0", "1.23"}}));
        EXPECT_EQ(out.txtMinimum.Text(), "0.00");
        EXPECT_EQ(out.txtMaximum.Text(), "1.23");
    });
}

TEST_F(OutputWindow, TypingReachesThePrecisionBoxOnlyAsDigits) {
    showSum([](FrmMatrixOutput& out) {
        out.form.userFocus(&out.txtPrecision);
        out.txtPrecision.userType("a-.");
        EXPECT_EQ(out.txtPrecision.Text(), "");
        out.txtPrecision.userType("3");
        EXPECT_EQ(cells(out.MSFlexGrid1)[0][0], "1.235");
        out.txtPrecision.userPress(key::Back);
        EXPECT_EQ(out.txtPrecision.Text(), "");
        out.txtPrecision.userType("1");
        out.txtPrecision.userPress(key::Return);
        EXPECT_EQ(out.txtPrecision.Text(), "1");
        EXPECT_TRUE(out.Slider1.hasFocus());
    });
    EXPECT_EQ(dialogs.messages().size(), 0u);
}

TEST_F(OutputWindow, PrecisionsThatAreNoWholeNumberOrTooLargeAreRefused) {
    const char* refused[] = {"x", "2a", "-1", "100", "99999999999"};
    showSum([&](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        for (const char* text : refused) {
            SCOPED_TRACE(text);
            dialogs.clear();
            out.txtPrecision.userEdit(text); // pasted
            ASSERT_EQ(dialogs.boxes.size(), 1u);
            EXPECT_EQ(dialogs.boxes[0].prompt, kIntegersOnly);
            EXPECT_EQ(dialogs.boxes[0].buttons, MsgButtons::OK);
            EXPECT_EQ(dialogs.boxes[0].icon, MsgIcon::None);
            EXPECT_EQ(dialogs.boxes[0].title, "Velmor");
            EXPECT_EQ(out.txtPrecision.Text(), "");
            EXPECT_TRUE(out.txtPrecision.hasFocus());
            EXPECT_EQ(cells(out.MSFlexGrid1), (Rows{{"1.23", "0"}, {"2.50", "-1.50"}}));
            EXPECT_EQ(out.txtMinimum.Text(), "-1.50");
        }
    });
}

TEST_F(OutputWindow, SliderSizesTheDataColumnsAndTheMainCellWidth) {
    int mainWidth = w.MSFlexGrid1.ColWidth(1);
    showSum([this](FrmMatrixOutput& out) {
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(0), 550);
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(1), Grid::kDefaultColWidth);
        out.Slider1.userSetValue(10);
        EXPECT_EQ(w.g.gintCellWidth, 1920);
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(1), 1920);
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(2), 1920);
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(0), 550);
        out.Slider1.userScroll(5); // while dragging
        EXPECT_EQ(w.g.gintCellWidth, 1440);
        EXPECT_EQ(out.MSFlexGrid1.ColWidth(2), 1440);
        EXPECT_EQ(out.form.MousePointer(), kPointerDefault);
    });
    // The main window's grids take the new width only when they next size their columns.
    EXPECT_EQ(w.MSFlexGrid1.ColWidth(1), mainWidth);
}

TEST_F(OutputWindow, EnterMovesFromNameToDescriptionToSave) {
    showSum([](FrmMatrixOutput& out) {
        out.form.userFocus(&out.txtMatrixResult);
        EXPECT_EQ(out.txtMatrixResult.SelStart(), 0);
        EXPECT_EQ(out.txtMatrixResult.SelLength(), 5); // all of "[P+Z]"
        out.txtMatrixResult.userType("S");
        EXPECT_EQ(out.txtMatrixResult.Text(), "S");
        out.txtMatrixResult.userPress(key::Return);
        EXPECT_EQ(out.txtMatrixResult.Text(), "S");
        EXPECT_TRUE(out.txtDescription.hasFocus());
        out.txtDescription.userType("sum");
        out.txtDescription.userPress(key::Return);
        EXPECT_EQ(out.txtDescription.Text(), "sum");
        EXPECT_TRUE(out.cmdSave.hasFocus());

        out.txtMatrixResult.setText(std::string(120, 'n'));
        out.form.userFocus(&out.txtMatrixResult);
        EXPECT_EQ(out.txtMatrixResult.SelLength(), 100);
    });
}

TEST_F(OutputWindow, SaveStoresTheDisplayedTextsAndRebuildsBothSelectors) {
    showSum([this](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        out.txtMatrixResult.userEdit("R");
        out.txtDescription.userEdit("sum of P and Z");
        out.cmdSave.userClick();
        EXPECT_FALSE(out.form.Loaded());
        EXPECT_EQ(out.mobjMain, nullptr);
    });

    ASSERT_EQ(w.Matrices.Count(), 3);
    CMatrix* saved = w.Matrices.Item(3);
    EXPECT_EQ(saved->Name, "R");
    EXPECT_EQ(saved->Description, "sum of P and Z");
    const Array& m = saved->matrixRef().array();
    EXPECT_EQ(m.lbound(1), 0);
    EXPECT_EQ(m.at(1, 1), Variant("1.23"));
    EXPECT_EQ(m.at(1, 2), Variant("0"));
    EXPECT_EQ(m.at(2, 2), Variant("-1.50"));
    expectListAndSelectors({"P", "Z", "R"});
    EXPECT_EQ(dialogs.messages().size(), 0u);
}

TEST_F(OutputWindow, SavingUnderATakenNameAndReplacingMovesItToTheEnd) {
    dialogs.answer(MsgResult::OK);
    saveAs("p");
    EXPECT_EQ(dialogs.messages().at(0).title, "Matrix Exists");
    expectListAndSelectors({"Z", "p"});
    EXPECT_EQ(w.Matrices.Item(2)->matrixRef().array().at(1, 1), Variant("1.23456"));
}

TEST_F(OutputWindow, SavingUnderATakenNameAndRenamingAddsTheNewName) {
    dialogs.answer(MsgResult::Cancel).input("R");
    saveAs("P");
    EXPECT_EQ(dialogs.messages().at(1).title, "Matrix Name");
    expectListAndSelectors({"P", "Z", "R"});
}

TEST_F(OutputWindow, SkippedSaveKeepsTheWindowOpenOnTheName) {
    dialogs.answer(MsgResult::Cancel).input("");
    showSum([this](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        out.txtMatrixResult.userEdit("z");
        out.cmdSave.userClick();
        EXPECT_TRUE(out.form.Loaded());
        EXPECT_TRUE(out.txtMatrixResult.hasFocus());
        EXPECT_EQ(out.form.MousePointer(), kPointerDefault);
        EXPECT_EQ(dialogs.messages().back().prompt, "Matrix \"z\" has been skipped.");
        EXPECT_EQ(w.Matrices.Count(), 2);
        EXPECT_EQ(w.cboMatrixInput.ListIndex(), 0);
        EXPECT_TRUE(w.g.gfMatricesSaved);

        // The save re-read the grid: a new precision starts from what it displayed.
        out.txtPrecision.userEdit("4");
        EXPECT_EQ(cells(out.MSFlexGrid1)[0][0], "1.2300");

        out.txtMatrixResult.userEdit("R");
        out.cmdSave.userClick();
        EXPECT_FALSE(out.form.Loaded());
    });
    EXPECT_EQ(w.Matrices.Count(), 3);
    EXPECT_FALSE(w.g.gfMatricesSaved);
}

TEST_F(OutputWindow, CancelAndCloseLeaveWithoutSaving) {
    showSum([](FrmMatrixOutput& out) {
        out.txtPrecision.userType("2");
        EXPECT_TRUE(out.mfValuesRead);
        out.cmdCancel.userClick();
        EXPECT_FALSE(out.form.Loaded());
        EXPECT_FALSE(out.mfValuesRead);
    });
    showSum([](FrmMatrixOutput& out) { out.form.userClose(); });
    EXPECT_FALSE(output().form.Loaded());
    EXPECT_EQ(w.Matrices.Count(), 2);
    EXPECT_TRUE(w.g.gfMatricesSaved);
}

} // namespace
} // namespace velmor::test
