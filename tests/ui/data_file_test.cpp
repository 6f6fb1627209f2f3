#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "ui/main/frm_velmor.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

namespace velmor {
namespace {

using test::Box;

constexpr const char* kFilter = "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*";
constexpr const char* kSep = "#****************************************\r\n";

Variant texts(std::initializer_list<std::initializer_list<const char*>> rows) {
    Array a = Array::matrix(static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size()));
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (const char* t : row) a.at(i, j++) = Variant(t);
        ++i;
    }
    return Variant(std::move(a));
}

// What the save of the list A, B below writes, after the date line.
const std::string kSavedList = std::string(kSep) +
                               "Matrix - A\r\n\r\nDescription - \r\nRows - 2 \r\nColumns - 2 \r\n"
                               "\r\n 1 2\r\n 3 4\r\n\r\n" +
                               kSep +
                               "Matrix - B\r\n\r\nDescription - row\r\nRows - 1 \r\n"
                               "Columns - 3 \r\n\r\n 5 6 7\r\n\r\n" +
                               kSep;

class DataFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.currentDir = dir.path();
        w = std::make_unique<FrmVelmor>(dialogs, platform, format);
        w->mstrInputDelimiter = " ";
        w->mstrOutputDelimiter = " ";
    }

    void addAB() {
        ASSERT_EQ(w->Matrices.Add("A", texts({{"1", "2"}, {"3", "4"}})), 0);
        ASSERT_EQ(w->Matrices.Add("B", texts({{"5", "6", "7"}}), "row"), 0);
        w->g.gfMatricesSaved = false;
    }

    std::string header() const { return "# " + platform.now + "\r\n"; }

    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (const auto& e : w->Matrices) out.push_back(e->Name);
        return out;
    }

    test::ScriptedDialogs dialogs;
    test::FakePlatform platform;
    NumberFormat format{"."};
    test::TempDir dir;
    std::unique_ptr<FrmVelmor> w;
};

TEST_F(DataFileTest, SaveWritesTheWholeListToANewFile) {
    addAB();
    dialogs.file(dir.file("list.txt"));
    w->mnuFileSave_Click();

    ASSERT_EQ(dialogs.boxes.size(), 1u);
    const Box& save = dialogs.boxes[0];
    EXPECT_EQ(save.kind, Box::Save);
    EXPECT_EQ(save.dialog.InitDir, dir.path());
    EXPECT_EQ(save.dialog.Filter, kFilter);
    EXPECT_EQ(save.dialog.DialogTitle, "Save Matrix Data (.txt) File");
    EXPECT_EQ(save.dialog.FileName, "");

    EXPECT_EQ(dir.read("list.txt"), header() + kSavedList);
    EXPECT_TRUE(w->g.gfMatricesSaved);
    EXPECT_FALSE(w->confirmCancel);
    EXPECT_FALSE(w->confirmAppend);
    EXPECT_EQ(w->g.gintNo_Rows, 1); // the counts of the last entry written
    EXPECT_EQ(w->g.gintNo_Columns, 3);
    EXPECT_EQ(w->CommonDialog1.InitDir, "");
    EXPECT_EQ(w->CommonDialog1.FileName, "");
    EXPECT_EQ(w->form.MousePointer(), 0);
}

TEST_F(DataFileTest, TheFileExistsQuestionDecidesHowAnExistingFileIsWritten) {
    auto press = [](const char* button) {
        return [button](Form& f) { static_cast<CommandButton*>(f.find(button))->userClick(); };
    };
    struct Case {
        const char* label;
        std::function<void(Form&)> action; // empty: the dialog is closed without a button
        bool appended, replaced, cancelled;
    };
    const Case cases[] = {
        {"Append", press("cmdAppend"), true, false, false},
        {"Enter presses Append", [](Form& f) { f.userPressEnter(); }, true, false, false},
        {"Replace", press("cmdOverwrite"), false, true, false},
        {"closed without a button replaces", nullptr, false, true, false},
        {"Cancel", press("cmdCancel"), false, false, true},
        {"Esc presses Cancel", [](Form& f) { f.userPressEscape(); }, false, false, true},
    };
    addAB();
    const std::string old = header() + kSep + "Matrix - Old\r\n" + kSep;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string path = dir.write("exists.txt", old);
        dialogs.clear();
        w->g.gfMatricesSaved = false;
        dialogs.file(path);
        if (c.action) dialogs.inModal(c.action);
        w->mnuFileSave_Click();

        ASSERT_EQ(dialogs.boxes.size(), 2u);
        const Box& q = dialogs.boxes[1];
        EXPECT_EQ(q.kind, Box::FormShown);
        EXPECT_EQ(q.prompt, "frmConfirmSave");
        EXPECT_EQ(q.title, "File Exists");
        EXPECT_TRUE(q.modal);

        const std::string now = dir.read("exists.txt");
        const std::string expected = c.appended   ? old + header() + kSavedList
                                     : c.replaced ? header() + kSavedList
                                                  : old;
        EXPECT_EQ(now, expected);
        EXPECT_EQ(w->confirmAppend, c.appended);
        EXPECT_EQ(w->confirmCancel, c.cancelled);
        EXPECT_EQ(w->g.gfMatricesSaved, !c.cancelled);
        EXPECT_EQ(w->form.MousePointer(), 0);
    }
}

TEST_F(DataFileTest, CancellingTheSaveDialogWritesNothingAndALaterSaveWorks) {
    addAB();
    dialogs.file("");
    w->mnuFileSave_Click();
    EXPECT_TRUE(w->confirmCancel);
    EXPECT_FALSE(w->g.gfMatricesSaved);
    EXPECT_EQ(w->CommonDialog1.InitDir, "");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    dialogs.file(dir.file("later.txt"));
    w->mnuFileSave_Click();
    EXPECT_FALSE(w->confirmCancel);
    EXPECT_TRUE(w->g.gfMatricesSaved);
    EXPECT_EQ(dir.read("later.txt"), header() + kSavedList);
}

TEST_F(DataFileTest, AFailedWriteIsReportedAndTheListStaysUnsaved) {
    std::filesystem::create_directory(dir.file("folder"));
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("missing/list.txt"), "Error No. - 76; Path not found"},
        {dir.file("folder"), "Error No. - 75; Path/File access error"},
    };
    addAB();
    for (const auto& [path, prompt] : cases) {
        SCOPED_TRACE(path);
        dialogs.clear();
        dialogs.file(path);
        w->mnuFileSave_Click();
        ASSERT_EQ(dialogs.messages().size(), 1u);
        const Box b = dialogs.messages()[0];
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.title, "frmVelmor - SaveMatrix");
        EXPECT_EQ(b.icon, MsgIcon::Critical);
        EXPECT_EQ(b.buttons, MsgButtons::OK);
        EXPECT_FALSE(w->g.gfMatricesSaved);
        EXPECT_TRUE(w->confirmCancel);
        EXPECT_EQ(w->form.MousePointer(), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}

TEST_F(DataFileTest, ExitYesWithAFailedSaveKeepsTheProgramOpen) {
    addAB();
    dialogs.answer(MsgResult::Yes).file(dir.file("missing/list.txt"));
    w->cmdExit_Click();
    EXPECT_FALSE(w->ended());
    EXPECT_FALSE(platform.quitCalled);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].title, "frmVelmor - SaveMatrix");
}

TEST_F(DataFileTest, OpenAddsTheFileAndShowsTheFirstEntry) {
    const std::string path = dir.write("list.txt", header() + kSavedList);
    dialogs.file(path);
    w->mnuFileOpen_Click();

    const Box& open = dialogs.boxes.at(0);
    EXPECT_EQ(open.kind, Box::Open);
    EXPECT_EQ(open.dialog.InitDir, dir.path() + "/exercises");
    EXPECT_EQ(open.dialog.Filter, kFilter);
    EXPECT_EQ(open.dialog.DialogTitle, "Select Matrix Data File");
    EXPECT_TRUE(dialogs.messages().empty());

    EXPECT_EQ(names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(w->Matrices.Item(2)->Description, "row");
    EXPECT_EQ(w->Matrices.Item(2)->Matrix(), texts({{"5", "6", "7"}}));
    EXPECT_EQ(w->cboMatrixInput.items(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(w->cboMatrixInput2.items(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(w->cboMatrixInput.ListIndex(), 0);
    EXPECT_EQ(w->cboMatrixInput2.ListIndex(), 0);
    EXPECT_TRUE(w->mfFileRead);
    EXPECT_TRUE(w->g.gfMatricesSaved);
    EXPECT_TRUE(w->mnuFileSave.Enabled());
    EXPECT_TRUE(w->cmdDelete.Enabled());
    EXPECT_TRUE(w->cmdDeleteAll.Enabled());
    EXPECT_TRUE(w->cmdInput.hasFocus());
    EXPECT_EQ(w->mstrMatrixName, "A");
    EXPECT_EQ(w->form.MousePointer(), 0);
    // The selectors' Click logic has shown the first entry in both grids.
    EXPECT_EQ(w->txtNo_Rows.Text(), "2");
    EXPECT_EQ(w->MSFlexGrid1.TextMatrix(2, 2), "4");
    EXPECT_EQ(w->MSFlexGrid2.TextMatrix(1, 2), "2");
}

TEST_F(DataFileTest, OpenAsksAboutTakenNamesAndRebuildsBothSelectors) {
    ASSERT_EQ(w->Matrices.Add("a", texts({{"0"}})), 0);
    ASSERT_EQ(w->Matrices.Add("C", texts({{"9"}})), 0);
    w->cboMatrixInput.AddItem("a");
    w->cboMatrixInput.AddItem("C");
    w->cboMatrixInput2.AddItem("a");
    w->cboMatrixInput2.AddItem("C");
    dialogs.file(dir.write("list.txt", header() + kSavedList)).answer(MsgResult::OK);
    w->mnuFileOpen_Click();

    ASSERT_FALSE(dialogs.messages().empty());
    const Box q = dialogs.messages()[0];
    EXPECT_EQ(q.title, "Matrix Exists");
    EXPECT_EQ(q.prompt, "The matrix \"A\" already exists. Press OK to replace it, or Cancel to "
                        "rename the new matrix or abandon changes.");
    const std::vector<std::string> expected{"C", "A", "B"};
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(w->cboMatrixInput.items(), expected);
    EXPECT_EQ(w->cboMatrixInput2.items(), expected);
    EXPECT_EQ(w->Matrices.Item(2)->Matrix(), texts({{"1", "2"}, {"3", "4"}}));
}

TEST_F(DataFileTest, AFileThatCannotBeReadLeavesTheListAsItWas) {
    ASSERT_EQ(w->Matrices.Add("A", texts({{"1"}})), 0);
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("none.txt"), "Error No. 53; File not found"},
        {dir.path(), "Error No. 75; Path/File access error"},
    };
    for (const auto& [path, prompt] : cases) {
        SCOPED_TRACE(path);
        dialogs.clear();
        dialogs.file(path);
        w->mnuFileOpen_Click();
        ASSERT_EQ(dialogs.messages().size(), 1u);
        const Box b = dialogs.messages()[0];
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.title, "frmVelmor - OpenMatrix");
        EXPECT_EQ(b.icon, MsgIcon::Critical);
        EXPECT_EQ(w->Matrices.Count(), 1);
        EXPECT_FALSE(w->mfFileRead);
        EXPECT_FALSE(w->mnuFileSave.Enabled());
        EXPECT_EQ(w->form.MousePointer(), 0);
    }
}

TEST_F(DataFileTest, CancellingTheOpenDialogReadsNothing) {
    dialogs.file("");
    w->mnuFileOpen_Click();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_FALSE(w->mfFileRead);
    EXPECT_EQ(w->CommonDialog1.InitDir, "");
    EXPECT_FALSE(w->mnuFileSave.Enabled());
}

TEST_F(DataFileTest, OversizeMatricesAreReportedOncePerFile) {
    const std::string big = "Rows - 3000\r\nColumns - 3000\r\n 1 2\r\n";
    dialogs.file(dir.write("big.txt", "Matrix - X\r\n" + big + "Matrix - Y\r\n" + big +
                                          "Matrix - Z\r\nRows - 1\r\nColumns - 1\r\n 5\r\n"));
    w->mnuFileOpen_Click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const Box b = dialogs.messages()[0];
    EXPECT_EQ(b.prompt,
              "2 matrices in the file have more than 4000000 elements. They have been skipped.");
    EXPECT_EQ(b.title, "frmVelmor - OpenMatrix");
    EXPECT_EQ(b.icon, MsgIcon::Critical);
    EXPECT_EQ(names(), std::vector<std::string>{"Z"});
    EXPECT_TRUE(w->mfFileRead);
}

TEST_F(DataFileTest, ASavedListOpensAgainWithTheSameEntries) {
    addAB();
    dialogs.file(dir.file("round.txt"));
    w->mnuFileSave_Click();

    FrmVelmor other(dialogs, platform, format);
    other.mstrInputDelimiter = " ";
    dialogs.file(dir.file("round.txt"));
    other.mnuFileOpen_Click();
    ASSERT_EQ(other.Matrices.Count(), 2);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(other.Matrices.Item(k)->Name, w->Matrices.Item(k)->Name);
        EXPECT_EQ(other.Matrices.Item(k)->Description, w->Matrices.Item(k)->Description);
        EXPECT_EQ(other.Matrices.Item(k)->Matrix(), w->Matrices.Item(k)->Matrix());
    }
}

} // namespace
} // namespace velmor
