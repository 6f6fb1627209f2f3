#include <regex>

#include "tests/qt/real_main_window.h"
#include "ui/dialogs/frm_properties.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor::test {
namespace {

const std::string kSeparator = "#****************************************\r\n";

// One entry of a data file as the writer puts it down, the delimiter a blank.
std::string entry(const std::string& name, const std::string& description, const Cells& rows) {
    std::string out = kSeparator + "Matrix - " + name + "\r\n\r\nDescription - " + description +
                      "\r\nRows - " + std::to_string(rows.size()) + " \r\nColumns - " +
                      std::to_string(rows.front().size()) + " \r\n\r\n";
    for (const auto& row : rows) {
        out += " ";
        for (std::size_t c = 0; c < row.size(); ++c) out += (c ? " " : "") + row[c];
        out += "\r\n";
    }
    return out + "\r\n";
}

const Cells kA{{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}};
const Cells kB{{"0.125", "1", "0"}, {"1", "2.5", "-1"}, {"0", "3", "1"}};
const Cells kSum{{"2.13", "2.00", "-1.00"}, {"-2.00", "1.50", "1.00"}, {"-2.00", "4.00", "3.00"}};

std::vector<std::string> flat(const Cells& cells) {
    std::vector<std::string> out;
    for (const auto& row : cells) out.insert(out.end(), row.begin(), row.end());
    return out;
}

class AcceptanceTest : public RealMainWindow {
  protected:
    // The header line, with the clock's date and time, and the rest of a saved file.
    static void expectDataFile(const std::string& bytes, const std::string& body) {
        static const std::regex header(
            R"(# \d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} (AM|PM)\r\n)");
        auto end = bytes.find("\r\n");
        ASSERT_NE(end, std::string::npos);
        EXPECT_TRUE(std::regex_match(bytes.substr(0, end + 2), header)) << bytes.substr(0, end);
        EXPECT_EQ(bytes.substr(end + 2), body);
    }
};

// The boxes' texts and the list's states are pinned by the controller tests; this walks the
// same steps through the real widgets and checks what each leaves on screen and on disk.
TEST_F(AcceptanceTest, AWholeWorkingSession) {
    // Two 3 x 3 matrices keyed in.
    keyMatrix("A", 3, 3, "system", flat(kA));
    keyMatrix("B", 3, 3, "shifts", flat(kB));
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(items(as<QComboBox>(frm->cboMatrixInput2)), (QStringList{"A", "B"}));

    // A + B, shown at precision 2 and saved under its own name.
    pick(frm->cboMatrixInput, 0);
    pick(frm->cboMatrixInput2, 1);
    settle();
    EXPECT_EQ(cells(topGrid()), kA);
    EXPECT_EQ(cells(bottomGrid()), kB);
    ASSERT_TRUE(clickModal(frm->cmdAdd, [&](Form&) {
        FrmMatrixOutput& o = output();
        EXPECT_EQ(outText(o.txtMatrixResult), "[A+B]");
        EXPECT_EQ(cells(outGrid()),
                  (Cells{{"2.125", "2", "-1"}, {"-2", "1.5", "1"}, {"-2", "4", "3"}}));
        click(out(o.txtPrecision));
        type("2");
        settle();
        EXPECT_EQ(cells(outGrid()), kSum);
        EXPECT_EQ(outText(o.txtMinimum) + " " + outText(o.txtMaximum), "-2.00 4.00");
        press(Qt::Key_Return);
        EXPECT_EQ(focused(), out(o.Slider1)) << "Enter in the precision box goes on";
        click(out(o.txtMatrixResult));
        press(Qt::Key_Home);
        press(Qt::Key_End, Qt::ShiftModifier);
        type("S");
        press(Qt::Key_Return);
        type("sum");
        press(Qt::Key_Return);
        ASSERT_EQ(focused(), out(o.cmdSave));
        click(out(o.cmdSave));
    }));
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"A", "B", "S"}));
    EXPECT_EQ(text(frm->cboMatrixInput2), "S");
    EXPECT_EQ(cells(topGrid()), kSum);

    // The properties of B in their own modeless window.
    pick(frm->cboMatrixInput, 1);
    click(frm->cmdProperties);
    settle();
    ASSERT_TRUE(frm->frmProperties);
    FormWindow& properties = dialogs.windowOf(frm->frmProperties->form);
    EXPECT_EQ(properties.window()->windowTitle(), "Matrix Properties");
    EXPECT_FALSE(properties.window()->isModal());
    auto field = [&](const Control& c) {
        return qobject_cast<QLineEdit*>(properties.widgetFor(c))->text();
    };
    EXPECT_EQ(field(frm->frmProperties->txtDeterminant) + " " + field(frm->frmProperties->txtTrace),
              "-0.3125 3.625");
    click(properties.widgetFor(frm->frmProperties->cmdOK));
    settle();
    EXPECT_FALSE(frm->frmProperties->form.Loaded());

    // File > Save.
    waitActive(main->window()); // the desktop hands the activation back
    const std::string path = dir.file("session.txt");
    dialogs.file(path);
    press(Qt::Key_S, Qt::ControlModifier);
    settle();
    ASSERT_EQ(dialogs.last().kind, Box::Save);
    const std::string saved =
        entry("A", "system", kA) + entry("B", "shifts", kB) + entry("S", "sum", kSum);
    expectDataFile(dir.read("session.txt"), saved + kSeparator);

    // Delete All, after its question, empties the selectors and the grids.
    dialogs.answer(MsgResult::Yes);
    click(frm->cmdDeleteAll);
    settle();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Delete All Matrices");
    EXPECT_EQ(as<QComboBox>(frm->cboMatrixInput)->count(), 0);
    EXPECT_EQ(as<QComboBox>(frm->cboMatrixInput2)->count(), 0);
    EXPECT_EQ(cells(topGrid()), (Cells{{""}}));
    EXPECT_EQ(cells(bottomGrid()), (Cells{{""}}));

    // File > Open of the saved file gives every entry back.
    dialogs.file(path);
    press(Qt::Key_O, Qt::ControlModifier);
    settle();
    ASSERT_EQ(dialogs.last().kind, Box::Open);
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"A", "B", "S"}));
    EXPECT_EQ(text(frm->txtDescription2), "system");
    EXPECT_EQ(cells(bottomGrid()), kA);
    pick(frm->cboMatrixInput, 2);
    EXPECT_EQ(text(frm->txtDescription), "sum");
    EXPECT_EQ(cells(topGrid()), kSum);
    pick(frm->cboMatrixInput, 0);

    // Unsaved work: the transpose of A, saved under the name proposed.
    clickModal(frm->cmdTranspose, [&](Form&) {
        EXPECT_EQ(outText(output().txtMatrixResult), "A_T");
        click(out(output().cmdSave));
    });
    const Cells transposed{{"2", "-3", "-2"}, {"1", "-1", "1"}, {"-1", "2", "2"}};
    EXPECT_EQ(cells(topGrid()), transposed);

    // Exit asks about the unsaved list: Yes, then a cancelled save dialog, stays.
    waitActive(main->window()); // the desktop hands the activation back
    dialogs.answer(MsgResult::Yes).file("");
    press(Qt::Key_Escape);
    settle();
    EXPECT_EQ(dialogs.messages().back().title, "Save latest work?");
    EXPECT_EQ(dialogs.last().kind, Box::Save);
    EXPECT_EQ(platform.quits, 0);
    EXPECT_TRUE(main->window()->isVisible());

    // Yes saves over the file (Replace in its File Exists window) and ends the program.
    dialogs.answer(MsgResult::Yes);
    dialogs.file(path);
    dialogs.inModal([&](Form& f) {
        EXPECT_EQ(f.name(), "frmConfirmSave");
        click(dialogs.windowOf(f).widgetFor(*f.find("cmdOverwrite")));
    });
    press(Qt::Key_Escape);
    settle();
    EXPECT_EQ(platform.quits, 1);
    EXPECT_FALSE(frm->form.Loaded());
    expectDataFile(dir.read("session.txt"), saved + entry("A_T", "", transposed) + kSeparator);
}

} // namespace
} // namespace velmor::test
