#include <cmath>
#include <string>

#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_properties.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

std::int16_t roundedTwips(double twips) {
    return toInt16(static_cast<long long>(std::nearbyint(twips)));
}

} // namespace

bool FrmVelmor::Form_Load() {
    try {
        mstrStartDir = platform.currentDirectory();
        g.gintFormWidth = roundedTwips(form.Width());
        g.gintFormHeight = roundedTwips(form.Height());
        MSFlexGrid1.setColWidth(0, 550);
        MSFlexGrid2.setColWidth(0, 550);
        g.gintStdColWidth = 960;
        readSettings();
        g.gfMatricesSaved = true;
        return true;
    } catch (const RuntimeError& e) {
        errorBox(e, "Form_Load", MsgIcon::Critical, true);
        // The settings file is already closed by the reader; the window is never shown.
        form.unload();
        ended_ = true;
        return false;
    }
}

void FrmVelmor::Show() {
    // The first display counts as a resize: it applies the layout for the window's size.
    const bool firstDisplay = !form.Visible();
    dialogs.showForm(form, false);
    if (firstDisplay) Form_Resize();
}

void FrmVelmor::EnableButtons() {
    mintMatrixCount = Matrices.Count();
    if (mintMatrixCount <= 0) return;

    cmdSave.setEnabled(false);
    cmdCancel.setEnabled(false);
    cmdClear.setEnabled(false);
    for (CommandButton* b : {&cmdDelete, &cmdDeleteAll, &cmdInput, &cmdTranspose, &cmdScale})
        b->setEnabled(true);

    txtNo_Rows.setText(std::to_string(rowCount(mvarMatrix)));
    txtNo_Columns.setText(std::to_string(columnCount(mvarMatrix)));

    // The shape tests compare the texts shown, not their values ("3" and "03" differ).
    const bool square = txtNo_Rows.Text() == txtNo_Columns.Text();
    cmdInvert.setEnabled(square);
    cmdProperties.setEnabled(square);
    cmdAdjoint.setEnabled(square);

    const bool secondShown = !txtNo_Rows2.Text().empty();
    cmdMultiply.setEnabled(secondShown && txtNo_Columns.Text() == txtNo_Rows2.Text());
    if (secondShown) {
        const bool sameShape = txtNo_Rows.Text() == txtNo_Rows2.Text() &&
                               txtNo_Columns.Text() == txtNo_Columns2.Text();
        cmdAdd.setEnabled(sameShape);
        cmdSubtract.setEnabled(sameShape);
    }
}

void FrmVelmor::DisableButtons() {
    for (CommandButton* b : {&cmdInput, &cmdTranspose, &cmdInvert, &cmdMultiply, &cmdScale,
                             &cmdProperties, &cmdAdjoint, &cmdAdd, &cmdSubtract, &cmdCancel,
                             &cmdDelete, &cmdDeleteAll, &cmdClear, &cmdSave})
        b->setEnabled(false);
}

void FrmVelmor::TabStopMatrixOps() {
    for (Control* c : {static_cast<Control*>(&txtNo_Rows), static_cast<Control*>(&txtNo_Columns),
                       static_cast<Control*>(&txtDescription), static_cast<Control*>(&MSFlexGrid1),
                       static_cast<Control*>(&cmdSave), static_cast<Control*>(&cmdDelete),
                       static_cast<Control*>(&cmdDeleteAll)})
        c->setTabStop(false);
    cmdInput.setTabStop(true);
    Slider1.setTabStop(true);
    cboMatrixInput.setTabStop(true);
    cboMatrixInput2.setEnabled(true);
    cboMatrixInput2.setTabStop(true);
}

void FrmVelmor::TabStopInput() {
    for (Control* c : {static_cast<Control*>(&txtNo_Rows), static_cast<Control*>(&txtNo_Columns),
                       static_cast<Control*>(&txtDescription), static_cast<Control*>(&MSFlexGrid1),
                       static_cast<Control*>(&cmdSave), static_cast<Control*>(&cmdDelete),
                       static_cast<Control*>(&cmdDeleteAll), static_cast<Control*>(&cmdInput),
                       static_cast<Control*>(&Slider1), static_cast<Control*>(&cboMatrixInput)})
        c->setTabStop(true);
    cboMatrixInput2.setEnabled(true);
    cboMatrixInput2.setTabStop(true);
}

bool FrmVelmor::mayEnd() {
    // The matrix being keyed is in no list: ending would lose it without a word. No is the
    // default, so Enter and Esc keep it.
    if (mfEntering && dialogs.msgBoxDefault(
                          "The matrix being entered has not been saved. Exit without saving it?",
                          MsgButtons::YesNo, MsgIcon::Exclamation, kAppTitle, 1) != MsgResult::Yes)
        return false;
    if (g.gfMatricesSaved) return true;
    switch (dialogs.msgBox("Do you want to save the matrices to a text file? ",
                           MsgButtons::YesNoCancel, MsgIcon::None, "Save latest work?")) {
    case MsgResult::Yes: {
        std::string noFile;
        SaveMatrix(noFile);
        // A save the user abandoned, or one that failed before writing, leaves the list
        // unsaved: ending now would lose it.
        return !confirmCancel && g.gfMatricesSaved;
    }
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

void FrmVelmor::endProgram() {
    ended_ = true;
    if (frmAbout && frmAbout->form.Loaded()) frmAbout->form.unload();
    if (frmProperties && frmProperties->form.Loaded()) frmProperties->form.unload();
    platform.quit();
}

void FrmVelmor::cmdExit_Click() {
    if (ended_ || !mayEnd()) return;
    endProgram();
    form.unload();
}

void FrmVelmor::mnuFileExit_Click() {
    cmdExit_Click();
}

void FrmVelmor::Form_QueryUnload(int& cancel, int unloadMode) {
    // Exit unloads the window itself once it has asked; only a close through the frame
    // still needs the question.
    if (ended_ || unloadMode != kUnloadFromFrame) return;
    if (mayEnd())
        endProgram();
    else
        cancel = 1;
}

} // namespace velmor
