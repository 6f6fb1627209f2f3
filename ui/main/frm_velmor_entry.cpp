#include <string>

#include "engine/limits.h"
#include "engine/text_case.h"
#include "ui/main/form_helpers.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr int kCentre = 4;

// The count a count box asks of the grid, refused before the grid is touched when the grid
// could not hold it: a wild count then costs neither memory nor the cells already keyed.
// `otherCount` is the number of data rows (or columns) the grid keeps across the resize.
std::int16_t gridCount(const std::string& text, int otherCount) {
    std::int16_t n = countFromText(text);
    // A grid of headings only would be saved as a matrix without elements.
    if (n < 1) throw RuntimeError(err::InvalidPropertyValue);
    if (static_cast<long long>(n) * otherCount > kMaxMatrixCells)
        throw RuntimeError(err::OutOfMemory);
    return n;
}

void writeRowHeadings(Grid& grid, int rows) {
    grid.setCol(0);
    for (int i = 1; i <= rows; ++i) {
        grid.setRow(i);
        grid.setCellAlignment(kCentre);
        grid.setText(std::to_string(i));
    }
}

// A refused count is reported, the box emptied and the focus put back for another try.
void countRefused(FrmVelmor& f, const RuntimeError& e, TextBox& box, const std::string& handler) {
    f.errorBox(e, handler, MsgIcon::Critical, true);
    f.restorePointer();
    box.setText("");
    if (box.Enabled() && box.Visible()) box.SetFocus();
}

} // namespace

void FrmVelmor::cmdInput_Click() {
    try {
        if (!mfMatrixSaved && !cboMatrixInput.Text().empty()) {
            MsgResult answer = dialogs.msgBox(
                "Matrix \"" + mstrMatrixName + "\" hasn't been saved " +
                    "after input or possible changes, press OK to Save the matrix. " +
                    "Otherwise press Cancel.",
                MsgButtons::OKCancel, MsgIcon::None, "frmVelmor");
            if (answer == MsgResult::OK) {
                cmdSave_Click();
                cmdDelete.setEnabled(false);
                return;
            }
            cmdDelete.setEnabled(false);
        }
        cboMatrixInput.setText("");
        txtNo_Rows.setText("");
        txtNo_Columns.setText("");
        txtDescription.setText("");
        txtDescription.setEnabled(true);
        MSFlexGrid1.setRows(2);
        MSFlexGrid1.setCols(2);
        MSFlexGrid1.Clear();
        cboMatrixInput.setEnabled(true);
        cboMatrixInput.SetFocus();
        DisableButtons();
        cmdCancel.setEnabled(true);
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdInput_Click", MsgIcon::Critical, true);
    }
}

// Count boxes take digits and Backspace; Enter moves on to the next field.
void FrmVelmor::txtNo_Rows_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        txtNo_Columns.SetFocus();
    } else if (KeyAscii != key::Back && (KeyAscii < '0' || KeyAscii > '9')) {
        KeyAscii = 0;
    }
}

void FrmVelmor::txtNo_Columns_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) {
        KeyAscii = 0;
        // Nothing else enables the description box, so a disabled one must not strand the
        // user in the count box.
        txtDescription.setEnabled(true);
        txtDescription.SetFocus();
    } else if (KeyAscii != key::Back && (KeyAscii < '0' || KeyAscii > '9')) {
        KeyAscii = 0;
    }
}

void FrmVelmor::txtNo_Rows_LostFocus() {
    try {
        busy();
        if (txtNo_Rows.Text().empty()) txtNo_Rows.setText("1");
        int rows = gridCount(txtNo_Rows.Text(), MSFlexGrid1.Cols() - 1);
        MSFlexGrid1.setRows(rows + 1);
        writeRowHeadings(MSFlexGrid1, rows);
        // The heading of column 1 is written whatever the column count.
        MSFlexGrid1.setCol(1);
        MSFlexGrid1.setRow(0);
        MSFlexGrid1.setCellAlignment(kCentre);
        MSFlexGrid1.setText("1");
        restorePointer();
    } catch (const RuntimeError& e) {
        countRefused(*this, e, txtNo_Rows, "txtNo_Rows_LostFocus");
    }
}

void FrmVelmor::txtNo_Columns_LostFocus() {
    try {
        busy();
        if (txtNo_Columns.Text().empty()) txtNo_Columns.setText("1");
        int columns = gridCount(txtNo_Columns.Text(), MSFlexGrid1.Rows() - 1);
        MSFlexGrid1.setCols(columns + 1);
        MSFlexGrid1.setRow(0);
        g.gintCellWidth = cellWidthFor(Slider1.Value(), g.gintStdColWidth);
        for (int j = 1; j <= columns; ++j) {
            MSFlexGrid1.setCol(j);
            MSFlexGrid1.setCellAlignment(kCentre);
            MSFlexGrid1.setText(std::to_string(j));
            MSFlexGrid1.setColWidth(j, g.gintCellWidth);
        }
        restorePointer();
    } catch (const RuntimeError& e) {
        countRefused(*this, e, txtNo_Columns, "txtNo_Columns_LostFocus");
    }
}

void FrmVelmor::txtDescription_GotFocus() {
    // Only the texts: the grid keeps its size until a count box is left.
    if (txtNo_Rows.Text().empty()) txtNo_Rows.setText("1");
    if (txtNo_Columns.Text().empty()) txtNo_Columns.setText("1");
}

void FrmVelmor::txtDescription_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) KeyAscii = 0;
}

void FrmVelmor::txtDescription_KeyDown(int& KeyCode, int) {
    if (KeyCode == key::Return) MSFlexGrid1.SetFocus();
}

void FrmVelmor::txtDescription_LostFocus() {
    // This handler has no trap; a grid without data cells has no (1, 1) to go to.
    if (MSFlexGrid1.Rows() > 1 && MSFlexGrid1.Cols() > 1) {
        MSFlexGrid1.setRow(1);
        MSFlexGrid1.setCol(1);
    }
    cmdSave.setEnabled(true);
}

void FrmVelmor::cmdSave_Click() {
    try {
        busy();
        gVelmor.FlexGrid = &MSFlexGrid1;
        mvarMatrix = gVelmor.GridToArray();
        MSFlexGrid1.scrollHome();
        std::int32_t result =
            Matrices.Add(cboMatrixInput.Text(), mvarMatrix, txtDescription.Text());
        if (result == MatrixList::kFailed) {
            // Add has reported why; the entry stays open for another name.
            cboMatrixInput.SetFocus();
            restorePointer();
            return;
        }
        mintMatrixCount = Matrices.Count();
        if (result == MatrixList::kAdded) {
            mintIndex = mintMatrixCount;
            const std::string name = listEntry(Matrices, mintIndex).Name;
            cboMatrixInput.AddItem(name);
            cboMatrixInput2.AddItem(name);
        } else {
            // A replaced entry moved to the end; rebuild both selectors in list order.
            cboMatrixInput.Clear();
            cboMatrixInput2.Clear();
            for (mintIndex = 1; mintIndex <= mintMatrixCount; ++mintIndex) {
                const std::string name = listEntry(Matrices, mintIndex).Name;
                cboMatrixInput.AddItem(name);
                cboMatrixInput2.AddItem(name);
            }
        }
        // Before the selection below: it asks about unsaved changes while the flag is false.
        mfMatrixSaved = true;
        cboMatrixInput.setListIndex(mintMatrixCount - 1);
        if (cboMatrixInput2.Text().empty() ||
            equalNoCase(cboMatrixInput2.Text(), cboMatrixInput.Text()))
            cboMatrixInput2.setText(cboMatrixInput.Text());
        TabStopMatrixOps();
        cboMatrixInput2.setVisible(true);
        cmdClear.setEnabled(false);
        cmdSave.setEnabled(false);
        cmdDelete.setEnabled(true);
        cmdDeleteAll.setEnabled(true);
        mnuFileSave.setEnabled(true);
        g.gfMatricesSaved = false;
        Text1.setVisible(false);
        // The selection normally enabled Input again; with nothing selected it did not.
        cmdInput.setEnabled(true);
        cmdInput.SetFocus();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdSave_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdCancel_Click() {
    try {
        MsgResult answer =
            dialogs.msgBox("Are you sure that you want to cancel input or changes?",
                           MsgButtons::YesNo, MsgIcon::None, "Cancel Input/Changes?");
        if (answer != MsgResult::Yes) {
            if (cmdSave.Enabled()) {
                cmdSave.SetFocus();
            } else {
                cmdInput.setEnabled(true);
                cmdInput.SetFocus();
                cmdCancel.setEnabled(false);
            }
            return;
        }
        busy();
        if (mfMatrixSaved && !cboMatrixInput.Text().empty()) {
            // A stored matrix was being changed: show the stored version again.
            cboMatrixInput_Click();
            EnableButtons();
            cmdInput.SetFocus();
        } else {
            MSFlexGrid1.setRows(2);
            MSFlexGrid1.setCols(2);
            MSFlexGrid1.Clear();
            cboMatrixInput.setText("");
            txtNo_Rows.setText("");
            txtNo_Columns.setText("");
            txtDescription.setText("");
            cmdCancel.setEnabled(false);
            cmdClear.setEnabled(false);
            cmdSave.setEnabled(false);
            cmdInput.setEnabled(true);
            cmdInput.SetFocus();
            mfMatrixSaved = true;
            restorePointer();
        }
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdCancel_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdClear_Click() {
    try {
        MsgResult answer = dialogs.msgBox("Are you sure that you want to clear the grid?",
                                          MsgButtons::YesNo, MsgIcon::None, "Clear Grid?");
        if (answer != MsgResult::Yes) {
            restorePointer();
            return;
        }
        busy();
        MSFlexGrid1.Clear();
        Text1.setText("");
        writeRowHeadings(MSFlexGrid1, countFromText(txtNo_Rows.Text()));
        MSFlexGrid1.setRow(0);
        g.gintCellWidth = cellWidthFor(Slider1.Value(), g.gintStdColWidth);
        int columns = countFromText(txtNo_Columns.Text());
        for (int j = 1; j <= columns; ++j) {
            MSFlexGrid1.setCol(j);
            MSFlexGrid1.setCellAlignment(kCentre);
            MSFlexGrid1.setText(std::to_string(j));
            MSFlexGrid1.setColWidth(j, g.gintCellWidth);
        }
        MSFlexGrid1.setRow(1);
        MSFlexGrid1.setCol(1);
        MSFlexGrid1.SetFocus();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdClear_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

} // namespace velmor
