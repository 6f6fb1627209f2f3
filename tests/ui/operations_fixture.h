#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fake_platform.h"
#include "tests/support/scripted_dialogs.h"
#include "ui/main/frm_velmor.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor::test {
using Rows = std::vector<std::vector<std::string>>;

// Entries are stored as texts with lower bounds 1, as a data file yields them; press() clicks
// a button whatever state the other handlers left it in.
class OperationsFixture : public ::testing::Test {
  protected:
    ScriptedDialogs dialogs;
    FakePlatform platform;
    NumberFormat format{"."};
    FrmVelmor w{dialogs, platform, format};
    void addEntry(const std::string& name, const Rows& rows) {
        Array a = Array::matrix(int(rows.size()), int(rows[0].size()));
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = 0; j < rows[i].size(); ++j) a.at(i + 1, j + 1) = rows[i][j];
        ASSERT_EQ(w.Matrices.Add(name, Variant(std::move(a)), ""), MatrixList::kAdded);
        w.cboMatrixInput.AddItem(name);
        w.cboMatrixInput2.AddItem(name);
    }
    void select(int first, int second = -1) {
        w.cboMatrixInput.setListIndex(first);
        if (second >= 0) w.cboMatrixInput2.setListIndex(second);
        dialogs.clear();
    }
    static void press(CommandButton& b) { b.setVisible(true), b.setEnabled(true), b.userClick(); }
    static Rows cells(const Grid& g) {
        Rows out(g.Rows() - 1);
        for (int i = 1; i < g.Rows(); ++i)
            for (int j = 1; j < g.Cols(); ++j) out[i - 1].push_back(g.TextMatrix(i, j));
        return out;
    }
    FrmMatrixOutput& output() { return *w.frmMatrixOutput; }
    template <class F> void inResultWindow(F action) {
        dialogs.inModal([this, action](Form&) { action(*w.frmMatrixOutput); });
    }
};
} // namespace velmor::test
