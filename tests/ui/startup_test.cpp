#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {
namespace {

const char* const kMissingIni =
    "The Velmor.ini file could not be found.\r"
    "A single space is the default delimiter in text files for input and output data.\r"
    "Press OK and select \"Format\" to change the delimiter.";

void expectBox(const Box& b, const std::string& prompt, MsgIcon icon, const std::string& title) {
    EXPECT_EQ(b.kind, Box::Message);
    EXPECT_EQ(b.prompt, prompt);
    EXPECT_EQ(b.buttons, MsgButtons::OK);
    EXPECT_EQ(b.icon, icon);
    EXPECT_EQ(b.title, title);
}

TEST(Startup, ShowsTheWindowInItsStartState) {
    StartupHarness h;
    h.dir.write("velmor.ini", kStandardIni);
    FrmVelmor& w = h.w;
    ASSERT_TRUE(w.Form_Load());
    w.Show();

    ASSERT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_EQ(h.dialogs.boxes[0].kind, Box::FormShown);
    EXPECT_EQ(h.dialogs.boxes[0].prompt, "frmVelmor");
    EXPECT_FALSE(h.dialogs.boxes[0].modal);
    EXPECT_EQ(w.mstrStartDir, h.dir.path());
    EXPECT_EQ(w.mstrIniFile, h.dir.file("velmor.ini"));
    EXPECT_EQ(w.g.gintFormWidth, 9840);
    EXPECT_EQ(w.g.gintFormHeight, 8370);
    EXPECT_EQ(w.MSFlexGrid1.ColWidth(0), 550);
    EXPECT_EQ(w.MSFlexGrid2.ColWidth(0), 550);
    EXPECT_EQ(w.g.gintStdColWidth, 960);
    EXPECT_TRUE(w.g.gfMatricesSaved);

    // Among the buttons only Input and Exit work; File > Save is the only disabled menu.
    for (Control* c : w.form.controls()) {
        if (c->kind() == ControlKind::Button) {
            EXPECT_EQ(c->Enabled(), c == &w.cmdInput || c == &w.cmdExit) << c->name();
        }
    }
    EXPECT_FALSE(w.mnuFileSave.Enabled());
    for (MenuItem* m : {&w.mnuFileOpen, &w.mnuFileExit, &w.mnuInputDelimiter, &w.mnuOutputDelimiter,
                        &w.mnuAbout, &w.mnuContents})
        EXPECT_TRUE(m->Enabled()) << m->name();
    EXPECT_FALSE(w.MSFlexGrid2.Visible());
    EXPECT_FALSE(w.cboMatrixInput2.Visible());
}

TEST(Startup, MissingSettingsFileGivesOneMessageAndSpaceDelimiters) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder named velmor.ini" : "no file");
        StartupHarness h;
        if (folder) std::filesystem::create_directory(h.dir.file("velmor.ini"));
        ASSERT_TRUE(h.w.Form_Load());
        ASSERT_EQ(h.dialogs.boxes.size(), 1u);
        expectBox(h.dialogs.boxes[0], kMissingIni, MsgIcon::None, "Velmor");
        EXPECT_EQ(h.w.mstrInputDelimiter, " ");
        EXPECT_EQ(h.w.mstrOutputDelimiter, " ");
        EXPECT_TRUE(h.w.g.gfMatricesSaved);
        EXPECT_EQ(std::filesystem::exists(h.dir.file("velmor.ini")), folder);
    }
}

TEST(Startup, SettingsEdgeCases) {
    struct Case {
        const char *name, *file, *text, *input, *output;
    };
    const Case cases[] = {
        {"upper-case name", "VELMOR.INI", "Input_Delimiter=\";\"\r\n", ";", ""},
        {"mixed-case name", "Velmor.Ini", "Output_Delimiter=\",\"\r\n", "", ","},
        {"empty file", "velmor.ini", "", "", ""},
        {"adjacent quotes", "velmor.ini", "Input_Delimiter=\";\"\rOutput_Delimiter=\"\"\r", ";",
         ""},
        {"LF line ends", "velmor.ini", "Input_Delimiter = \";\"\nOutput_Delimiter = \",\"\n", ";",
         ","},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartupHarness h;
        h.dir.write(c.file, c.text);
        ASSERT_TRUE(h.w.Form_Load());
        EXPECT_TRUE(h.dialogs.boxes.empty());
        EXPECT_EQ(h.w.mstrInputDelimiter, c.input);
        EXPECT_EQ(h.w.mstrOutputDelimiter, c.output);
        EXPECT_EQ(h.w.mstrIniFile, h.dir.file(c.file));
    }
}

TEST(Startup, ASettingsFailureStopsTheStartWithOneErrorBox) {
    for (bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "unreadable file" : "key line without a quote");
        StartupHarness h;
        if (unreadable)
            std::filesystem::create_symlink("/proc/self/mem", h.dir.file("velmor.ini"));
        else
            h.dir.write("velmor.ini", "Input_Delimiter = \" \"\r\nOutput_Delimiter = ,\r\n");

        EXPECT_FALSE(h.w.Form_Load());
        ASSERT_EQ(h.dialogs.boxes.size(), 1u);
        expectBox(h.dialogs.boxes[0],
                  unreadable ? "Error No. - 57; Device I/O error"
                             : "Error No. - 9; Subscript out of range",
                  MsgIcon::Critical, "frmVelmor - Form_Load");
        EXPECT_FALSE(h.w.form.Visible());
        EXPECT_TRUE(h.w.ended());
    }
}

TEST(Startup, FormatMenuChangesTheDelimitersForTheRun) {
    StartupHarness h;
    h.start("Input_Delimiter = \",\"\r\nOutput_Delimiter = \",\"\r\n");
    FrmVelmor& w = h.w;

    // An empty answer (cleared box or Cancel) keeps the delimiter; blanks typed are kept.
    h.dialogs.input("").input("; ").input("\t");
    w.mnuInputDelimiter.userClick();
    EXPECT_EQ(w.mstrInputDelimiter, ",");
    w.mnuInputDelimiter.userClick();
    EXPECT_EQ(w.mstrInputDelimiter, "; ");
    w.mnuOutputDelimiter.userClick();
    EXPECT_EQ(w.mstrOutputDelimiter, "\t");

    const auto boxes = h.dialogs.messages();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].kind, Box::Input);
    EXPECT_EQ(boxes[0].prompt,
              "Key in the delimiter for the input data or accept the default \",\".");
    EXPECT_EQ(boxes[0].title, "Input Delimiter");
    EXPECT_EQ(boxes[0].defaultText, ",");
    EXPECT_EQ(boxes[2].prompt,
              "Key in the delimiter for the output data or accept the default \",\".");
    EXPECT_EQ(boxes[2].title, "Output Delimiter");
    EXPECT_EQ(boxes[2].defaultText, ",");
    // Nothing is written back.
    EXPECT_EQ(h.dir.read("velmor.ini"), "Input_Delimiter = \",\"\r\nOutput_Delimiter = \",\"\r\n");
}

} // namespace
} // namespace velmor::test
