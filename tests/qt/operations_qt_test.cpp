#include "tests/qt/real_main_window.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor::test {
namespace {

using Cells = std::vector<std::vector<std::string>>;

class OperationsQtTest : public RealMainWindow {
  protected:
    void SetUp() override {
        RealMainWindow::SetUp();
        keyMatrix("A", 2, 2, "", {"1.25", "-2", "0", "3"});
        keyMatrix("B", 2, 2, "", {"1", "0.5", "4", "-7"});
        // The first selector shows the last entry saved, the second the first one.
        pick(frm->cboMatrixInput, 0);
        pick(frm->cboMatrixInput2, 1);
        settle();
        dialogs.clear();
    }

    // A control of the result window that is up.
    QWidget* out(const Control& c) {
        return dialogs.windowOf(frm->frmMatrixOutput->form).widgetFor(c);
    }
    QString outText(const Control& c) { return qobject_cast<QLineEdit*>(out(c))->text(); }
    QTableView* outGrid() {
        return qobject_cast<QTableView*>(out(frm->frmMatrixOutput->MSFlexGrid1));
    }
};

TEST_F(OperationsQtTest, AddShowsTheSumInTheResultWindowAtTheChosenPrecision) {
    ASSERT_TRUE(w(frm->cmdAdd)->isEnabled());
    bool shown = false;
    dialogs.inModal([&](Form& f) {
        shown = true;
        FrmMatrixOutput& o = *frm->frmMatrixOutput;
        QWidget* window = dialogs.windowOf(f).window();
        EXPECT_EQ(window->windowTitle(), "Output Matrix");
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(outText(o.txtMatrixResult), "[A+B]");
        settle();
        EXPECT_EQ(cells(outGrid()), (Cells{{"2.25", "-1.5"}, {"4", "-4"}}));
        EXPECT_EQ(headings(outGrid(), Qt::Horizontal), (QStringList{"1", "2"}));
        EXPECT_EQ(outText(o.txtMinimum), "-4");
        EXPECT_EQ(outText(o.txtMaximum), "4");
        EXPECT_EQ(outText(o.txtPrecision), "");

        click(out(o.txtPrecision));
        type("1");
        settle();
        EXPECT_EQ(cells(outGrid()), (Cells{{"2.3", "-1.5"}, {"4.0", "-4.0"}}));
        EXPECT_EQ(outText(o.txtMinimum), "-4.0");
        EXPECT_EQ(outText(o.txtMaximum), "4.0");
        type("x"); // letters never reach the precision box
        EXPECT_EQ(outText(o.txtPrecision), "1");
        press(Qt::Key_Backspace);
        type("3"); // starts again from the values as first shown
        settle();
        EXPECT_EQ(cells(outGrid()), (Cells{{"2.250", "-1.500"}, {"4.000", "-4.000"}}));
        click(out(o.cmdCancel));
    });
    click(frm->cmdAdd);
    settle();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(frm->Matrices.Count(), 2) << "Cancel saves nothing";
    EXPECT_TRUE(main->window()->isVisible());
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"A", "B"}));
}

TEST_F(OperationsQtTest, ScaleAsksForTheScalarAndSavesTheResultUnderANewName) {
    dialogs.input("2.50");
    dialogs.inModal([&](Form&) {
        FrmMatrixOutput& o = *frm->frmMatrixOutput;
        EXPECT_EQ(outText(o.txtMatrixResult), "2.5A");
        settle();
        EXPECT_EQ(cells(outGrid()), (Cells{{"3.125", "-5"}, {"0", "7.5"}}));
        // The name box selects its text on the focus: typing replaces it.
        click(out(o.txtMatrixResult));
        press(Qt::Key_Home);
        press(Qt::Key_End, Qt::ShiftModifier);
        type("C");
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), out(o.txtDescription));
        type("scaled");
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), out(o.cmdSave));
        press(Qt::Key_Return);
    });
    click(frm->cmdScale);
    settle();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].kind, Box::Input);
    EXPECT_EQ(dialogs.messages()[0].prompt, "Scalar");
    EXPECT_EQ(dialogs.messages()[0].title, "Multiply by Scalar");

    ASSERT_EQ(frm->Matrices.Count(), 3);
    EXPECT_EQ(frm->Matrices.Item(3)->Name, "C");
    EXPECT_EQ(frm->Matrices.Item(3)->Description, "scaled");
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput2)), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(text(frm->cboMatrixInput), "C");
    EXPECT_EQ(text(frm->cboMatrixInput2), "C");
    EXPECT_EQ(text(frm->txtDescription), "scaled");
    EXPECT_EQ(text(frm->txtDescription2), "scaled");
    EXPECT_EQ(cells(topGrid()), (Cells{{"3.125", "-5"}, {"0", "7.5"}}));
    EXPECT_EQ(cells(bottomGrid()), (Cells{{"3.125", "-5"}, {"0", "7.5"}}));
}

} // namespace
} // namespace velmor::test
