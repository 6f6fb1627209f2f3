#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

const char* const kMissingIni =
    "The Velmor.ini file could not be found.\r"
    "A single space is the default delimiter in text files for input and output data.\r"
    "Press OK and select \"Format\" to change the delimiter.";

TEST(Startup, ShowsTheWindowInItsStartState) {
    StartupHarness h;
    h.dir.write("velmor.ini", kStandardIni);
    FrmVelmor& w = h.w;
    ASSERT_TRUE(w.Form_Load());
    w.Show();

    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_EQ(h.dialogs.boxes[0].kind, Box::FormShown);
    EXPECT_EQ(h.dialogs.boxes[0].prompt, "frmVelmor");
    EXPECT_EQ(h.dialogs.boxes[0].title, "Dravik Software - Velmor");
    EXPECT_FALSE(h.dialogs.boxes[0].modal);
    EXPECT_TRUE(w.form.Visible());
    EXPECT_FALSE(w.ended());

    EXPECT_EQ(w.mstrStartDir, h.dir.path());
    EXPECT_EQ(w.mstrIniFile, h.dir.file("velmor.ini"));
    EXPECT_EQ(w.mstrInputDelimiter, " ");
    EXPECT_EQ(w.mstrOutputDelimiter, " ");
    EXPECT_EQ(w.g.gintFormWidth, 9840);
    EXPECT_EQ(w.g.gintFormHeight, 8370);
    EXPECT_EQ(w.MSFlexGrid1.ColWidth(0), 550);
    EXPECT_EQ(w.MSFlexGrid2.ColWidth(0), 550);
    EXPECT_EQ(w.g.gintStdColWidth, 960);
    EXPECT_TRUE(w.g.gfMatricesSaved);
    EXPECT_EQ(w.Matrices.Count(), 0);
    EXPECT_EQ(w.form.MousePointer(), 0);

    // Among the buttons only Input and Exit work; File > Save is the only disabled menu.
    for (Control* c : w.form.controls()) {
        if (c->kind() != ControlKind::Button) continue;
        SCOPED_TRACE(c->name());
        EXPECT_EQ(c->Enabled(), c == &w.cmdInput || c == &w.cmdExit);
    }
    for (MenuItem* m :
         {&w.mnuFile, &w.mnuFileOpen, &w.mnuFileExit, &w.mnuFormat, &w.mnuInputDelimiter,
          &w.mnuOutputDelimiter, &w.mnuHelp, &w.mnuAbout, &w.mnuContents})
        EXPECT_TRUE(m->Enabled()) << m->name();
    EXPECT_FALSE(w.mnuFileSave.Enabled());

    // The second matrix's half is hidden, and so is the cell editor.
    const std::vector<Control*> hidden = {
        &w.lblMatrixBottom, &w.cboMatrixInput2, &w.lblRows2,        &w.txtNo_Rows2, &w.lblColumns2,
        &w.txtNo_Columns2,  &w.lblDescription2, &w.txtDescription2, &w.MSFlexGrid2, &w.Text1};
    for (Control* c : w.form.controls())
        EXPECT_EQ(c->Visible(), std::find(hidden.begin(), hidden.end(), c) == hidden.end())
            << c->name();
    EXPECT_EQ(w.form.cancelButton(), &w.cmdExit);
    EXPECT_EQ(w.Slider1.Value(), 0);
    EXPECT_EQ(w.Slider1.Min(), 0);
    EXPECT_EQ(w.Slider1.Max(), 10);
}

TEST(Startup, MissingSettingsFileGivesOneMessageAndSpaceDelimiters) {
    StartupHarness h;
    ASSERT_TRUE(h.w.Form_Load());

    const auto boxes = h.dialogs.messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, kMissingIni);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::OK);
    EXPECT_EQ(boxes[0].icon, MsgIcon::None);
    EXPECT_EQ(boxes[0].title, "Velmor");
    EXPECT_EQ(h.w.mstrInputDelimiter, " ");
    EXPECT_EQ(h.w.mstrOutputDelimiter, " ");
    EXPECT_EQ(h.w.mstrIniFile, h.dir.file("velmor.ini"));
    EXPECT_TRUE(h.w.g.gfMatricesSaved);
    // Nothing is written back.
    EXPECT_FALSE(std::filesystem::exists(h.dir.file("velmor.ini")));
}

TEST(Startup, FindsTheSettingsFileWhateverTheCaseOfItsName) {
    for (const char* name : {"VELMOR.INI", "Velmor.Ini"}) {
        SCOPED_TRACE(name);
        StartupHarness h;
        h.dir.write(name, "Input_Delimiter = \";\"\r\nOutput_Delimiter = \",\"\r\n");
        ASSERT_TRUE(h.w.Form_Load());
        EXPECT_TRUE(h.dialogs.messages().empty());
        EXPECT_EQ(h.w.mstrInputDelimiter, ";");
        EXPECT_EQ(h.w.mstrOutputDelimiter, ",");
        EXPECT_EQ(h.w.mstrIniFile, h.dir.file(name));
    }
}

TEST(Startup, AFolderNamedLikeTheSettingsFileCountsAsMissing) {
    StartupHarness h;
    std::filesystem::create_directory(h.dir.file("velmor.ini"));
    ASSERT_TRUE(h.w.Form_Load());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages()[0].prompt, kMissingIni);
}

TEST(Startup, SettingsEdgeCases) {
    struct Case {
        const char* name;
        const char* text;
        const char *input, *output;
    };
    const Case cases[] = {
        {"only the output key", "Output_Delimiter=\",\"\r\n", "", ","},
        {"empty file", "", "", ""},
        {"no key", "[Velmor]\r\nDelimiter = \";\"\r\n", "", ""},
        {"adjacent quotes", "Input_Delimiter = \";\"\r\nOutput_Delimiter = \"\"\r\n", ";", ""},
        {"both keys on one line", "Input_Delimiter Output_Delimiter \"|\"\r\n", "|", "|"},
        {"blanks around the line", "  Input_Delimiter = \" ; \"  \r\n", " ; ", ""},
        {"LF line ends", "Input_Delimiter = \";\"\nOutput_Delimiter = \",\"\n", ";", ","},
        {"CR line ends", "Input_Delimiter = \";\"\rOutput_Delimiter = \",\"\r", ";", ","},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        h.dir.write("velmor.ini", c.text);
        ASSERT_TRUE(h.w.Form_Load());
        EXPECT_TRUE(h.dialogs.boxes.empty());
        EXPECT_EQ(h.w.mstrInputDelimiter, c.input);
        EXPECT_EQ(h.w.mstrOutputDelimiter, c.output);
    }
}

TEST(Startup, ASettingsFailureStopsTheStartWithOneErrorBox) {
    struct Case {
        const char* name;
        std::string prompt;
    };
    const Case cases[] = {
        {"key line without a quote", "Error No. - 9; Subscript out of range"},
        {"file that cannot be read", "Error No. - 57; Device I/O error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        if (c.prompt.find(" 9;") != std::string::npos)
            h.dir.write("velmor.ini", "Input_Delimiter = \" \"\r\nOutput_Delimiter = ,\r\n");
        else
            std::filesystem::create_symlink("/proc/self/mem", h.dir.file("velmor.ini"));

        EXPECT_FALSE(h.w.Form_Load());
        ASSERT_EQ(h.dialogs.boxes.size(), 1u);
        EXPECT_EQ(h.dialogs.boxes[0].prompt, c.prompt);
        EXPECT_EQ(h.dialogs.boxes[0].buttons, MsgButtons::OK);
        EXPECT_EQ(h.dialogs.boxes[0].icon, MsgIcon::Critical);
        EXPECT_EQ(h.dialogs.boxes[0].title, "frmVelmor - Form_Load");
        EXPECT_FALSE(h.w.form.Visible());
        EXPECT_TRUE(h.w.ended());
    }
}

TEST(Startup, FormatMenuChangesTheDelimitersForTheRun) {
    StartupHarness h;
    h.start("Input_Delimiter = \",\"\r\nOutput_Delimiter = \",\"\r\n");
    FrmVelmor& w = h.w;

    // An empty answer (cleared box or Cancel) keeps the delimiter.
    h.dialogs.input("");
    w.mnuInputDelimiter.userClick();
    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_EQ(h.dialogs.boxes[0].kind, Box::Input);
    EXPECT_EQ(h.dialogs.boxes[0].prompt,
              "Key in the delimiter for the input data or accept the default \",\".");
    EXPECT_EQ(h.dialogs.boxes[0].title, "Input Delimiter");
    EXPECT_EQ(h.dialogs.boxes[0].defaultText, ",");
    EXPECT_EQ(w.mstrInputDelimiter, ",");

    h.dialogs.input("; ");
    w.mnuInputDelimiter.userClick();
    EXPECT_EQ(w.mstrInputDelimiter, "; ");
    EXPECT_EQ(w.mstrOutputDelimiter, ",");

    h.dialogs.input("\t");
    w.mnuOutputDelimiter.userClick();
    ASSERT_EQ(h.dialogs.boxes.size(), 3u);
    EXPECT_EQ(h.dialogs.boxes[2].prompt,
              "Key in the delimiter for the output data or accept the default \",\".");
    EXPECT_EQ(h.dialogs.boxes[2].title, "Output Delimiter");
    EXPECT_EQ(h.dialogs.boxes[2].defaultText, ",");
    EXPECT_EQ(w.mstrOutputDelimiter, "\t");

    // The next offer shows the delimiter now in force.
    h.dialogs.input("");
    w.mnuInputDelimiter.userClick();
    EXPECT_EQ(h.dialogs.last().prompt,
              "Key in the delimiter for the input data or accept the default \"; \".");
    EXPECT_EQ(h.dialogs.last().defaultText, "; ");
    EXPECT_EQ(w.mstrInputDelimiter, "; ");
    EXPECT_EQ(h.dialogs.messages().size(), 4u);
}

TEST(Startup, RestartingRestoresTheDelimitersFromTheFile) {
    StartupHarness h;
    h.start("Input_Delimiter = \",\"\r\n");
    h.dialogs.input(";");
    h.w.mnuInputDelimiter.userClick();
    ASSERT_EQ(h.w.mstrInputDelimiter, ";");

    FrmVelmor again(h.dialogs, h.platform, h.format);
    ASSERT_TRUE(again.Form_Load());
    EXPECT_EQ(again.mstrInputDelimiter, ",");
    EXPECT_EQ(h.dir.read("velmor.ini"), "Input_Delimiter = \",\"\r\n");
}

} // namespace
} // namespace velmor::test
