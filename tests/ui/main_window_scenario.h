#pragma once

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/startup_harness.h"

namespace velmor::test {

using Cells = std::vector<std::vector<std::string>>;
using Names = std::vector<std::string>;
using Buttons = std::set<std::string>;

// The main window after a start-up with a settings file, driven by user actions only.
class MainWindowScenario : public ::testing::Test, protected StartupHarness {
  protected:
    MainWindowScenario() { start(); }
    Boxes boxes() const { return test::boxes(dialogs); }
    Buttons enabledButtons() const {
        Buttons out;
        for (Control* c : w.form.controls())
            if (c->kind() == ControlKind::Button && c->Enabled()) out.insert(c->name());
        return out;
    }
    Control* focus() const { return w.form.ActiveControl(); }
    Names listNames() const {
        Names out;
        for (const auto& e : w.Matrices) out.push_back(e->Name);
        return out;
    }
    // Cell texts from row and column `from`: 1 for the data cells, 0 with the headings.
    static Cells cells(const Grid& g, int from = 1) {
        Cells out(g.Rows() - from);
        for (int r = from; r < g.Rows(); ++r)
            for (int c = from; c < g.Cols(); ++c) out[r - from].push_back(g.TextMatrix(r, c));
        return out;
    }
    template <class Field> static void enter(Field& box, const std::string& text) {
        box.userType(text);
        box.userPress(key::Return);
    }
    // Input; name, counts and description, each ended by Enter; then each value typed on the
    // grid (its first character opens the editor) and ended by Enter.
    void startEntry(const std::string& name, const std::string& rows, const std::string& cols,
                    const Names& values = {}, const std::string& description = {}) {
        w.cmdInput.userClick();
        enter(w.cboMatrixInput, name);
        enter(w.txtNo_Rows, rows);
        enter(w.txtNo_Columns, cols);
        enter(w.txtDescription, description);
        for (const auto& v : values) {
            w.MSFlexGrid1.userChar(static_cast<unsigned char>(v[0]));
            enter(w.Text1, v.substr(1));
        }
    }
};

} // namespace velmor::test
