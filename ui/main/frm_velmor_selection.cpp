#include <string>

#include "ui/main/form_helpers.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

void FrmVelmor::cboMatrixInput_Change() {
    TabStopInput();
    mfMatrixSaved = false;
    cboMatrixInput2.setTabStop(false);
    mstrMatrixName = cboMatrixInput.Text();
}

void FrmVelmor::cboMatrixInput_Click() {
    try {
        if (!cboMatrixInput.Text().empty() && !mfMatrixSaved) {
            MsgResult answer =
                dialogs.msgBox("Matrix \"" + mstrMatrixName + "\" possibly has changed " +
                                   "without being saved. Press OK to Save the matrix. " +
                                   "Otherwise press Cancel to discard any changes.",
                               MsgButtons::OKCancel, MsgIcon::None, "frmVelmor");
            if (answer == MsgResult::OK) {
                // Save the grid under the typed name; the picked item is not shown.
                cboMatrixInput.setText(mstrMatrixName);
                cmdSave_Click();
                return;
            }
        }
        mfMatrixSaved = true;
        busy();
        const CMatrix& entry = listEntry(Matrices, cboMatrixInput.ListIndex() + 1);
        mvarMatrix = entry.Matrix();
        txtDescription.setText(entry.Description);
        EnableButtons();
        gVelmor.FlexGrid = &MSFlexGrid1;
        gVelmor.ArrayToGrid(mvarMatrix);
        MSFlexGrid1.scrollHome();
        setColumnWidths(MSFlexGrid1, countFromText(txtNo_Columns.Text()));
        // Once a first matrix is shown, the second selector is available.
        cboMatrixInput2.setVisible(true);
        cboMatrixInput2.setEnabled(true);
        lblMatrixBottom.setVisible(true);
        TabStopMatrixOps();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cboMatrixInput_Click", MsgIcon::Exclamation, false);
        restorePointer();
    }
}

void FrmVelmor::cboMatrixInput_KeyDown(int& KeyCode, int) {
    if (KeyCode == key::Return) txtNo_Rows.SetFocus();
}

void FrmVelmor::cboMatrixInput_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) KeyAscii = 0;
}

void FrmVelmor::cboMatrixInput_LostFocus() {
    cboMatrixInput.setSelLength(0);
    mstrMatrixName = cboMatrixInput.Text();
}

void FrmVelmor::cboMatrixInput2_Change() {
    lblRows2.setVisible(true);
    txtNo_Rows2.setVisible(true);
    lblColumns2.setVisible(true);
    txtNo_Columns2.setVisible(true);
}

void FrmVelmor::cboMatrixInput2_Click() {
    try {
        busy();
        const CMatrix& entry = listEntry(Matrices, cboMatrixInput2.ListIndex() + 1);
        mvarMatrix = entry.Matrix();
        lblRows2.setVisible(true);
        lblColumns2.setVisible(true);
        txtNo_Rows2.setVisible(true);
        txtNo_Columns2.setVisible(true);
        txtNo_Rows2.setText(std::to_string(rowCount(mvarMatrix)));
        txtNo_Columns2.setText(std::to_string(columnCount(mvarMatrix)));
        txtDescription2.setVisible(true);
        txtDescription2.setText(entry.Description);
        lblDescription2.setVisible(true);
        // Shapes are compared as the boxes show them: "3" and "03" differ.
        cmdMultiply.setEnabled(txtNo_Columns.Text() == txtNo_Rows2.Text());
        bool sameShape = txtNo_Rows.Text() == txtNo_Rows2.Text() &&
                         txtNo_Columns.Text() == txtNo_Columns2.Text();
        cmdAdd.setEnabled(sameShape);
        cmdSubtract.setEnabled(sameShape);
        gVelmor.FlexGrid = &MSFlexGrid2;
        gVelmor.ArrayToGrid(mvarMatrix);
        MSFlexGrid2.scrollHome();
        setColumnWidths(MSFlexGrid2, countFromText(txtNo_Columns2.Text()));
        cboMatrixInput2.setVisible(true);
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cboMatrixInput2_Click", MsgIcon::Exclamation, false);
        restorePointer();
    }
}

void FrmVelmor::cmdDelete_Click() {
    try {
        busy();
        if (cboMatrixInput.ListCount() == 1) {
            cmdDeleteAll_Click();
            restorePointer();
            return;
        }
        MsgResult answer = dialogs.msgBox("Are you sure that you want to delete this matrix?",
                                          MsgButtons::YesNo, MsgIcon::None, "Delete Matrix");
        if (answer != MsgResult::Yes) {
            restorePointer();
            return;
        }
        // A typed name that is in no list gives -1, which the selectors refuse below before
        // anything is deleted.
        const int k = cboMatrixInput.ListIndex();
        const int neighbour = k != 0 ? k - 1 : 1;
        if (cboMatrixInput2.Text() == cboMatrixInput.Text())
            cboMatrixInput2.setListIndex(neighbour);
        cboMatrixInput.setListIndex(neighbour);
        Matrices.Delete(k + 1);
        cboMatrixInput.RemoveItem(k);
        cboMatrixInput2.RemoveItem(k);
        cboMatrixInput.SetFocus();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdDelete_Click", MsgIcon::Exclamation, false);
        restorePointer();
    }
}

void FrmVelmor::cmdDeleteAll_Click() {
    try {
        MsgResult answer = dialogs.msgBox("Are you sure that you want to delete all matrices?",
                                          MsgButtons::YesNo, MsgIcon::None, "Delete All Matrices");
        busy();
        if (answer != MsgResult::Yes) {
            restorePointer();
            return;
        }
        // From the last entry to the first, so that positions stay valid.
        mintMatrixCount = Matrices.Count();
        for (mintIndex = mintMatrixCount; mintIndex >= 1; --mintIndex) {
            Matrices.Delete(mintIndex);
            cboMatrixInput.RemoveItem(mintIndex - 1);
            cboMatrixInput2.RemoveItem(mintIndex - 1);
        }
        for (Grid* grid : {&MSFlexGrid1, &MSFlexGrid2}) {
            grid->setRows(2);
            grid->setCols(2);
            grid->Clear();
        }
        cboMatrixInput.setText("");
        for (TextBox* box : {&txtNo_Rows, &txtNo_Columns, &txtDescription, &txtNo_Rows2,
                             &txtNo_Columns2, &txtDescription2})
            box->setText("");
        DisableButtons();
        cmdInput.setEnabled(true);
        cmdInput.SetFocus();
        // An empty list has nothing left to save.
        g.gfMatricesSaved = true;
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdDeleteAll_Click", MsgIcon::Exclamation, false);
        restorePointer();
    }
}

} // namespace velmor
