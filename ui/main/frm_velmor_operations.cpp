#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/limits.h"
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

// A refused operation: its box has been shown, nothing else is to be reported.
struct Refused {};

// A count with a comma between each group of three digits.
std::string groupedCount(long long n) {
    const std::string digits = std::to_string(n);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

// A result beyond the cell limit is refused before the engine allocates anything for it: a
// product of a long column and a long row would otherwise exhaust the memory.
void requireFits(FrmVelmor& w, long long rows, long long columns) {
    if (rows * columns <= kMaxMatrixCells) return;
    w.dialogs.msgBox("The result would have " + std::to_string(rows) + " x " +
                         std::to_string(columns) + " elements; a matrix may hold at most " +
                         groupedCount(kMaxMatrixCells) + ".",
                     MsgButtons::OK, MsgIcon::Exclamation, kAppTitle);
    throw Refused{};
}

// An engine call on the matrices of both selectors, the first one read first; a product
// takes its column count from the second. The operands are kept in `operands` for the
// result's exact fractions.
std::function<Variant()> onBothSelections(FrmVelmor& w, const char* title,
                                          Variant (EngineAdapter::*call)(const Variant&,
                                                                         const Variant&),
                                          Variant (&operands)[2], bool product = false) {
    return [&w, title, call, &operands, product] {
        operands[0] = chosenMatrix(w.Matrices, w.cboMatrixInput);
        operands[1] = chosenMatrix(w.Matrices, w.cboMatrixInput2);
        requireFits(w, rowCount(operands[0]), columnCount(operands[product ? 1 : 0]));
        return longCall(w, title, [&] { return (w.gVelmor.*call)(operands[0], operands[1]); });
    };
}

// Offers the result's exact fractions from the operands of the engine call.
std::function<void(FrmMatrixOutput&)> exactFrom(exact::Operation op, const Variant& first,
                                                const Variant* second = nullptr,
                                                const std::string* scalar = nullptr) {
    return [op, &first, second, scalar](FrmMatrixOutput& out) {
        out.setExactSource(op, first, second, scalar ? *scalar : std::string());
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
        if (op.exact) op.exact(*frmMatrixOutput);
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
    } catch (const Refused&) {
        restorePointer();
    }
}

void FrmVelmor::cmdAdd_Click() {
    Variant ab[2];
    runOperation({"cmdAdd_Click",
                  onBothSelections(*this, "Add", &EngineAdapter::Add, ab),
                  [&] { return "[" + cboMatrixInput.Text() + "+" + cboMatrixInput2.Text() + "]"; },
                  Operation::Box,
                  {},
                  exactFrom(exact::Operation::Add, ab[0], &ab[1])});
}

void FrmVelmor::cmdSubtract_Click() {
    Variant ab[2];
    runOperation({"cmdSubtract_Click",
                  onBothSelections(*this, "Subtract", &EngineAdapter::Subtract, ab),
                  [&] { return "[" + cboMatrixInput.Text() + "-" + cboMatrixInput2.Text() + "]"; },
                  Operation::Box,
                  {},
                  exactFrom(exact::Operation::Subtract, ab[0], &ab[1])});
}

void FrmVelmor::cmdMultiply_Click() {
    Variant ab[2];
    runOperation({"cmdMultiply_Click",
                  onBothSelections(*this, "Multiply", &EngineAdapter::Multiply, ab, true),
                  [&] { return cboMatrixInput.Text() + cboMatrixInput2.Text(); },
                  Operation::Box,
                  {},
                  exactFrom(exact::Operation::Multiply, ab[0], &ab[1])});
}

void FrmVelmor::cmdScale_Click() {
    std::string answer = dialogs.inputBox("Scalar", "Multiply by Scalar", "");
    // Cancel, or OK on an empty box: the pointer is never touched.
    if (answer.empty()) return;
    double scalar = 0;
    Variant a;
    runOperation({"cmdScale_Click",
                  [&] {
                      a = chosenMatrix(Matrices, cboMatrixInput);
                      requireFits(*this, rowCount(a), columnCount(a));
                      return longCall(*this, "Scale",
                                      [&] { return gVelmor.ScaleMultiply(scalar, a); });
                  },
                  [&] { return format.toText(scalar) + cboMatrixInput.Text(); }, Operation::Box,
                  [&] { scalar = format.toNumber(std::string_view(answer)); },
                  exactFrom(exact::Operation::Scale, a, nullptr, &answer)});
}

void FrmVelmor::cmdTranspose_Click() {
    // Silent by design: the engine has already reported whatever failed.
    Variant a;
    runOperation({"cmdTranspose_Click",
                  [&] {
                      requireFits(*this, MSFlexGrid1.Cols() - 1, MSFlexGrid1.Rows() - 1);
                      gVelmor.FlexGrid = &MSFlexGrid1;
                      a = gVelmor.GridToArray();
                      MSFlexGrid1.scrollHome();
                      return longCall(*this, "Transpose", [&] { return gVelmor.Transpose(a); });
                  },
                  [&] { return suffixLabel(cboMatrixInput.Text(), "_T"); },
                  Operation::Silent,
                  {},
                  exactFrom(exact::Operation::Transpose, a)});
}

void FrmVelmor::cmdInvert_Click() {
    // Error 13 means the engine returned no inverse after its own message (a singular or
    // non-square matrix); a second box would only repeat it.
    Variant a;
    runOperation({"cmdInvert_Click",
                  [&] {
                      requireFits(*this, MSFlexGrid1.Rows() - 1, MSFlexGrid1.Cols() - 1);
                      gVelmor.FlexGrid = &MSFlexGrid1;
                      a = gVelmor.GridToArray();
                      MSFlexGrid1.scrollHome();
                      return longCall(*this, "Invert", [&] { return gVelmor.Invert(a); });
                  },
                  [&] { return suffixLabel(cboMatrixInput.Text(), "_I"); },
                  Operation::BoxUnlessNoResult,
                  {},
                  exactFrom(exact::Operation::Invert, a)});
}

void FrmVelmor::cmdAdjoint_Click() {
    Variant a;
    runOperation({"cmdAdjoint_Click",
                  [&] {
                      a = chosenMatrix(Matrices, cboMatrixInput);
                      requireFits(*this, rowCount(a), columnCount(a));
                      return longCall(*this, "Adjoint",
                                      [&] { return gVelmor.GetAdjointMatrix(a); });
                  },
                  [&] { return "adj(" + cboMatrixInput.Text() + ")"; },
                  Operation::Box,
                  {},
                  exactFrom(exact::Operation::Adjoint, a)});
}

void FrmVelmor::cmdProperties_Click() {
    try {
        busy();
        Variant first = chosenMatrix(Matrices, cboMatrixInput);
        // A method that reported a failure returned a 0 that must not read as a result (a
        // user would take it for "singular"): its field stays empty.
        auto shown = [this](double value) {
            return gVelmor.LastFailed() ? std::string() : format.toText(value);
        };
        std::string determinant = shown(gVelmor.GetDeterminant(first));
        // The dialog is modeless and outlives its OK: the same object is reloaded, so the
        // binding's window for it stays valid.
        if (!frmProperties) frmProperties = std::make_unique<FrmProperties>(dialogs);
        frmProperties->form.load();
        frmProperties->txtDeterminant.setText(determinant);
        frmProperties->txtTrace.setText(shown(gVelmor.GetTrace(first)));
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
