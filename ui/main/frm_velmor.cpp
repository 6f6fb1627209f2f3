#include "ui/main/frm_velmor.h"

#include "ui/adapters/error_prompt.h"
#include "ui/dialogs/frm_about.h"
#include "ui/dialogs/frm_properties.h"
#include "ui/output/frm_matrix_output.h"

namespace velmor {

FrmVelmor::FrmVelmor(DialogService& dialogs_, PlatformServices& platform_,
                     const NumberFormat& format_)
    : dialogs(dialogs_), platform(platform_), format(format_),
      form("frmVelmor", "Dravik Software - Velmor"), Image1(form, "Image1", "velmor"),
      cmdInput(form, "cmdInput", "&Input"), cmdTranspose(form, "cmdTranspose", "&Transpose"),
      cmdInvert(form, "cmdInvert", "I&nvert"), cmdScale(form, "cmdScale", "Sca&le"),
      cmdMultiply(form, "cmdMultiply", "&Multiply"), cmdAdd(form, "cmdAdd", "&Add"),
      cmdSubtract(form, "cmdSubtract", "Su&btract"), cmdExit(form, "cmdExit", "E&xit"),
      cmdProperties(form, "cmdProperties", "&Properties"),
      cmdAdjoint(form, "cmdAdjoint", "Ad&joint"), cmdSave(form, "cmdSave", "&Save"),
      cmdCancel(form, "cmdCancel", "&Cancel"), cmdClear(form, "cmdClear", "Clea&r"),
      cmdDelete(form, "cmdDelete", "&Delete"), cmdDeleteAll(form, "cmdDeleteAll", "D&elete All"),
      lblMatrixTop(form, "lblMatrixTop", "Matrix"), lblRows(form, "lblRows", "Rows"),
      lblColumns(form, "lblColumns", "Columns"),
      lblDescription(form, "lblDescription", "Description"),
      cboMatrixInput(form, "cboMatrixInput", true), txtNo_Rows(form, "txtNo_Rows"),
      txtNo_Columns(form, "txtNo_Columns"), txtDescription(form, "txtDescription"),
      MSFlexGrid1(form, "MSFlexGrid1"), Text1(form, "Text1"),
      lblColWidth(form, "lblColWidth", "Column Width"), Slider1(form, "Slider1", 0, 10),
      lblMatrixBottom(form, "lblMatrixBottom", "Matrix"), lblRows2(form, "lblRows2", "Rows"),
      lblColumns2(form, "lblColumns2", "Columns"),
      lblDescription2(form, "lblDescription2", "Description"),
      cboMatrixInput2(form, "cboMatrixInput2", false), txtNo_Rows2(form, "txtNo_Rows2"),
      txtNo_Columns2(form, "txtNo_Columns2"), txtDescription2(form, "txtDescription2"),
      MSFlexGrid2(form, "MSFlexGrid2"), mnuFile("mnuFile", "&File"),
      mnuFileOpen("mnuFileOpen", "&Open...", "Ctrl+O"),
      mnuFileSave("mnuFileSave", "&Save...", "Ctrl+S"), mnuFileExit("mnuFileExit", "E&xit"),
      mnuEdit("mnuEdit", "&Edit"), mnuEditCopy("mnuEditCopy", "&Copy", "Ctrl+C"),
      mnuEditCopyAs("mnuEditCopyAs"), mnuEditPaste("mnuEditPaste", "&Paste", "Ctrl+V"),
      mnuEditSelectAll("mnuEditSelectAll", "Select &All", "Ctrl+A"),
      mnuFormat("mnuFormat", "Fo&rmat"),
      mnuInputDelimiter("mnuInputDelimiter", "&Input Delimiter..."),
      mnuOutputDelimiter("mnuOutputDelimiter", "Out&put Delimiter..."), mnuHelp("mnuHelp", "&Help"),
      mnuAbout("mnuAbout", "&About..."), mnuContents("mnuContents", "&Contents...", "Ctrl+H"),
      gVelmor(dialogs_, format_), Matrices(dialogs_) {
    buildControls();
    wireEvents();
}

FrmVelmor::~FrmVelmor() {
    // The grid views read their cells until the window is gone.
    form.releaseWindow();
}

void FrmVelmor::buildControls() {
    form.setIcon("velmor");
    form.setResizable(true);
    // Design client area 9720 x 7560 plus the frame, title bar and menu bar.
    form.userResize(9840 + kNameRoom, 8370);

    struct Place {
        Control& c;
        double left, top, width, height;
    };
    const Place places[] = {
        {Image1, 585, 240, 480, 480},
        {cmdInput, 225, 960, 1215, 495},
        {cmdTranspose, 225, 1680, 1215, 495},
        {cmdInvert, 225, 2280, 1215, 495},
        {cmdScale, 225, 2880, 1215, 495},
        {cmdMultiply, 225, 4440, 1215, 495},
        {cmdAdd, 225, 5040, 1215, 495},
        {cmdSubtract, 225, 5640, 1215, 495},
        {cmdExit, 225, 6360, 1215, 495},
        {cmdProperties, 1665, 2280, 1215, 495},
        {cmdAdjoint, 1665, 2880, 1215, 495},
        {lblMatrixTop, 1665, 1560, 735, 375},
        {cboMatrixInput, 1665, 1800, 1215 + kNameRoom, 315},
        {lblRows, 2265, 960, 615, 255},
        {txtNo_Rows, 2265, 1200, 600, 315},
        {lblColumns, 3105 + kNameRoom, 480, 735, 255},
        {txtNo_Columns, 3105 + kNameRoom, 720, 600, 315},
        {lblDescription, 4065 + kNameRoom, 480, 1215, 495},
        {txtDescription, 4065 + kNameRoom, 720, 3855, 315},
        {Text1, 5520 + kNameRoom, 360, 1215, 495},
        {MSFlexGrid1, 3105 + kNameRoom, 1200, 4815, 2175},
        {Slider1, 4905 + kNameRoom, 3480, 1575, 495},
        {lblColWidth, 3705 + kNameRoom, 3600, 1095, 255},
        {lblColumns2, 3105 + kNameRoom, 3960, 735, 255},
        {txtNo_Columns2, 3105 + kNameRoom, 4200, 600, 315},
        {lblDescription2, 4065 + kNameRoom, 3960, 1215, 495},
        {txtDescription2, 4065 + kNameRoom, 4200, 3855, 315},
        {lblRows2, 2265, 4440, 615, 255},
        {txtNo_Rows2, 2265, 4680, 600, 315},
        {lblMatrixBottom, 1665, 5040, 735, 375},
        {cboMatrixInput2, 1665, 5280, 1215 + kNameRoom, 315},
        {MSFlexGrid2, 3105 + kNameRoom, 4680, 4815, 2175},
        {cmdSave, 8280 + kNameRoom, 960, 1215, 495},
        {cmdCancel, 8280 + kNameRoom, 1680, 1215, 495},
        {cmdClear, 8280 + kNameRoom, 2280, 1215, 495},
        {cmdDelete, 8280 + kNameRoom, 2880, 1215, 495},
        {cmdDeleteAll, 8280 + kNameRoom, 3480, 1215, 495},
    };
    for (const auto& p : places) p.c.move(p.left, p.top, p.width, p.height);

    cmdSave.setToolTipText("Save to Matrix list (Use \"File > Save\" to save list to text file)");
    cmdCancel.setToolTipText("Cancel changes/input");
    cmdClear.setToolTipText("Clear the grid");
    cmdDelete.setToolTipText("Delete from Matrix list");
    cmdDeleteAll.setToolTipText("Delete from Matrix list");
    cmdProperties.setToolTipText("Determinant, Trace");
    cmdScale.setToolTipText("Multiply by a Scalar");
    cboMatrixInput.setToolTipText("Select or Enter Matrix Name");
    txtNo_Rows.setToolTipText("Number of Rows");
    txtNo_Columns.setToolTipText("Number of Columns");
    txtDescription.setToolTipText("Optional Matrix Description");
    cboMatrixInput2.setToolTipText("Select Matrix");

    for (CommandButton* b :
         {&cmdSave, &cmdCancel, &cmdClear, &cmdDelete, &cmdDeleteAll, &cmdTranspose, &cmdInvert,
          &cmdProperties, &cmdAdjoint, &cmdScale, &cmdMultiply, &cmdAdd, &cmdSubtract})
        b->setEnabled(false);
    for (Control* c :
         {static_cast<Control*>(&lblMatrixBottom), static_cast<Control*>(&cboMatrixInput2),
          static_cast<Control*>(&lblRows2), static_cast<Control*>(&txtNo_Rows2),
          static_cast<Control*>(&lblColumns2), static_cast<Control*>(&txtNo_Columns2),
          static_cast<Control*>(&lblDescription2), static_cast<Control*>(&txtDescription2),
          static_cast<Control*>(&MSFlexGrid2), static_cast<Control*>(&Text1)})
        c->setVisible(false);
    MSFlexGrid1.setTabStop(false);
    MSFlexGrid2.setTabStop(false);
    Text1.setTabStop(false);
    // The cell editor shows its text where the cell shows a number.
    Text1.setAlignment(kTextRight);
    txtNo_Rows2.setLocked(true);
    txtNo_Columns2.setLocked(true);
    txtDescription2.setLocked(true);
    form.setCancelButton(&cmdExit);

    form.setTabOrder({&cmdInput,        &cboMatrixInput, &cboMatrixInput2, &txtNo_Rows,
                      &txtNo_Columns,   &txtDescription, &MSFlexGrid1,     &Text1,
                      &cmdAdjoint,      &cmdSave,        &cmdCancel,       &cmdClear,
                      &cmdDelete,       &cmdDeleteAll,   &cmdTranspose,    &cmdInvert,
                      &cmdMultiply,     &MSFlexGrid2,    &txtNo_Columns2,  &txtNo_Rows2,
                      &cmdAdd,          &cmdSubtract,    &cmdExit,         &cmdScale,
                      &txtDescription2, &Slider1,        &cmdProperties});

    mnuFile.add(mnuFileOpen);
    mnuFile.add(mnuFileSave);
    mnuFile.add(mnuFileExit);
    mnuEdit.add(mnuEditCopy);
    mnuEdit.add(mnuEditCopyAs.menu);
    mnuEdit.add(mnuEditPaste);
    mnuEdit.add(mnuEditSelectAll);
    mnuFormat.add(mnuInputDelimiter);
    mnuFormat.add(mnuOutputDelimiter);
    mnuHelp.add(mnuAbout);
    mnuHelp.add(mnuContents);
    form.addMenu(mnuFile);
    form.addMenu(mnuEdit);
    form.addMenu(mnuFormat);
    form.addMenu(mnuHelp);
    mnuFileSave.setEnabled(false);
    MSFlexGrid1.setContextMenu(&mnuEdit);
    MSFlexGrid2.setContextMenu(&mnuEdit);
}

void FrmVelmor::wireEvents() {
    form.onResize = [this] { Form_Resize(); };
    form.onQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };

    cmdInput.onClick = [this] { cmdInput_Click(); };
    cmdSave.onClick = [this] { cmdSave_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdClear.onClick = [this] { cmdClear_Click(); };
    cmdDelete.onClick = [this] { cmdDelete_Click(); };
    cmdDeleteAll.onClick = [this] { cmdDeleteAll_Click(); };
    cmdExit.onClick = [this] { cmdExit_Click(); };
    cmdAdd.onClick = [this] { cmdAdd_Click(); };
    cmdSubtract.onClick = [this] { cmdSubtract_Click(); };
    cmdMultiply.onClick = [this] { cmdMultiply_Click(); };
    cmdScale.onClick = [this] { cmdScale_Click(); };
    cmdTranspose.onClick = [this] { cmdTranspose_Click(); };
    cmdInvert.onClick = [this] { cmdInvert_Click(); };
    cmdAdjoint.onClick = [this] { cmdAdjoint_Click(); };
    cmdProperties.onClick = [this] { cmdProperties_Click(); };

    txtNo_Rows.onKeyPress = [this](int& k) { txtNo_Rows_KeyPress(k); };
    txtNo_Rows.onLostFocus = [this] { txtNo_Rows_LostFocus(); };
    txtNo_Columns.onKeyPress = [this](int& k) { txtNo_Columns_KeyPress(k); };
    txtNo_Columns.onLostFocus = [this] { txtNo_Columns_LostFocus(); };
    txtDescription.onGotFocus = [this] { txtDescription_GotFocus(); };
    txtDescription.onKeyPress = [this](int& k) { txtDescription_KeyPress(k); };
    txtDescription.onKeyDown = [this](int& k, int s) { txtDescription_KeyDown(k, s); };
    txtDescription.onLostFocus = [this] { txtDescription_LostFocus(); };

    MSFlexGrid1.onKeyPress = [this](int& k) { MSFlexGrid1_KeyPress(k); };
    MSFlexGrid1.onClick = [this] { MSFlexGrid1_Click(); };
    MSFlexGrid1.onDblClick = [this] { MSFlexGrid1_DblClick(); };
    MSFlexGrid1.onGotFocus = [this] { MSFlexGrid1_GotFocus(); };
    Text1.onChange = [this] { Text1_Change(); };
    Text1.onKeyPress = [this](int& k) { Text1_KeyPress(k); };
    Text1.onKeyDown = [this](int& k, int s) { Text1_KeyDown(k, s); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };

    cboMatrixInput.onChange = [this] { cboMatrixInput_Change(); };
    cboMatrixInput.onClick = [this] { cboMatrixInput_Click(); };
    cboMatrixInput.onKeyDown = [this](int& k, int s) { cboMatrixInput_KeyDown(k, s); };
    cboMatrixInput.onKeyPress = [this](int& k) { cboMatrixInput_KeyPress(k); };
    cboMatrixInput.onLostFocus = [this] { cboMatrixInput_LostFocus(); };
    cboMatrixInput2.onChange = [this] { cboMatrixInput2_Change(); };
    cboMatrixInput2.onClick = [this] { cboMatrixInput2_Click(); };

    Slider1.onChange = [this] { Slider1_Change(); };

    mnuFileOpen.onClick = [this] { mnuFileOpen_Click(); };
    mnuFileSave.onClick = [this] { mnuFileSave_Click(); };
    mnuFileExit.onClick = [this] { mnuFileExit_Click(); };
    mnuInputDelimiter.onClick = [this] { mnuInputDelimiter_Click(); };
    mnuOutputDelimiter.onClick = [this] { mnuOutputDelimiter_Click(); };
    mnuAbout.onClick = [this] { mnuAbout_Click(); };
    mnuEditCopy.onClick = [this] { mnuEditCopy_Click(); };
    mnuEditCopyAs.onCopy = [this](CopyFormat f) { mnuEditCopyAs_Click(f); };
    mnuEditPaste.onClick = [this] { mnuEditPaste_Click(); };
    mnuEditSelectAll.onClick = [this] { mnuEditSelectAll_Click(); };
    mnuContents.onClick = [this] { mnuContents_Click(); };
}

bool FrmVelmor::longWork(const std::string& title, const std::function<void()>& work) {
    struct Detach {
        EngineAdapter& engine;
        ~Detach() { engine.setProgress(nullptr); }
    };
    return dialogs.runLongWork(title, [&](Progress& progress) {
        gVelmor.setProgress(&progress);
        Detach detach{gVelmor};
        work();
    });
}

void FrmVelmor::errorBox(const RuntimeError& e, const std::string& handler, MsgIcon icon,
                         bool dashForm) {
    dialogs.msgBox(dashForm ? errorPromptDash(e) : errorPrompt(e), MsgButtons::OK, icon,
                   "frmVelmor - " + handler);
}

void FrmVelmor::setColumnWidths(Grid& grid, int columns) {
    g.gintCellWidth = cellWidthFor(Slider1.Value(), g.gintStdColWidth);
    for (int i = 1; i <= columns; ++i) grid.setColWidth(i, g.gintCellWidth);
}

} // namespace velmor
