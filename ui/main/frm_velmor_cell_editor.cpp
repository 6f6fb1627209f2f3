#include <string>

#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

// Lays the editor exactly over the grid's current cell, shows it and gives it the focus.
void placeEditor(TextBox& editor, const Grid& grid) {
    editor.setLeft(grid.Left() + grid.CellLeft());
    editor.setTop(grid.Top() + grid.CellTop());
    editor.setWidth(grid.CellWidth());
    editor.setHeight(grid.CellHeight());
    editor.setVisible(true);
    editor.SetFocus();
}

// The first character of a fresh cell value: a digit, the point or the minus sign.
bool opensNumber(int code) {
    return code == '.' || code == '-' || (code >= '0' && code <= '9');
}

} // namespace

void FrmVelmor::GridEdit(int KeyAscii) {
    try {
        Text1.setFont(MSFlexGrid1.FontName(), MSFlexGrid1.FontSize());
        if (KeyAscii >= 0 && KeyAscii <= key::Space) {
            // Enter, Backspace, Space and the like open the cell as it is.
            Text1.setText(MSFlexGrid1.Text());
            Text1.setSelStart(1000);
        } else {
            if (!opensNumber(KeyAscii)) {
                dialogs.message("Numbers only!");
                return;
            }
            Text1.setText(std::string(1, static_cast<char>(KeyAscii)));
            // The editor may still hold the same character from the previous cell, when
            // setting it raises no Change: write it through here so it replaces this cell.
            MSFlexGrid1.setText(Text1.Text());
            Text1.setSelStart(1);
        }
        placeEditor(Text1, MSFlexGrid1);
    } catch (const RuntimeError& e) {
        errorBox(e, "GridEdit", MsgIcon::Critical, true);
    }
}

void FrmVelmor::MSFlexGrid1_KeyPress(int& KeyAscii) {
    GridEdit(KeyAscii);
}

void FrmVelmor::MSFlexGrid1_Click() {
    Text1.setLeft(MSFlexGrid1.Left() + MSFlexGrid1.CellLeft());
    Text1.setTop(MSFlexGrid1.Top() + MSFlexGrid1.CellTop());
    Text1.setWidth(MSFlexGrid1.CellWidth());
    Text1.setHeight(MSFlexGrid1.CellHeight());
    Text1.setText(MSFlexGrid1.Text());
    // The caret waits after the cell's text, ready to extend or correct it.
    Text1.setSelStart(1000);
    Text1.setVisible(true);
    Text1.SetFocus();
    DisableButtons();
    if (!cboMatrixInput.Text().empty()) {
        cmdSave.setEnabled(true);
        cmdClear.setEnabled(true);
        cmdDelete.setEnabled(true);
        cmdDeleteAll.setEnabled(true);
        cmdCancel.setEnabled(true);
    }
}

void FrmVelmor::MSFlexGrid1_DblClick() {
    MSFlexGrid1_Click();
}

void FrmVelmor::MSFlexGrid1_GotFocus() {
    cmdCancel.setEnabled(true);
    cmdClear.setEnabled(true);
    cmdSave.setEnabled(true);
    if (Text1.Visible()) {
        MSFlexGrid1.setText(Text1.Text());
        Text1.setVisible(false);
    }
    TabStopInput();
}

void FrmVelmor::Text1_Change() {
    // A cell holds one element: a pasted block is cut at its first tab or line break, which
    // would otherwise land in the data file and read back as another matrix.
    const std::string& text = Text1.Text();
    const auto cut = text.find_first_of("\t\r\n");
    if (cut != std::string::npos) {
        Text1.setText(text.substr(0, cut)); // raises Change again with the cut text
        return;
    }
    MSFlexGrid1.setText(text);
}

void FrmVelmor::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == key::Return) KeyAscii = 0;
}

void FrmVelmor::Text1_KeyDown(int& KeyCode, int) {
    if (KeyCode != key::Return && KeyCode != key::Down && KeyCode != key::Up) return;
    try {
        // The focus events close the editor into the cell before the cell moves.
        MSFlexGrid1.SetFocus();
        Grid& grid = MSFlexGrid1;
        const int lastRow = grid.Rows() - 1, lastCol = grid.Cols() - 1;
        if (KeyCode == key::Return) {
            if (grid.Col() < lastCol) {
                grid.setCol(grid.Col() + 1);
            } else if (grid.Row() < lastRow) {
                grid.setRow(grid.Row() + 1);
                grid.setCol(1);
            } else {
                cmdSave.SetFocus();
            }
        } else if (KeyCode == key::Down) {
            if (grid.Row() < lastRow) {
                grid.setRow(grid.Row() + 1);
            } else if (grid.Col() < lastCol) {
                grid.setCol(grid.Col() + 1);
                grid.setRow(1);
            } else {
                cmdSave.SetFocus();
            }
        } else {
            if (grid.Row() != 1) {
                grid.setRow(grid.Row() - 1);
            } else if (grid.Col() < lastCol) {
                grid.setCol(grid.Col() + 1);
                grid.setRow(lastRow);
            } else {
                cmdSave.SetFocus();
                grid.setRow(lastRow);
            }
        }
    } catch (const RuntimeError& e) {
        errorBox(e, "Text1_KeyDown", MsgIcon::Critical, true);
    }
}

void FrmVelmor::Text1_LostFocus() {
    if (MSFlexGrid1.Text().empty()) MSFlexGrid1.setText(Text1.Text());
    Text1.setVisible(false);
}

} // namespace velmor
