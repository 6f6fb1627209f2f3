#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/main_window_scenario.h"

namespace velmor::test {
namespace {

using ButtonStates = MainWindowScenario;

TEST_F(ButtonStates, TheWindowStartsWithInputAndExitOnlyAndTheSecondHalfHidden) {
    EXPECT_TRUE(w.g.gfMatricesSaved);
    // Only Input and Exit work; the second matrix's half and the cell editor are hidden.
    const std::vector<Control*> hidden = {
        &w.lblMatrixBottom, &w.cboMatrixInput2, &w.lblRows2,        &w.txtNo_Rows2, &w.lblColumns2,
        &w.txtNo_Columns2,  &w.lblDescription2, &w.txtDescription2, &w.MSFlexGrid2, &w.Text1};
    for (Control* c : w.form.controls()) {
        const bool button = c->kind() == ControlKind::Button;
        EXPECT_EQ(c->Visible(), std::find(hidden.begin(), hidden.end(), c) == hidden.end())
            << c->name();
        EXPECT_EQ(c->Enabled(), !button || c == &w.cmdInput || c == &w.cmdExit) << c->name();
    }
    EXPECT_FALSE(w.mnuFileSave.Enabled());
}

TEST(Startup, ReadsTheSettingsFileOrSaysWhyNot) {
    const std::string missing = "The Velmor.ini file could not be found.\rA single space is the "
                                "default delimiter in text files for input and output data.\r"
                                "Press OK and select \"Format\" to change the delimiter.";
    // Name in any case, LF and CR line ends; no file, a folder instead, no quote, unreadable.
    const std::pair<std::string, std::string> cases[] = {
        {"VELMOR.INI", ""},
        {"Velmor.Ini", ""},
        {"none", missing},
        {"folder", missing},
        {"no quote", "Error No. - 9; A row or column outside the matrix was used"},
        {"unreadable", "Error No. - 57; The file could not be read or written"}};
    for (const auto& [file, prompt] : cases) {
        SCOPED_TRACE(file);
        StartupHarness h;
        const std::string ini = h.dir.file("velmor.ini");
        if (file == "folder") std::filesystem::create_directory(ini);
        if (file == "no quote") h.dir.write("velmor.ini", "Output_Delimiter = ,\r\n");
        if (file == "unreadable") std::filesystem::create_symlink("/proc/self/mem", ini);
        if (file.find('.') != std::string::npos)
            h.dir.write(file, "Input_Delimiter = \";\"\nOutput_Delimiter = \",\"\r");
        const bool loads = prompt.empty() || prompt == missing;
        EXPECT_EQ(h.w.Form_Load(), loads);
        EXPECT_EQ(h.w.ended(), !loads);
        EXPECT_EQ(h.w.mstrInputDelimiter + h.w.mstrOutputDelimiter, !loads           ? ""
                                                                    : prompt.empty() ? ";,"
                                                                                     : "  ");
        ASSERT_EQ(h.dialogs.boxes.size(), prompt.empty() ? 0u : 1u);
        if (prompt.empty()) continue;
        const Box& b = h.dialogs.boxes[0];
        EXPECT_EQ(b.prompt, prompt);
        EXPECT_EQ(b.buttons, MsgButtons::OK);
        EXPECT_EQ(b.icon, loads ? MsgIcon::None : MsgIcon::Critical);
        EXPECT_EQ(b.title, loads ? "Velmor" : "frmVelmor - Form_Load");
        EXPECT_EQ(std::filesystem::exists(ini), file != "none"); // nothing written
    }
}

TEST(Startup, LooksForSettingsInTheStartFolderThenTheUsersThenTheInstalledOne) {
    // Which folders hold a velmor.ini (each with its own delimiter), and the file read.
    struct Case {
        bool start, user, installed, userFolderBlocked;
        std::string expectedFolder; // "" : none found
    };
    const Case cases[] = {{true, true, true, false, "start"},
                          {false, true, true, false, "user/velmor"},
                          {false, false, true, false, "user/velmor"}, // the copy made
                          {false, false, true, true, "share/velmor"}, // no copy possible
                          {false, false, false, false, ""}};
    for (const Case& c : cases) {
        StartupHarness h;
        TempDir root;
        SCOPED_TRACE(c.expectedFolder + (c.userFolderBlocked ? " blocked" : ""));
        namespace fs = std::filesystem;
        for (const char* d : {"start", "share/velmor"}) fs::create_directories(root.file(d));
        if (c.userFolderBlocked) root.write("user", "a file where the folder would go");
        h.platform.currentDir = root.file("start");
        h.platform.configDir = root.file("user/velmor");
        h.platform.dataDir = root.file("share/velmor");
        if (c.start) root.write("start/velmor.ini", "Input_Delimiter \";\"");
        if (c.user) {
            fs::create_directories(root.file("user/velmor"));
            root.write("user/velmor/Velmor.ini", "Input_Delimiter \",\"");
        }
        if (c.installed) root.write("share/velmor/velmor.ini", "Input_Delimiter \"|\"");

        ASSERT_TRUE(h.w.Form_Load());
        const std::string expected = c.expectedFolder.empty() ? "" : root.file(c.expectedFolder);
        EXPECT_EQ(fs::path(h.w.mstrSettingsInUse).parent_path().string(), expected);
        EXPECT_EQ(h.w.mstrInputDelimiter, c.start ? ";" : c.user ? "," : c.installed ? "|" : " ");
        EXPECT_EQ(h.dialogs.boxes.size(), expected.empty() ? 1u : 0u); // the missing-file box
    }
}

TEST(Startup, FormatMenuChangesTheDelimitersForTheRunOnly) {
    StartupHarness h;
    const char* ini = "Input_Delimiter = \",\"\r\nOutput_Delimiter = \",\"\r\n";
    h.start(ini);
    FrmVelmor& w = h.w;
    // An empty answer (cleared box, Cancel) keeps the delimiter; each offer shows the current.
    h.dialogs.input("").input("; ").input("\t").input("");
    for (MenuItem* m :
         {&w.mnuInputDelimiter, &w.mnuInputDelimiter, &w.mnuOutputDelimiter, &w.mnuInputDelimiter})
        m->userClick();
    EXPECT_EQ(w.mstrInputDelimiter + w.mstrOutputDelimiter, "; \t");
    ASSERT_EQ(h.dialogs.boxes.size(), 4u);
    const Box &first = h.dialogs.boxes[0], &output = h.dialogs.boxes[2];
    EXPECT_EQ(first.prompt, "Key in the delimiter for the input data or accept the default \",\".");
    EXPECT_EQ(first.title + "|" + first.defaultText, "Input Delimiter|,");
    EXPECT_EQ(output.prompt,
              "Key in the delimiter for the output data or accept the default \",\".");
    EXPECT_EQ(output.title, "Output Delimiter");
    EXPECT_EQ(h.dialogs.boxes[3].defaultText, "; ");
    EXPECT_EQ(h.dir.read("velmor.ini"), ini); // not written back
}

TEST_F(ButtonStates, EnableFollowsTheShapesShownDisableLeavesOnlyExit) {
    w.mintMatrixCount = 7; // an empty list is only counted, the buttons kept
    w.mvarMatrix = Variant(Array::matrix(2, 2));
    w.cmdCancel.setEnabled(true);
    w.EnableButtons();
    EXPECT_EQ(w.mintMatrixCount, 0);
    EXPECT_TRUE(w.cmdCancel.Enabled());
    struct Case { // first matrix, second's count boxes, Add before; then expected states
        int rows, cols;
        const char *rows2, *cols2;
        bool addBefore, square, multiply, add;
    };
    const Case cases[] = {
        {3, 3, "", "", false, true, false, false},   {3, 3, "", "", true, true, false, true},
        {2, 3, "3", "4", true, false, true, false},  {2, 2, "2", "2", false, true, true, true},
        {2, 3, "2", "3", false, false, false, true}, {3, 3, "03", "3", true, true, false, false},
    };
    w.Matrices.Add("A", Variant(Array::matrix(1, 1)), "");
    const auto once = {&w.cmdSave, &w.cmdCancel, &w.cmdClear};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        w.mvarMatrix = Variant(Array::matrix(c.rows, c.cols));
        w.txtNo_Rows2.setText(c.rows2);
        w.txtNo_Columns2.setText(c.cols2);
        for (CommandButton* b : {&w.cmdAdd, &w.cmdSubtract}) b->setEnabled(c.addBefore);
        for (CommandButton* b : once) b->setEnabled(true);
        w.EnableButtons();
        EXPECT_EQ(w.txtNo_Rows.Text(), std::to_string(c.rows));
        EXPECT_EQ(w.txtNo_Columns.Text(), std::to_string(c.cols));
        for (CommandButton* b : once) EXPECT_FALSE(b->Enabled()) << b->name();
        for (CommandButton* b :
             {&w.cmdDelete, &w.cmdDeleteAll, &w.cmdInput, &w.cmdTranspose, &w.cmdScale, &w.cmdExit})
            EXPECT_TRUE(b->Enabled()) << b->name();
        for (CommandButton* b : {&w.cmdInvert, &w.cmdProperties, &w.cmdAdjoint})
            EXPECT_EQ(b->Enabled(), c.square) << b->name();
        EXPECT_EQ(w.cmdMultiply.Enabled(), c.multiply);
        for (CommandButton* b : {&w.cmdAdd, &w.cmdSubtract}) EXPECT_EQ(b->Enabled(), c.add);
    }
    w.mvarMatrix = Variant();
    EXPECT_THROW(w.EnableButtons(), RuntimeError);
    EXPECT_TRUE(dialogs.boxes.empty()); // the caller reports it
    for (Control* c : w.form.controls())
        if (c->kind() == ControlKind::Button) c->setEnabled(true);
    w.DisableButtons();
    for (Control* c : w.form.controls())
        EXPECT_TRUE(c->kind() != ControlKind::Button || c->Enabled() == (c == &w.cmdExit))
            << c->name();
}

TEST_F(ButtonStates, TabSkipsTheEntryFieldsWhileChoosingOperandsOnly) {
    w.cboMatrixInput2.setVisible(true);
    w.cboMatrixInput2.setEnabled(false);
    w.TabStopMatrixOps(); // re-enables the second list
    w.cmdInput.SetFocus();
    std::vector<Control*> order;
    for (int i = 0; i < 3; ++i) w.form.userTab(), order.push_back(w.form.ActiveControl());
    EXPECT_EQ(order, (std::vector<Control*>{&w.cboMatrixInput, &w.cboMatrixInput2, &w.cmdExit}));
    w.TabStopInput();
    for (Control* c : std::initializer_list<Control*>{&w.txtNo_Rows, &w.txtNo_Columns,
                                                      &w.txtDescription, &w.MSFlexGrid1, &w.cmdSave,
                                                      &w.cmdDelete, &w.cmdDeleteAll, &w.Slider1})
        EXPECT_TRUE(c->TabStop()) << c->name();
    EXPECT_FALSE(w.Text1.TabStop());
}

} // namespace
} // namespace velmor::test
