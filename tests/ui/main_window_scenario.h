#pragma once

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"
#include "ui/main/frm_velmor.h"

namespace velmor::test {

// A box as the tests expect it: prompt, buttons, icon and title.
struct BoxSpec {
    std::string prompt;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    std::string title;
    bool operator==(const BoxSpec&) const = default;
};

inline void PrintTo(const BoxSpec& b, std::ostream* os) {
    *os << "{\"" << b.prompt << "\", buttons " << static_cast<int>(b.buttons) << ", icon "
        << static_cast<int>(b.icon) << ", \"" << b.title << "\"}";
}

// The main window after a start-up with a settings file, driven by user actions only.
class MainWindowScenario : public ::testing::Test {
  protected:
    MainWindowScenario() {
        dir.write("velmor.ini", "Input_Delimiter = \" \"\r\nOutput_Delimiter = \" \"\r\n");
        platform.currentDir = dir.path();
        w = std::make_unique<FrmVelmor>(dialogs, platform, format);
        w->Form_Load();
        dialogs.clear();
    }

    // The message and input boxes shown since the last clear().
    std::vector<BoxSpec> boxes() const {
        std::vector<BoxSpec> out;
        for (const auto& b : dialogs.messages())
            out.push_back({b.prompt, b.buttons, b.icon, b.title});
        return out;
    }

    std::set<std::string> enabledButtons() const {
        std::set<std::string> out;
        for (Control* c : w->form.controls())
            if (c->kind() == ControlKind::Button && c->Enabled()) out.insert(c->name());
        return out;
    }

    Control* focus() const { return w->form.ActiveControl(); }

    // Data cells of a grid, row by row.
    static std::vector<std::vector<std::string>> cells(const Grid& g) {
        std::vector<std::vector<std::string>> out;
        for (int r = 1; r < g.Rows(); ++r) {
            out.emplace_back();
            for (int c = 1; c < g.Cols(); ++c) out.back().push_back(g.TextMatrix(r, c));
        }
        return out;
    }
    // Heading row 0 from column 1, and heading column 0 from row 1.
    static std::vector<std::string> columnHeadings(const Grid& g) {
        std::vector<std::string> out;
        for (int c = 1; c < g.Cols(); ++c) out.push_back(g.TextMatrix(0, c));
        return out;
    }
    static std::vector<std::string> rowHeadings(const Grid& g) {
        std::vector<std::string> out;
        for (int r = 1; r < g.Rows(); ++r) out.push_back(g.TextMatrix(r, 0));
        return out;
    }

    // Input, then the name, the counts and the description, each ended by Enter; the grid
    // then has the focus with cell (1, 1) current.
    void startEntry(const std::string& name, const std::string& rows, const std::string& cols,
                    const std::string& description = {}) {
        w->cmdInput.userClick();
        w->cboMatrixInput.userType(name);
        w->cboMatrixInput.userPress(key::Return);
        w->txtNo_Rows.userType(rows);
        w->txtNo_Rows.userPress(key::Return);
        w->txtNo_Columns.userType(cols);
        w->txtNo_Columns.userPress(key::Return);
        w->txtDescription.userType(description);
        w->txtDescription.userPress(key::Return);
    }

    // Types each value on the grid (its first character opens the editor) and ends it by
    // Enter, cell after cell.
    void keyCells(const std::vector<std::string>& values) {
        for (const auto& v : values) {
            w->MSFlexGrid1.userChar(static_cast<unsigned char>(v[0]));
            w->Text1.userType(v.substr(1));
            w->Text1.userPress(key::Return);
        }
    }

    void enterMatrix(const std::string& name, int rows, int cols,
                     const std::vector<std::string>& values, const std::string& description = {}) {
        startEntry(name, std::to_string(rows), std::to_string(cols), description);
        keyCells(values);
        w->cmdSave.userClick();
    }

    std::vector<std::string> listNames() const {
        std::vector<std::string> out;
        for (const auto& e : w->Matrices) out.push_back(e->Name);
        return out;
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    FakePlatform platform;
    NumberFormat format{"."};
    std::unique_ptr<FrmVelmor> w;
};

using Cells = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;
using Buttons = std::set<std::string>;

} // namespace velmor::test
