#include <filesystem>
#include <new>
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

// Runs out of memory at the first message whose prompt holds `failAt`.
struct OutOfMemoryDialogs : test::ScriptedDialogs {
    std::string failAt;
    MsgResult msgBox(const std::string& prompt, MsgButtons buttons, MsgIcon icon,
                     const std::string& title) override {
        if (!failAt.empty() && prompt.find(failAt) != std::string::npos) throw std::bad_alloc();
        return ScriptedDialogs::msgBox(prompt, buttons, icon, title);
    }
};

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

    OutOfMemoryDialogs dialogs;
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
        {"Replace", press("cmdOverwrite"), Replaced},
        {"closed without a button replaces", nullptr, Replaced},
        {"Cancel", press("cmdCancel"), Cancelled},
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
        {false, "missing/list.txt", "Error No. - 76; The folder was not found", 2},
        {false, "folder", "Error No. - 75; The file or folder cannot be used", 2},
        {true, "none.txt", "Error No. 53; The file was not found", 2},
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
        EXPECT_EQ(test::boxes(dialogs),
                  (test::Boxes{{prompt, MsgButtons::OK, MsgIcon::Critical,
                                open ? "frmVelmor - OpenMatrix" : "frmVelmor - SaveMatrix"}}));
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
    EXPECT_EQ(dialogs.messages()[0].title, "Matrix Exists");
    EXPECT_EQ(w.cboMatrixInput.items(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(w.cboMatrixInput2.items(), w.cboMatrixInput.items());
    EXPECT_EQ(std::tuple(w.cboMatrixInput.ListIndex(), w.cboMatrixInput2.ListIndex(),
                         w.mstrMatrixName, w.txtNo_Rows.Text(), w.MSFlexGrid1.TextMatrix(2, 2),
                         w.MSFlexGrid2.TextMatrix(1, 2), w.form.MousePointer()),
              std::tuple(0, 0, "A", "2", "4", "2", 0));
    EXPECT_TRUE(w.mfFileRead && w.mnuFileSave.Enabled() && w.cmdDelete.Enabled() &&
                w.cmdDeleteAll.Enabled() && w.cmdInput.hasFocus());
}

// A file written with another delimiter was misread without a word.
TEST_F(DataFileTest, OpenSaysWhichMatricesDidNotSplitAndWhichDelimiterWould) {
    const std::string sample = std::string(VELMOR_SOURCE_DIR) + "/exercises/comma-delimited.txt";
    dialogs.file(sample);
    w.mnuFileOpen_Click();
    EXPECT_EQ(test::boxes(dialogs),
              (test::Boxes{{"The rows of P, Q and T did not split into their declared numbers of "
                            "elements (3, 2 and 3) with the input delimiter \" \". They do with "
                            "\",\"; choose Format > Input Delimiter and open the file again.",
                            MsgButtons::OK, MsgIcon::Information, "frmVelmor - OpenMatrix"}}));
    EXPECT_TRUE(w.mfFileRead);

    dialogs.clear();
    w.mstrInputDelimiter = ",";
    dialogs.file(sample).answer(MsgResult::OK).answer(MsgResult::OK).answer(MsgResult::OK);
    w.mnuFileOpen_Click();
    EXPECT_EQ(dialogs.messages().size(), 3u); // only the three replace questions
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 3), "10.75");
}

// A small file declaring large matrices is read up to the budget, with one box; a failure
// part way through a file puts back the entries it replaced.
TEST_F(DataFileTest, OpenIsHeldToTheBudgetAndIsAllOrNothing) {
    addAB();
    std::string hostile;
    for (int k = 1; k <= 20; ++k)
        hostile += "Matrix - M" + std::to_string(k) + "\r\nRows - 400\r\nColumns - 1\r\n1\r\n";
    w.fileCellBudget = 1000;
    dialogs.file(dir.write("hostile.txt", hostile));
    w.mnuFileOpen_Click();
    EXPECT_EQ(test::boxes(dialogs),
              (test::Boxes{{"The file holds more matrices than the list can take from one file "
                            "(1000 elements, 32767 matrices). The matrices before that point "
                            "have been read; the rest of the file has been skipped.",
                            MsgButtons::OK, MsgIcon::Exclamation, "frmVelmor - OpenMatrix"}}));
    EXPECT_EQ(w.cboMatrixInput.items(), (std::vector<std::string>{"A", "B", "M1", "M2"}));
    EXPECT_TRUE(w.mfFileRead);

    // A is replaced, then memory runs out at the question about B: A comes back unchanged.
    dialogs.clear();
    const CMatrix* oldA = w.Matrices.Item(1);
    dialogs.failAt = "\"B\"";
    dialogs.file(dir.write("again.txt", saved)).answer(MsgResult::OK);
    w.mnuFileOpen_Click();
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(test::boxes(dialogs)[1],
              (test::ExpectedBox{"Error No. 7; There is not enough memory for this", MsgButtons::OK,
                                 MsgIcon::Critical, "frmVelmor - OpenMatrix"}));
    std::vector<std::string> names;
    for (const auto& e : w.Matrices) names.push_back(e->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "M1", "M2"}));
    EXPECT_EQ(w.Matrices.Item("a"), oldA);
    EXPECT_EQ(std::tuple(w.mfFileRead, w.form.MousePointer()), std::tuple(false, 0));
}

// One box names the first element a file would not give back; nothing is written and the
// list stays unsaved, so an exit that asked for the save stays open.
TEST_F(DataFileTest, SaveRefusesElementsThatWouldNotReadBack) {
    addAB();
    Array a = Array::matrix(1, 2);
    a.at(1, 1) = Variant("1");
    a.at(1, 2) = Variant("see matrix - A");
    ASSERT_EQ(w.Matrices.Add("C", Variant(std::move(a))), 0);
    w.mnuFileSave_Click();
    ASSERT_EQ(dialogs.boxes.size(), 1u); // no file dialog
    EXPECT_EQ(test::boxes(dialogs),
              (test::Boxes{{"Element (1, 2) of the matrix \"C\" would not read back from the "
                            "file: it contains \"matrix -\". Change the element and save again.",
                            MsgButtons::OK, MsgIcon::Exclamation, "frmVelmor - SaveMatrix"}}));
    EXPECT_EQ(std::tuple(w.confirmCancel, w.g.gfMatricesSaved), std::tuple(true, false));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Cancel during the work: the file, the list and the saved mark as they were, no box.
TEST_F(DataFileTest, CancelledOpenAndSaveLeaveFilesAndListAsTheyWere) {
    addAB();
    const std::string old = "# old\r\n" + kSep;
    dialogs.cancelLongWork = true;
    dialogs.file(dir.file("new.txt")).file(dir.write("old.txt", old)).inModal([](Form& f) {
        static_cast<CommandButton*>(f.find("cmdOverwrite"))->userClick();
    });
    w.mnuFileSave_Click();
    w.mnuFileSave_Click();
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.txt")));
    EXPECT_EQ(dir.read("old.txt"), old);
    EXPECT_EQ(std::tuple(w.confirmCancel, w.g.gfMatricesSaved), std::tuple(true, false));
    dialogs.file(dir.write("list.txt", saved));
    w.mnuFileOpen_Click();
    EXPECT_EQ(dialogs.longWork, (std::vector<std::string>{"Save", "Save", "Open"}));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(std::tuple(w.Matrices.Count(), w.mfFileRead, w.cboMatrixInput.ListCount(),
                         w.form.MousePointer()),
              std::tuple(2, false, 0, 0));
}
} // namespace
} // namespace velmor
