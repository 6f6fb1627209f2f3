#include <functional>
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
Variant chosenMatrix(MatrixList& list, const ComboBox& selector) {
    return listEntry(list, selector.ListIndex() + 1).Matrix();
}

// Runs an engine call as long work: the operands are read before, on the window's thread. A
// cancelled call keeps nothing and ends the operation without a box.
Variant longCall(FrmVelmor& w, const char* title, const std::function<Variant()>& call) {
    Variant result;
    if (!w.longWork(title, [&] { result = call(); })) throw WorkCancelled();
    return result;
}

// An engine call on the matrices of both selectors, the first one read first.
std::function<Variant()> onBothSelections(FrmVelmor& w, const char* title,
                                          Variant (EngineAdapter::*call)(const Variant&,
                                                                         const Variant&)) {
    return [&w, title, call] {
        Variant first = chosenMatrix(w.Matrices, w.cboMatrixInput);
        Variant second = chosenMatrix(w.Matrices, w.cboMatrixInput2);
        return longCall(w, title, [&] { return (w.gVelmor.*call)(first, second); });
    };
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

// The frame every matrix operation shares: busy pointer, the engine call, the result window
// named by `label`, and the handler's own error box for whatever the engine did not report.
// The working matrix only ever holds a matrix: an engine call that failed (after its own
// boxes) gives none, which the handler reports as error 13 and the previous value stays.
void FrmVelmor::runOperation(const Operation& op) {
    try {
        if (op.prepare) op.prepare();
        busy();
        Variant result = op.compute();
        if (!result.isArray() || result.array().dims() != 2) throw RuntimeError(err::TypeMismatch);
        mvarMatrix = std::move(result);
        openResultWindow(*this, op.label());
        ShowResult();
        restorePointer();
    } catch (const RuntimeError& e) {
        const bool reported =
            op.onError == Operation::Silent ||
            (op.onError == Operation::BoxUnlessNoResult && e.number() == err::TypeMismatch);
        if (!reported) errorBox(e, op.handler, MsgIcon::Critical, true);
        restorePointer();
    } catch (const WorkCancelled&) {
        // The user stopped it: the working matrix and the result window stay as they were.
        restorePointer();
    }
}

void FrmVelmor::cmdAdd_Click() {
    runOperation({"cmdAdd_Click", onBothSelections(*this, "Add", &EngineAdapter::Add), [&] {
                      return "[" + cboMatrixInput.Text() + "+" + cboMatrixInput2.Text() + "]";
                  }});
}

void FrmVelmor::cmdSubtract_Click() {
    runOperation(
        {"cmdSubtract_Click", onBothSelections(*this, "Subtract", &EngineAdapter::Subtract),
         [&] { return "[" + cboMatrixInput.Text() + "-" + cboMatrixInput2.Text() + "]"; }});
}

void FrmVelmor::cmdMultiply_Click() {
    runOperation({"cmdMultiply_Click",
                  onBothSelections(*this, "Multiply", &EngineAdapter::Multiply),
                  [&] { return cboMatrixInput.Text() + cboMatrixInput2.Text(); }});
}

void FrmVelmor::cmdScale_Click() {
    std::string answer = dialogs.inputBox("Scalar", "Multiply by Scalar", "");
    // Cancel, or OK on an empty box: the pointer is never touched.
    if (answer.empty()) return;
    double scalar = 0;
    runOperation({"cmdScale_Click",
                  [&] {
                      Variant first = chosenMatrix(Matrices, cboMatrixInput);
                      return longCall(*this, "Scale",
                                      [&] { return gVelmor.ScaleMultiply(scalar, first); });
                  },
                  [&] { return format.toText(scalar) + cboMatrixInput.Text(); }, Operation::Box,
                  [&] { scalar = format.toNumber(std::string_view(answer)); }});
}

void FrmVelmor::cmdTranspose_Click() {
    // Silent by design: the engine has already reported whatever failed.
    runOperation({"cmdTranspose_Click",
                  [&] {
                      gVelmor.FlexGrid = &MSFlexGrid1;
                      Variant grid = gVelmor.GridToArray();
                      MSFlexGrid1.scrollHome();
                      return longCall(*this, "Transpose", [&] { return gVelmor.Transpose(grid); });
                  },
                  [&] { return suffixLabel(cboMatrixInput.Text(), "_T"); }, Operation::Silent});
}

void FrmVelmor::cmdInvert_Click() {
    // Error 13 means the engine returned no inverse after its own message (a singular or
    // non-square matrix); a second box would only repeat it.
    runOperation({"cmdInvert_Click",
                  [&] {
                      gVelmor.FlexGrid = &MSFlexGrid1;
                      Variant grid = gVelmor.GridToArray();
                      MSFlexGrid1.scrollHome();
                      return longCall(*this, "Invert", [&] { return gVelmor.Invert(grid); });
                  },
                  [&] { return suffixLabel(cboMatrixInput.Text(), "_I"); },
                  Operation::BoxUnlessNoResult});
}

void FrmVelmor::cmdAdjoint_Click() {
    runOperation({"cmdAdjoint_Click",
                  [&] {
                      Variant first = chosenMatrix(Matrices, cboMatrixInput);
                      return longCall(*this, "Adjoint",
                                      [&] { return gVelmor.GetAdjointMatrix(first); });
                  },
                  [&] { return "adj(" + cboMatrixInput.Text() + ")"; }});
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
    output.MSFlexGrid1.scrollHome();
    output.FitColumns();

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
