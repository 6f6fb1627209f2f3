#include "tests/qt/real_main_window.h"

namespace velmor::test {
namespace {

using DataFileQtTest = RealMainWindow;

int count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(DataFileQtTest, SavingOverAFileAsksInTheFileExistsWindow) {
    keyMatrix("A", 1, 2, "first", {"1", "2"});
    auto save = [this] {
        dialogs.file(dir.file("list.txt"));
        press(Qt::Key_S, Qt::ControlModifier);
        settle();
    };
    save();
    const std::string once = dir.read("list.txt");
    EXPECT_EQ(count(once, "Matrix - A\r\n"), 1);

    // The question's window; Esc is its Cancel: nothing is written.
    dialogs.inModal([this](Form& f) {
        FormWindow& window = dialogs.windowOf(f);
        auto widget = [&](const char* name) { return window.widgetFor(*f.find(name)); };
        EXPECT_EQ(window.window()->windowTitle(), "File Exists");
        EXPECT_TRUE(window.window()->isModal());
        EXPECT_EQ(qobject_cast<QLabel*>(widget("lblSaveFile"))->text(),
                  "The file already exists. Do you want to Append to or Replace the file?");
        QStringList captions;
        for (const char* b : {"cmdAppend", "cmdOverwrite", "cmdCancel"})
            captions << qobject_cast<QPushButton*>(widget(b))->text();
        EXPECT_EQ(captions, (QStringList{"&Append", "&Replace", "&Cancel"}));
        press(Qt::Key_Escape);
    });
    save();
    EXPECT_EQ(dir.read("list.txt"), once);
    EXPECT_TRUE(main->window()->isVisible()) << "Esc in the question is no Exit";

    // Enter presses Append, the default button: a second header and list follow.
    dialogs.inModal([](Form&) { press(Qt::Key_Return); });
    save();
    const std::string twice = dir.read("list.txt");
    EXPECT_EQ(twice.substr(0, once.size()), once);
    EXPECT_EQ(count(twice, "Matrix - A\r\n"), 2);
    EXPECT_EQ(count(twice, "\r\n# "), 1) << "the appended part starts with its own header";
    EXPECT_TRUE(dialogs.messages().empty());
}

// A file is read up to the budget of one file, with one box, and its short row is named;
// saving a matrix with a short row, where the blank delimiter would drop its empty element,
// is refused before the dialog.
TEST_F(DataFileQtTest, OpenStopsAtTheBudgetAndSaveRefusesAnElementThatWouldNotReadBack) {
    std::string file = "Matrix - S\r\nRows - 1\r\nColumns - 2\r\n 1\r\n";
    for (int k = 1; k <= 3; ++k)
        file += "Matrix - M" + std::to_string(k) + "\r\nRows - 400\r\nColumns - 1\r\n1\r\n";
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
