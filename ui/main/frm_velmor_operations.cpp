#include <memory>
#include <string>
#include <string_view>

#include "ui/dialogs/frm_properties.h"
#include "ui/main/form_helpers.h"
#include "ui/main/frm_velmor.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor {

namespace {

// The matrix of the list entry a selector has chosen; with no entry there the list's box
// comes first, then the button's own.
Variant chosenMatrix(CMatrices& list, const ComboBox& selector) {
    return listEntry(list, selector.ListIndex() + 1).Matrix();
}

// The working matrix only ever holds a matrix: an engine call that returned nothing (after
// its own message) fails the store and leaves the previous value in place.
void storeMatrix(Variant& target, Variant&& result) {
    if (!result.isArray() || result.array().dims() != 2) throw RuntimeError(err::TypeMismatch);
    target = std::move(result);
}

std::size_t characterCount(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// "P_T" for a one-character name or a label already in brackets, "[Pq]_T" otherwise.
std::string suffixLabel(const std::string& name, const std::string& suffix) {
    bool bracket = characterCount(name) > 1 && name.front() != '[' && name.back() != ']';
    return bracket ? "[" + name + "]" + suffix : name + suffix;
}

// Makes the result window afresh, loads it and names the result in it.
void openResultWindow(FrmVelmor& w, const std::string& label) {
    if (w.frmMatrixOutput && w.gVelmor.FlexGrid == &w.frmMatrixOutput->MSFlexGrid1)
        w.gVelmor.FlexGrid = nullptr;
    w.frmMatrixOutput = std::make_unique<FrmMatrixOutput>(w, w.dialogs, w.format);
    w.frmMatrixOutput->form.load();
    w.frmMatrixOutput->txtMatrixResult.setText(label);
}

} // namespace

void FrmVelmor::cmdAdd_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        Variant second = chosenMatrix(Matrices, cboMatrixInput2);
        storeMatrix(mvarMatrix, gVelmor.Add(first, second));
        openResultWindow(*this, "[" + cboMatrixInput.Text() + "+" + cboMatrixInput2.Text() + "]");
        frmMatrixOutput->setExactSource(exact::Operation::Add, first, &second);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdAdd_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdSubtract_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        Variant second = chosenMatrix(Matrices, cboMatrixInput2);
        storeMatrix(mvarMatrix, gVelmor.Subtract(first, second));
        openResultWindow(*this, "[" + cboMatrixInput.Text() + "-" + cboMatrixInput2.Text() + "]");
        frmMatrixOutput->setExactSource(exact::Operation::Subtract, first, &second);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdSubtract_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdMultiply_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        Variant second = chosenMatrix(Matrices, cboMatrixInput2);
        storeMatrix(mvarMatrix, gVelmor.Multiply(first, second));
        openResultWindow(*this, cboMatrixInput.Text() + cboMatrixInput2.Text());
        frmMatrixOutput->setExactSource(exact::Operation::Multiply, first, &second);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdMultiply_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdScale_Click() {
    try {
        std::string answer = dialogs.inputBox("Scalar", "Multiply by Scalar", "");
        // Cancel, or OK on an empty box: the pointer is never touched.
        if (answer.empty()) return;
        double scalar = format.toNumber(std::string_view(answer));
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        storeMatrix(mvarMatrix, gVelmor.ScaleMultiply(scalar, first));
        openResultWindow(*this, format.toText(scalar) + cboMatrixInput.Text());
        frmMatrixOutput->setExactSource(exact::Operation::Scale, first, nullptr, answer);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdScale_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdTranspose_Click() {
    try {
        busy();
        gVelmor.FlexGrid = &MSFlexGrid1;
        Variant grid = gVelmor.GridToArray();
        storeMatrix(mvarMatrix, gVelmor.Transpose(grid));
        openResultWindow(*this, suffixLabel(cboMatrixInput.Text(), "_T"));
        frmMatrixOutput->setExactSource(exact::Operation::Transpose, grid, nullptr);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError&) {
        // Silent by design: the engine has already reported whatever failed.
        restorePointer();
    }
}

void FrmVelmor::cmdInvert_Click() {
    try {
        busy();
        gVelmor.FlexGrid = &MSFlexGrid1;
        Variant grid = gVelmor.GridToArray();
        storeMatrix(mvarMatrix, gVelmor.Invert(grid));
        openResultWindow(*this, suffixLabel(cboMatrixInput.Text(), "_I"));
        frmMatrixOutput->setExactSource(exact::Operation::Invert, grid, nullptr);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        // Error 13 means the engine returned no inverse after its own message (a singular
        // or non-square matrix); a second box would only repeat it.
        if (e.number() != err::TypeMismatch)
            errorBox(e, "cmdInvert_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdAdjoint_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        storeMatrix(mvarMatrix, gVelmor.GetAdjointMatrix(first));
        openResultWindow(*this, "adj(" + cboMatrixInput.Text() + ")");
        frmMatrixOutput->setExactSource(exact::Operation::Adjoint, first, nullptr);
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdAdjoint_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::cmdProperties_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        std::string determinant = format.toText(gVelmor.GetDeterminant(first));
        // The dialog is modeless and outlives its OK: the same object is reloaded, so the
        // binding's window for it stays valid.
        if (!frmProperties) frmProperties = std::make_unique<FrmProperties>(dialogs);
        frmProperties->form.load();
        frmProperties->txtDeterminant.setText(determinant);
        frmProperties->txtTrace.setText(format.toText(gVelmor.GetTrace(first)));
        frmProperties->setMatrix(first, format);
        dialogs.showForm(frmProperties->form, false);
        restorePointer();
    } catch (const RuntimeError& e) {
        errorBox(e, "cmdProperties_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

// Failures here go to the error path of the button that called it; by then the result
// window is loaded and stays hidden.
void FrmVelmor::ShowResult() {
    FrmMatrixOutput& output = *frmMatrixOutput;
    gVelmor.FlexGrid = &output.MSFlexGrid1;
    gVelmor.ArrayToGrid(mvarMatrix);

    Variant extremes = gVelmor.GetMinMaxArray(mvarMatrix);
    const Array& minMax = extremes.array();
    g.gstrMinValue = format.toText(minMax.at(0));
    g.gstrMaxValue = format.toText(minMax.at(1));

    g.gintNo_Rows = rowCount(mvarMatrix);
    g.gintNo_Columns = columnCount(mvarMatrix);

    output.txtMinimum.setText(g.gstrMinValue);
    output.txtMaximum.setText(g.gstrMaxValue);
    dialogs.showForm(output.form, true);
}

} // namespace velmor
