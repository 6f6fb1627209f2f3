#include <QAction>

#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using Cells = std::vector<std::vector<std::string>>;
using DataFileQtTest = RealMainWindow;

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(DataFileQtTest, FileOpenReadsASampleFileIntoBothSelectorsAndGrids) {
    dialogs.file(dir.file("exercises/3x3-systems.txt"));
    press(Qt::Key_O, Qt::ControlModifier);
    settle();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, Box::Open);
    EXPECT_EQ(dialogs.boxes[0].dialog.DialogTitle, "Select Matrix Data File");
    EXPECT_EQ(dialogs.boxes[0].dialog.InitDir, dir.file("exercises"));
    EXPECT_EQ(dialogs.boxes[0].dialog.Filter, "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*");

    QStringList names = items(as<QComboBox>(frm->cboMatrixInput));
    ASSERT_GE(names.size(), 3);
    EXPECT_EQ(names.mid(0, 3), (QStringList{"M", "b", "N"}));
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput2)), names);
    EXPECT_EQ(text(frm->cboMatrixInput), "M");
    EXPECT_EQ(text(frm->cboMatrixInput2), "M");
    EXPECT_EQ(text(frm->txtDescription),
              "Coefficients of 2x + y - z = 8, -3x - y + 2z = -11, -2x + y + 2z = -3");
    EXPECT_EQ(text(frm->txtNo_Rows2), "3");
    const Cells m{{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}};
    EXPECT_EQ(cells(topGrid()), m);
    EXPECT_EQ(cells(bottomGrid()), m);
    EXPECT_TRUE(bottomGrid()->isVisible());
    EXPECT_EQ(focused(), w(frm->cmdInput));
    EXPECT_TRUE(main->actionFor(frm->mnuFileSave)->isEnabled());

    pick(frm->cboMatrixInput, 1);
    EXPECT_EQ(cells(topGrid()), (Cells{{"8"}, {"-11"}, {"-3"}}));
    EXPECT_EQ(text(frm->txtNo_Columns), "1");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(DataFileQtTest, SavingOverAFileAsksInTheFileExistsWindow) {
    keyMatrix("A", 1, 2, "first", {"1", "2"});
    const std::string path = dir.file("list.txt");
    dialogs.file(path);
    press(Qt::Key_S, Qt::ControlModifier);
    settle();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].kind, Box::Save);
    EXPECT_EQ(dialogs.boxes[0].dialog.DialogTitle, "Save Matrix Data (.txt) File");
    EXPECT_EQ(dialogs.boxes[0].dialog.InitDir, dir.path());
    const std::string once = dir.read("list.txt");
    EXPECT_EQ(count(once, "Matrix - A\r\n"), 1);

    // Esc is the window's Cancel: nothing is written.
    // The question's window, its widgets found by control name.
    using Widget = std::function<QWidget*(const char*)>;
    auto fileExists = [&](std::function<void(QWidget*, const Widget&)> answer) {
        dialogs.file(path);
        dialogs.inModal([this, answer](Form& f) {
            FormWindow& window = dialogs.windowOf(f);
            answer(window.window(),
                   [&](const char* name) { return window.widgetFor(*f.find(name)); });
        });
        press(Qt::Key_S, Qt::ControlModifier);
        settle();
    };
    fileExists([](QWidget* window, const Widget& widget) {
        EXPECT_EQ(window->windowTitle(), "File Exists");
        EXPECT_TRUE(window->isModal());
        EXPECT_EQ(qobject_cast<QLabel*>(widget("lblSaveFile"))->text(),
                  "The file already exists. Do you want to Append to or Replace the file?");
        QStringList captions;
        for (const char* b : {"cmdAppend", "cmdOverwrite", "cmdCancel"})
            captions << qobject_cast<QPushButton*>(widget(b))->text();
        EXPECT_EQ(captions, (QStringList{"&Append", "&Replace", "&Cancel"}));
        press(Qt::Key_Escape);
    });
    EXPECT_EQ(dir.read("list.txt"), once);
    EXPECT_TRUE(main->window()->isVisible()) << "Esc in the question is no Exit";

    // Enter presses Append, the default button: a second header and list follow.
    fileExists([](QWidget*, const Widget&) { press(Qt::Key_Return); });
    const std::string twice = dir.read("list.txt");
    EXPECT_EQ(twice.substr(0, once.size()), once);
    EXPECT_EQ(count(twice, "Matrix - A\r\n"), 2);
    EXPECT_EQ(count(twice, "\r\n# "), 1) << "the appended part starts with its own header";

    // Replace leaves one list only.
    fileExists([](QWidget*, const Widget& widget) { click(widget("cmdOverwrite")); });
    EXPECT_EQ(count(dir.read("list.txt"), "Matrix - A\r\n"), 1);
    EXPECT_TRUE(dialogs.messages().empty());
}

// A file is read up to the budget of one file, with one box, and its short row is named;
// saving a matrix with a short
// row, where the blank delimiter would drop its empty element, is refused before the dialog.
TEST_F(DataFileQtTest, OpenStopsAtTheBudgetAndSaveRefusesAnElementThatWouldNotReadBack) {
    std::string file = "Matrix - S\r\nRows - 1\r\nColumns - 2\r\n 1\r\n";
    for (int k = 1; k <= 3; ++k)
        file += "Matrix - M" + std::to_string(k) + "\r\nRows - 20\r\nColumns - 20\r\n1\r\n";
    frm->fileCellBudget = 802;
    dialogs.file(dir.write("hostile.txt", file));
    press(Qt::Key_O, Qt::ControlModifier);
    settle();
    EXPECT_EQ(items(as<QComboBox>(frm->cboMatrixInput)), (QStringList{"S", "M1", "M2"}));
    press(Qt::Key_S, Qt::ControlModifier);
    settle();
    ASSERT_EQ(dialogs.boxes.size(), 4u) << "no save dialog";
    EXPECT_EQ(dialogs.boxes[1].title, "frmVelmor - OpenMatrix");
    EXPECT_EQ(dialogs.boxes[2].prompt,
              "The rows of S did not split into 2 elements with the input delimiter \" \".");
    EXPECT_EQ(dialogs.boxes[3].prompt,
              "Element (1, 2) of the matrix \"S\" would not read back from the file: it is "
              "empty. Change the element and save again.");
}

} // namespace
} // namespace velmor::test
