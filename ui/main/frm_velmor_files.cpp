#include <string>

#include "engine/limits.h"
#include "store/file_io.h"
#include "store/file_lookup.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "ui/dialogs/frm_confirm_save.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr const char* kDataFileFilter = "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*";

std::string oversizePrompt(int count) {
    const std::string limit = std::to_string(kMaxMatrixCells);
    if (count == 1)
        return "A matrix in the file has more than " + limit + " elements. It has been skipped.";
    return std::to_string(count) + " matrices in the file have more than " + limit +
           " elements. They have been skipped.";
}

} // namespace

std::string FrmVelmor::samplesFolder() {
    for (const std::string& base : {platform.currentDirectory(), platform.installedDataDirectory()})
        if (!base.empty() && isFolder(joinPath(base, "exercises")))
            return joinPath(base, "exercises");
    return platform.homeDirectory();
}

void FrmVelmor::SaveMatrix(std::string& /*MatrixTxtFile*/) {
    confirmAppend = false;
    confirmCancel = false;
    std::string path;
    try {
        CommonDialog1.InitDir = platform.currentDirectory();
        CommonDialog1.Filter = kDataFileFilter;
        CommonDialog1.DialogTitle = "Save Matrix Data (.txt) File";
        CommonDialog1.FileName.clear();
        // "mywork" is saved as mywork.txt, so the Open dialog's filter shows it.
        CommonDialog1.DefaultExt = "txt";
        dialogs.showSave(CommonDialog1);
        CommonDialog1.DefaultExt.clear();
        if (CommonDialog1.FileName.empty()) {
            CommonDialog1.InitDir.clear();
            confirmCancel = true;
            return;
        }
        path = CommonDialog1.FileName;
        CommonDialog1.InitDir.clear();
        CommonDialog1.FileName.clear();
        busy();

        if (platform.fileExists(path)) {
            FrmConfirmSave confirm;
            dialogs.showForm(confirm.form, true);
            confirmAppend = confirm.fAppend;
            confirmCancel = confirm.fCancel;
            if (confirmCancel) {
                restorePointer();
                return;
            }
        }
    } catch (const RuntimeError& e) {
        errorBox(e, "SaveMatrix", MsgIcon::Critical, false);
        // Nothing was written: an exit that asked for this save must not go on.
        confirmCancel = true;
        restorePointer();
        return;
    }

    try {
        MatrixFileWriter writer(format, mstrOutputDelimiter);
        std::string bytes;
        writer.header(bytes, platform.nowText());
        for (const auto& entry : Matrices) {
            const Variant& m = entry->matrixRef();
            g.gintNo_Rows = rowCount(m);
            g.gintNo_Columns = columnCount(m);
            writer.entry(bytes, entry->Name, entry->Description, m);
        }
        writer.footer(bytes);
        writeFileSafely(path, bytes, confirmAppend);
    } catch (const RuntimeError& e) {
        // The file is as it was before the save; the list stays marked unsaved and an exit
        // that asked for this save keeps the program open.
        errorBox(e, "SaveMatrix", MsgIcon::Critical, true);
        confirmCancel = true;
        restorePointer();
        return;
    }
    g.gfMatricesSaved = true;
    restorePointer();
}

void FrmVelmor::OpenMatrix(std::string& MatrixTxtFile) {
    mfFileRead = false;
    MatrixFileContents contents;
    try {
        if (MatrixTxtFile.empty()) {
            CommonDialog1.InitDir = samplesFolder();
            CommonDialog1.Filter = kDataFileFilter;
            CommonDialog1.DialogTitle = "Select Matrix Data File";
            CommonDialog1.FileName.clear();
            dialogs.showOpen(CommonDialog1);
            if (CommonDialog1.FileName.empty()) {
                CommonDialog1.InitDir.clear();
                return;
            }
            MatrixTxtFile = CommonDialog1.FileName;
            CommonDialog1.InitDir.clear();
            CommonDialog1.FileName.clear();
        }
        busy();
        // The whole file is read before anything is added, so a file that cannot be read
        // leaves the list as it was.
        std::string bytes = readFileBytes(MatrixTxtFile);
        contents = MatrixFileReader(format, mstrInputDelimiter).parse(bytes);
    } catch (const RuntimeError& e) {
        errorBox(e, "OpenMatrix", MsgIcon::Critical, false);
        restorePointer();
        return;
    }

    if (contents.oversize > 0)
        dialogs.msgBox(oversizePrompt(contents.oversize), MsgButtons::OK, MsgIcon::Critical,
                       "frmVelmor - OpenMatrix");
    for (auto& m : contents.matrices) Matrices.Add(m.name, m.matrix, m.description);

    if (cboMatrixInput.ListCount() > 0) {
        cboMatrixInput.Clear();
        cboMatrixInput2.Clear();
    }
    mintMatrixCount = Matrices.Count();
    for (mintIndex = 1; mintIndex <= mintMatrixCount; ++mintIndex) {
        const CMatrix* entry = Matrices.Item(mintIndex);
        cboMatrixInput.AddItem(entry ? entry->Name : std::string());
        cboMatrixInput2.AddItem(entry ? entry->Name : std::string());
    }
    if (cboMatrixInput.ListCount() > 0) cboMatrixInput.setListIndex(0);
    if (cboMatrixInput2.ListCount() > 0) cboMatrixInput2.setListIndex(0);

    mfFileRead = true;
    MatrixTxtFile.clear();
    restorePointer();
}

void FrmVelmor::mnuFileOpen_Click() {
    mfMatrixSaved = true;
    std::string file;
    OpenMatrix(file);
    if (!mfFileRead) return;
    mnuFileSave.setEnabled(true);
    cmdDelete.setEnabled(true);
    cmdDeleteAll.setEnabled(true);
    TabStopMatrixOps();
    mstrMatrixName = cboMatrixInput.Text();
    cmdInput.setEnabled(true);
    try {
        cmdInput.SetFocus();
    } catch (const RuntimeError& e) {
        // Only a hidden window refuses the focus; an event handler must not end the program.
        errorBox(e, "mnuFileOpen_Click", MsgIcon::Critical, true);
    }
}

void FrmVelmor::mnuFileSave_Click() {
    std::string file;
    SaveMatrix(file);
}

} // namespace velmor
