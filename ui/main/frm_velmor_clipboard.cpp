#include <algorithm>
#include <new>
#include <string>

#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr int kCentre = 4;
constexpr const char* kPasteTitle = "Paste";

std::string withThousands(long long n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

} // namespace

Grid& FrmVelmor::focusedGrid() {
    return form.ActiveControl() == &MSFlexGrid2 ? MSFlexGrid2 : MSFlexGrid1;
}

void FrmVelmor::mnuEditCopy_Click() {
    mnuEditCopyAs_Click(CopyFormat::Tabs);
}

void FrmVelmor::mnuEditCopyAs_Click(CopyFormat f) {
    try {
        copyGrid(focusedGrid(), f, platform, format.decimalSeparator());
    } catch (const std::bad_alloc&) {
        errorBox(RuntimeError(err::OutOfMemory), "mnuEditCopy_Click", MsgIcon::Critical, true);
    }
}

void FrmVelmor::mnuEditSelectAll_Click() {
    try {
        // An open cell editor closes into its cell first, as Enter closes it.
        if (form.ActiveControl() == &Text1) MSFlexGrid1.SetFocus();
        focusedGrid().selectAll();
    } catch (const RuntimeError& e) {
        errorBox(e, "mnuEditSelectAll_Click", MsgIcon::Critical, true);
    }
}

void FrmVelmor::mnuEditPaste_Click() {
    try {
        // A paste counts as typing: it goes where typing on the top grid would go.
        Control* at = form.ActiveControl();
        if (at != &MSFlexGrid1 && at != &Text1) {
            dialogs.msgBox("Paste puts a block into the top grid. Click the cell where the "
                           "block should start (after Input for a new matrix), then paste "
                           "again.",
                           MsgButtons::OK, MsgIcon::Exclamation, kPasteTitle);
            return;
        }
        ParsedBlock block =
            parseBlock(platform.clipboardText(), mstrInputDelimiter, format.decimalSeparator());
        if (block.columns == 0 && !block.tooLarge) return;
        if (at == &Text1) MSFlexGrid1.SetFocus();
        pasteBlock(block);
    } catch (const RuntimeError& e) {
        errorBox(e, "mnuEditPaste_Click", MsgIcon::Critical, true);
        restorePointer();
    } catch (const std::bad_alloc&) {
        errorBox(RuntimeError(err::OutOfMemory), "mnuEditPaste_Click", MsgIcon::Critical, true);
        restorePointer();
    }
}

void FrmVelmor::pasteBlock(const ParsedBlock& block) {
    Grid& grid = MSFlexGrid1;
    // The block starts at the selection's top left corner, or at the current cell.
    CellRange from = grid.Selection();
    const int top = std::max(1, from.top), left = std::max(1, from.left);
    const long long height = static_cast<long long>(block.rows.size()), width = block.columns;
    const long long rows = std::max<long long>(grid.Rows() - 1, top + height - 1);
    const long long cols = std::max<long long>(grid.Cols() - 1, left + width - 1);
    if (block.tooLarge || rows > kMaxMatrixCount || cols > kMaxMatrixCount ||
        rows * cols > kMaxMatrixCells) {
        std::string size =
            block.tooLarge ? std::string("more than a matrix can hold")
                           : withThousands(rows) + " rows and " + withThousands(cols) + " columns";
        dialogs.msgBox("The pasted block needs " + size + ". A matrix has at most " +
                           withThousands(kMaxMatrixCount) + " rows, " +
                           withThousands(kMaxMatrixCount) + " columns and " +
                           withThousands(kMaxMatrixCells) + " elements. Nothing was pasted.",
                       MsgButtons::OK, MsgIcon::Exclamation, kPasteTitle);
        return;
    }
    busy();
    const int oldRows = grid.Rows() - 1, oldCols = grid.Cols() - 1;
    grid.setRows(static_cast<int>(rows) + 1);
    grid.setCols(static_cast<int>(cols) + 1);
    // Headings and widths as the count boxes give them; a fresh entry grid has none yet.
    const bool fresh = grid.TextMatrix(0, 1).empty();
    for (int r = fresh ? 1 : oldRows + 1; r <= rows; ++r) {
        grid.setRow(r);
        grid.setCol(0);
        grid.setCellAlignment(kCentre);
        grid.setText(std::to_string(r));
    }
    for (int c = fresh ? 1 : oldCols + 1; c <= cols; ++c) {
        grid.setRow(0);
        grid.setCol(c);
        grid.setCellAlignment(kCentre);
        grid.setText(std::to_string(c));
    }
    if (fresh || cols > oldCols) setColumnWidths(grid, static_cast<int>(cols));
    txtNo_Rows.setText(std::to_string(rows));
    txtNo_Columns.setText(std::to_string(cols));
    for (long long r = 0; r < height; ++r) {
        const auto& row = block.rows[static_cast<std::size_t>(r)];
        for (long long c = 0; c < width; ++c)
            grid.setTextMatrix(static_cast<int>(top + r), static_cast<int>(left + c),
                               c < static_cast<long long>(row.size())
                                   ? row[static_cast<std::size_t>(c)]
                                   : std::string());
    }
    grid.setRow(top);
    grid.setCol(left);
    grid.setSelection(
        {top, left, static_cast<int>(top + height - 1), static_cast<int>(left + width - 1)});
    // The entry has changed: it can be saved, cleared or cancelled, as after typing.
    cmdSave.setEnabled(true);
    cmdClear.setEnabled(true);
    cmdCancel.setEnabled(true);
    restorePointer();
}

} // namespace velmor
