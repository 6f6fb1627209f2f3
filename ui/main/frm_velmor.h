#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/adapters/engine_adapter.h"
#include "engine/number_format.h"
#include "ui/adapters/matrix_list.h"
#include "store/matrix_file_entry.h"
#include "ui/output/main_window_link.h"
#include "ui/view/combo_box.h"
#include "ui/view/command_button.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"
#include "ui/view/grid_clipboard.h"
#include "ui/view/menu_item.h"
#include "ui/view/platform_services.h"
#include "ui/view/slider.h"
#include "ui/view/text_box.h"

namespace velmor {

class FrmMatrixOutput;
class FrmProperties;
class FrmAbout;
class FrmConfirmSave;

// Twips added to the selectors so that a name of 20 characters fits; everything to their
// right, and the window, is that much wider.
inline constexpr float kNameRoom = 960;

// The main window's controller: its controls, state and event handlers. The handlers are
// split by concern over several source files (start-up and states, entry, cell editor,
// selection, operations, files, help).
class FrmVelmor : public MainWindowLink {
  public:
    FrmVelmor(DialogService& dialogs, PlatformServices& platform, const NumberFormat& format);
    ~FrmVelmor() override;

    // MainWindowLink
    EngineAdapter& engine() override { return gVelmor; }
    MatrixList& matrices() override { return Matrices; }
    MainWindowState& state() override { return g; }
    PlatformServices& platformServices() override { return platform; }
    ComboBox& firstSelector() override { return cboMatrixInput; }
    ComboBox& secondSelector() override { return cboMatrixInput2; }
    PlatformServices& services() override { return platform; }
    void TabStopMatrixOps() override;
    void Show() override;

    // True once Exit (or a frame close) has ended the program.
    bool ended() const { return ended_; }

    DialogService& dialogs;
    PlatformServices& platform;
    const NumberFormat& format;

    // The window and its controls, in design order.
    Form form;
    Picture Image1;
    CommandButton cmdInput, cmdTranspose, cmdInvert, cmdScale, cmdMultiply, cmdAdd, cmdSubtract,
        cmdExit, cmdProperties, cmdAdjoint, cmdSave, cmdCancel, cmdClear, cmdDelete, cmdDeleteAll;
    Label lblMatrixTop, lblRows, lblColumns, lblDescription;
    ComboBox cboMatrixInput;
    TextBox txtNo_Rows, txtNo_Columns, txtDescription;
    Grid MSFlexGrid1;
    TextBox Text1;
    Label lblColWidth;
    Slider Slider1;
    Label lblMatrixBottom, lblRows2, lblColumns2, lblDescription2;
    ComboBox cboMatrixInput2;
    TextBox txtNo_Rows2, txtNo_Columns2, txtDescription2;
    Grid MSFlexGrid2;
    FileDialog CommonDialog1;

    MenuItem mnuFile, mnuFileOpen, mnuFileSave, mnuFileExit;
    MenuItem mnuEdit, mnuEditCopy;
    CopyAsMenu mnuEditCopyAs;
    MenuItem mnuEditPaste, mnuEditSelectAll;
    MenuItem mnuFormat, mnuInputDelimiter, mnuOutputDelimiter;
    MenuItem mnuHelp, mnuAbout, mnuContents;

    // Public state (g*) and the engine and list.
    EngineAdapter gVelmor;
    MatrixList Matrices;
    MainWindowState g;

    // Window-level state.
    Variant mvarMatrix;
    std::string mstrMatrixName;
    bool mfMatrixSaved = true;
    // An entry started by Input is under way: not yet saved, cancelled or replaced by a pick.
    bool mfEntering = false;
    std::int16_t mintMatrixCount = 0;
    std::int16_t mintIndex = 0;
    std::string mstrStartDir;
    std::string mstrIniFile;
    std::string mstrSettingsInUse; // the settings file read at start-up, "" when none
    std::string mstrInputDelimiter;
    std::string mstrOutputDelimiter;
    std::int16_t mintFileNo = 0;
    bool mfFileRead = false;
    // The element cells one data file may add to the list (lowered by tests).
    long long fileCellBudget = kMaxFileCells;

    // The modal result window of the operation under way, and the two modeless dialogs.
    std::unique_ptr<FrmMatrixOutput> frmMatrixOutput;
    std::unique_ptr<FrmProperties> frmProperties;
    std::unique_ptr<FrmAbout> frmAbout;
    // The answers of the last file-exists question (they outlive the dialog).
    bool confirmAppend = false;
    bool confirmCancel = false;

    // Start-up, states and exit (frm_velmor_startup.cpp).
    // Returns false when start-up failed and the window must never be shown.
    bool Form_Load();
    void Form_Resize();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void cmdExit_Click();
    void mnuFileExit_Click();
    void EnableButtons();
    void DisableButtons();
    void TabStopInput();
    void Slider1_Change();
    void mnuInputDelimiter_Click();
    void mnuOutputDelimiter_Click();

    // Entry and editing (frm_velmor_entry.cpp).
    void cmdInput_Click();
    void txtNo_Rows_KeyPress(int& KeyAscii);
    void txtNo_Rows_LostFocus();
    void txtNo_Columns_KeyPress(int& KeyAscii);
    void txtNo_Columns_LostFocus();
    void txtDescription_GotFocus();
    void txtDescription_KeyPress(int& KeyAscii);
    void txtDescription_KeyDown(int& KeyCode, int Shift);
    void txtDescription_LostFocus();
    void cmdSave_Click();
    void cmdCancel_Click();
    void cmdClear_Click();

    // Cell editor (frm_velmor_cell_editor.cpp).
    void GridEdit(int KeyAscii);
    void MSFlexGrid1_KeyPress(int& KeyAscii);
    void MSFlexGrid1_Click();
    void MSFlexGrid1_DblClick();
    void MSFlexGrid1_GotFocus();
    void Text1_Change();
    void Text1_KeyPress(int& KeyAscii);
    void Text1_KeyDown(int& KeyCode, int Shift);
    void Text1_LostFocus();

    // Selection and deletion (frm_velmor_selection.cpp).
    void cboMatrixInput_Change();
    void cboMatrixInput_Click();
    void cboMatrixInput_KeyDown(int& KeyCode, int Shift);
    void cboMatrixInput_KeyPress(int& KeyAscii);
    void cboMatrixInput_LostFocus();
    void cboMatrixInput2_Change();
    void cboMatrixInput2_Click();
    void cmdDelete_Click();
    void cmdDeleteAll_Click();

    // Operations (frm_velmor_operations.cpp).
    void cmdAdd_Click();
    void cmdSubtract_Click();
    void cmdMultiply_Click();
    void cmdScale_Click();
    void cmdTranspose_Click();
    void cmdInvert_Click();
    void cmdAdjoint_Click();
    void cmdProperties_Click();
    void ShowResult();
    // One matrix operation of the buttons above the grids (see runOperation).
    struct Operation {
        enum OnError { Box, BoxUnlessNoResult, Silent };
        const char* handler;
        std::function<Variant()> compute;   // the engine call on the chosen operands
        std::function<std::string()> label; // the result's proposed name
        OnError onError = Box;
        std::function<void()> prepare = {}; // runs before the pointer turns busy
        // Hands the operands to the result window for its exact fractions.
        std::function<void(FrmMatrixOutput&)> exact = {};
    };
    void runOperation(const Operation& op);

    // Matrix data files (frm_velmor_files.cpp).
    void SaveMatrix(std::string& MatrixTxtFile);
    void OpenMatrix(std::string& MatrixTxtFile);
    void showListAfterOpen();
    // Shows the box about the first element that a data file would not give back.
    bool allElementsReadBack();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    // Where the Open dialog starts: the current folder's exercises/, else the installed
    // samples, else the home folder.
    std::string samplesFolder();

    // Clipboard (frm_velmor_clipboard.cpp): on the grid that has the focus, the top grid
    // when none has; Paste only into the top grid while it takes typing.
    void mnuEditCopy_Click();
    void mnuEditCopyAs_Click(CopyFormat format);
    void mnuEditPaste_Click();
    void mnuEditSelectAll_Click();

    // Help and About (frm_velmor_help.cpp).
    void mnuContents_Click();
    void mnuAbout_Click();
    // The guide Help > Contents shows: Help/velmor.html below the start folder, else below
    // the installed data folder; "" when neither exists.
    std::string helpFileInUse();

    // Shared helpers.
    void busy() { form.setMousePointer(kPointerHourglass); }
    void restorePointer() { form.setMousePointer(g.gintCursor); }
    // Runs an engine call as long work (see DialogService::runLongWork); false when the user
    // cancelled it, and then nothing of it may be kept.
    bool longWork(const std::string& title, const std::function<void()>& work);
    // The standard error box of a window handler.
    void errorBox(const RuntimeError& e, const std::string& handler, MsgIcon icon, bool dashForm);
    // Sets the data column widths 1..N of a grid by the cell width rule.
    void setColumnWidths(Grid& grid, int columns);

  private:
    void buildControls();
    void wireEvents();
    Grid& focusedGrid();
    void pasteBlock(const ParsedBlock& block);
    // Reads the delimiters from the first settings file found (start-up).
    void readSettings();
    // The settings file in `dir`, matched without regard to case; "" when none.
    std::string iniFileIn(const std::string& dir);
    // The exit's save question; true when the program may end.
    bool mayEnd();
    // Marks the program ended, closes the other windows and ends the event loop.
    void endProgram();

    bool ended_ = false;
};

} // namespace velmor
