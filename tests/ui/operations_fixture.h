#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "ui/main/frm_velmor.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor::test {

using Rows = std::vector<std::vector<std::string>>;

// A main window with a list of named matrices and both selectors filled, ready for the
// operation buttons; the result window is reached through the scripted modal show.
class OperationsFixture : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    FakePlatform platform;
    NumberFormat format{"."};
    FrmVelmor w{dialogs, platform, format};

    // A matrix of texts with lower bounds 1, as a data file yields it.
    static Variant textMatrix(const Rows& rows) {
        int r = static_cast<int>(rows.size());
        int c = r ? static_cast<int>(rows[0].size()) : 0;
        Array a = Array::matrix(r, c);
        for (int i = 1; i <= r; ++i)
            for (int j = 1; j <= c; ++j) a.at(i, j) = Variant(rows[i - 1][j - 1]);
        return Variant(std::move(a));
    }

    // Adds an entry to the list and its name to both selectors.
    void addEntry(const std::string& name, const Rows& rows, const std::string& description = {}) {
        ASSERT_EQ(w.Matrices.Add(name, textMatrix(rows), description), CMatrices::kAdded);
        w.cboMatrixInput.AddItem(name);
        w.cboMatrixInput2.AddItem(name);
    }

    // Picks the operands; the selectors' own handlers may draw the grids meanwhile.
    void select(int first, int second = -1) {
        w.cboMatrixInput.setListIndex(first);
        if (second >= 0) w.cboMatrixInput2.setListIndex(second);
        dialogs.clear();
    }

    // Puts a matrix into the top grid as the user left it (unsaved edits included).
    void showInTopGrid(const Rows& rows) {
        Grid& g = w.MSFlexGrid1;
        g.setRows(static_cast<int>(rows.size()) + 1);
        g.setCols(static_cast<int>(rows[0].size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = 0; j < rows[i].size(); ++j)
                g.setTextMatrix(static_cast<int>(i + 1), static_cast<int>(j + 1), rows[i][j]);
    }

    // A user press, whatever state the other handlers left the button in.
    static void press(CommandButton& b) {
        b.setVisible(true);
        b.setEnabled(true);
        b.userClick();
    }

    // The element cells of a grid, row by row.
    static Rows cells(const Grid& g) {
        Rows out;
        for (int i = 1; i < g.Rows(); ++i) {
            out.emplace_back();
            for (int j = 1; j < g.Cols(); ++j) out.back().push_back(g.TextMatrix(i, j));
        }
        return out;
    }

    // The last result window; a test that expected one and got none fails here.
    FrmMatrixOutput& output() {
        if (!w.frmMatrixOutput) throw std::logic_error("no result window was opened");
        return *w.frmMatrixOutput;
    }

    // Runs `action` inside the modal result window of the next operation.
    void inResultWindow(std::function<void(FrmMatrixOutput&)> action) {
        dialogs.inModal([this, action = std::move(action)](Form&) { action(output()); });
    }

    int formsShown(const std::string& name) const {
        int n = 0;
        for (const auto& b : dialogs.boxes)
            if (b.kind == Box::FormShown && b.prompt == name) ++n;
        return n;
    }
};

} // namespace velmor::test
