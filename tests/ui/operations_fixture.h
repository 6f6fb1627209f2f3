#pragma once

#include <string>

#include "tests/support/values.h"
#include "tests/ui/main_window_scenario.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor::test {
using Rows = Texts;

// The started main window over entries stored as texts with lower bounds 1, as a data file
// yields them; press() clicks a button whatever state the other handlers left it in.
class OperationsFixture : public MainWindowScenario {
  protected:
    void addEntry(const std::string& name, const Rows& rows) {
        ASSERT_EQ(w.Matrices.Add(name, fromTexts(rows), ""), MatrixList::kAdded);
        w.cboMatrixInput.AddItem(name);
        w.cboMatrixInput2.AddItem(name);
    }
    void select(int first, int second = -1) {
        w.cboMatrixInput.setListIndex(first);
        if (second >= 0) w.cboMatrixInput2.setListIndex(second);
        dialogs.clear();
    }
    static void press(CommandButton& b) { b.setVisible(true), b.setEnabled(true), b.userClick(); }
    FrmMatrixOutput& output() { return *w.frmMatrixOutput; }
    template <class F> void inResultWindow(F action) {
        dialogs.inModal([this, action](Form&) { action(*w.frmMatrixOutput); });
    }
};
} // namespace velmor::test
