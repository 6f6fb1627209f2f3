#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "store/matrix_file_reader.h"
#include "ui/main/frm_velmor.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace velmor {
namespace {

using test::Box;

constexpr const char* kFilter = "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*";
const std::string kSep = "#****************************************\r\n";

class DataFileTest : public ::testing::Test {
  protected:
    DataFileTest() {
        platform.currentDir = dir.path();
        w.mstrInputDelimiter = w.mstrOutputDelimiter = " ";
    }
    // Adds the list that `saved` holds, unsaved.
    void addAB() {
        for (const auto& e : MatrixFileReader(format, " ").parse(saved).matrices)
            ASSERT_EQ(w.Matrices.Add(e.name, e.matrix, e.description), 0);
        w.g.gfMatricesSaved = false;
    }

    test::ScriptedDialogs dialogs;
    test::FakePlatform platform;
    const std::string saved = "# " + platform.now + "\r\n" + kSep +
                              "Matrix - A\r\n\r\nDescription - \r\nRows - 2 \r\nColumns - 2 \r\n" +
                              "\r\n 1 2\r\n 3 4\r\n\r\n" + kSep +
                              "Matrix - B\r\n\r\nDescription - row\r\nRows - 1 \r\n" +
                              "Columns - 3 \r\n\r\n 5 6 7\r\n\r\n" + kSep;
    NumberFormat format{"."};
    test::TempDir dir;
    FrmVelmor w{dialogs, platform, format};
};

TEST_F(DataFileTest, SaveWritesANewFileOrAsTheFileExistsQuestionSays) {
    addAB();
    dialogs.file("").file(dir.file("new.txt"));
    w.mnuFileSave_Click(); // cancelled: nothing written
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(std::tuple(w.confirmCancel, w.g.gfMatricesSaved), std::tuple(true, false));
    const Box& box = dialogs.boxes.at(0);
    EXPECT_EQ(
        std::tie(box.kind, box.dialog.InitDir, box.dialog.Filter, box.dialog.DialogTitle,
                 box.dialog.FileName, box.dialog.DefaultExt),
        std::tuple(Box::Save, dir.path(), kFilter, "Save Matrix Data (.txt) File", "", "txt"));
    w.mnuFileSave_Click();
    EXPECT_EQ(dir.read("new.txt"), saved);
    auto press = [](const char* button) {
        return [button](Form& f) { static_cast<CommandButton*>(f.find(button))->userClick(); };
    };
    enum Outcome { Appended, Replaced, Cancelled };
    const std::tuple<const char*, std::function<void(Form&)>, Outcome> cases[] = {
        {"Append", press("cmdAppend"), Appended},
        {"Enter presses Append", [](Form& f) { f.userPressEnter(); }, Appended},
        {"Replace", press("cmdOverwrite"), Replaced},
        {"closed without a button replaces", nullptr, Replaced},
        {"Cancel", press("cmdCancel"), Cancelled},
        {"Esc presses Cancel", [](Form& f) { f.userPressEscape(); }, Cancelled},
    };
    const std::string old = "# old\r\n" + kSep, expected[] = {old + saved, saved, old};
    for (const auto& [label, action, outcome] : cases) {
        SCOPED_TRACE(label);
        dialogs.clear();
        w.g.gfMatricesSaved = false;
        dialogs.file(dir.write("old.txt", old));
        if (action) dialogs.inModal(action);
        w.mnuFileSave_Click();
        const Box& q = dialogs.boxes.at(1);
        EXPECT_EQ(std::tie(q.kind, q.prompt, q.title, q.modal),
                  std::tuple(Box::FormShown, "frmConfirmSave", "File Exists", true));
        EXPECT_EQ(dir.read("old.txt"), expected[outcome]);
        EXPECT_EQ(std::tuple(w.confirmAppend, w.confirmCancel, w.g.gfMatricesSaved,
                             w.form.MousePointer()),
                  std::tuple(outcome == Appended, outcome == Cancelled, outcome != Cancelled, 0));
    }
}

// A failed save counts as cancelled (Exit stays open); a failed open changes nothing.
TEST_F(DataFileTest, FailuresAreReportedAsCriticalErrors) {
    std::filesystem::create_directory(dir.file("folder"));
    const std::string big = "Rows - 3000\r\nColumns - 3000\r\n 1 2\r\n";
    dir.write("big.txt", "Matrix - X\r\n" + big + "Matrix - Y\r\n" + big +
                             "Matrix - Z\r\nRows - 1\r\nColumns - 1\r\n 5\r\n");
    const std::tuple<bool, std::string, std::string, int> cases[] = {
        {false, "missing/list.txt", "Error No. - 76; Path not found", 2},
        {false, "folder", "Error No. - 75; Path/File access error", 2},
        {true, "none.txt", "Error No. 53; File not found", 2},
        {true, "big.txt",
         "2 matrices in the file have more than 4000000 elements. They have been skipped.", 3},
    };
    addAB();
    for (const auto& [open, file, prompt, count] : cases) {
        SCOPED_TRACE(file);
        dialogs.clear();
        w.confirmCancel = false;
        dialogs.file(dir.file(file));
        open ? w.mnuFileOpen_Click() : w.mnuFileSave_Click();
        ASSERT_EQ(dialogs.messages().size(), 1u);
        const Box b = dialogs.messages()[0];
        EXPECT_EQ(std::tie(b.prompt, b.title, b.icon, b.buttons),
                  std::tuple(prompt, open ? "frmVelmor - OpenMatrix" : "frmVelmor - SaveMatrix",
                             MsgIcon::Critical, MsgButtons::OK));
        EXPECT_EQ(std::tuple(w.confirmCancel, w.g.gfMatricesSaved, w.form.MousePointer(),
                             w.Matrices.Count(), w.mfFileRead, w.mnuFileSave.Enabled()),
                  std::tuple(!open, false, 0, count, count == 3, count == 3));
    }
}

TEST_F(DataFileTest, OpenStartsInTheCurrentSamplesElseTheInstalledOnesElseHome) {
    test::TempDir installed;
    platform.dataDir = installed.path();
    const std::string here = dir.file("exercises"), there = installed.file("exercises");
    // Folders made before each try, and where the dialog starts.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, platform.homeDir}, {{there}, there}, {{here}, here}};
    for (const auto& [made, expected] : cases) {
        for (const std::string& f : made) std::filesystem::create_directory(f);
        dialogs.file("");
        w.mnuFileOpen_Click();
        EXPECT_EQ(dialogs.boxes.back().dialog.InitDir, expected);
    }
}

// The taken name "a" asks first; the selectors are rebuilt and show the first entry.
TEST_F(DataFileTest, OpenAfterACancelledDialogAddsTheFileAndShowsTheFirstEntry) {
    ASSERT_EQ(w.Matrices.Add("a", Variant(Array::matrix(1, 1))), 0);
    w.cboMatrixInput.AddItem("a");
    w.cboMatrixInput2.AddItem("a");
    dialogs.file("").file(dir.write("list.txt", saved)).answer(MsgResult::OK);
    std::filesystem::create_directory(dir.file("exercises"));
    w.mnuFileOpen_Click(); // cancelled: nothing read
    EXPECT_FALSE(w.mfFileRead || w.mnuFileSave.Enabled());
    const Box& box = dialogs.boxes.at(0);
    EXPECT_EQ(std::tie(box.kind, box.dialog.InitDir, box.dialog.Filter, box.dialog.DialogTitle),
              std::tuple(Box::Open, dir.path() + "/exercises", kFilter, "Select Matrix Data File"));
    w.mnuFileOpen_Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const Box question = dialogs.messages()[0];
    EXPECT_EQ(std::tie(question.title, question.prompt),
              std::tuple("Matrix Exists",
                         "The matrix \"A\" already exists. Press OK to replace it, or "
                         "Cancel to rename the new matrix or abandon changes."));
    EXPECT_EQ(w.cboMatrixInput.items(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(w.cboMatrixInput2.items(), w.cboMatrixInput.items());
    EXPECT_EQ(std::tuple(w.cboMatrixInput.ListIndex(), w.cboMatrixInput2.ListIndex(),
                         w.mstrMatrixName, w.txtNo_Rows.Text(), w.MSFlexGrid1.TextMatrix(2, 2),
                         w.MSFlexGrid2.TextMatrix(1, 2), w.form.MousePointer()),
              std::tuple(0, 0, "A", "2", "4", "2", 0));
    EXPECT_TRUE(w.mfFileRead && w.mnuFileSave.Enabled() && w.cmdDelete.Enabled() &&
                w.cmdDeleteAll.Enabled() && w.cmdInput.hasFocus());
}

} // namespace
} // namespace velmor
