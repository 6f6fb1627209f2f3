#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "engine/limits.h"
#include "store/file_io.h"
#include "store/file_lookup.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "ui/dialogs/frm_confirm_save.h"
#include "ui/main/frm_velmor.h"

namespace velmor {

namespace {

constexpr int kErrInternal = 51;
// The list counts its entries in 16 bits.
constexpr int kMaxListEntries = 32767;

constexpr const char* kDataFileFilter = "Matrix Data File (*.txt)|*.txt|All files (*.*)|*.*";

// The error a caught exception stands for; memory running out is error 7.
RuntimeError caughtError() {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return RuntimeError(err::OutOfMemory);
    } catch (const std::length_error&) {
        return RuntimeError(err::OutOfMemory);
    } catch (...) {
        return RuntimeError(kErrInternal);
    }
}

std::string budgetPrompt(long long cells) {
    return "The file holds more matrices than the list can take from one file (" +
           std::to_string(cells) + " elements, " + std::to_string(kMaxListEntries) +
           " matrices). The matrices before that point have been read; the rest of the file "
           "has been skipped.";
}

std::string oversizePrompt(int count) {
    const std::string limit = std::to_string(kMaxMatrixCells);
    if (count == 1)
        return "A matrix in the file has more than " + limit + " elements. It has been skipped.";
    return std::to_string(count) + " matrices in the file have more than " + limit +
           " elements. They have been skipped.";
}

// A delimiter as the prompt names it: quoted, a tab in words.
std::string delimiterName(const std::string& d) {
    return d == "\t" ? "a tab" : "\"" + d + "\"";
}

// "P", "P and Q", "P, Q and R".
std::string listOf(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k == 0 ? "" : k + 1 == items.size() ? " and " : ", ") + items[k];
    return out;
}

std::string splitPrompt(const std::vector<SplitMismatch>& mismatches,
                        const std::string& delimiter) {
    std::vector<std::string> names, counts;
    bool sameCount = true;
    for (const SplitMismatch& m : mismatches) {
        names.push_back(m.name);
        counts.push_back(std::to_string(m.columns));
        sameCount = sameCount && m.columns == mismatches.front().columns;
    }
    constexpr std::size_t kNamed = 10;
    if (names.size() > kNamed) {
        const std::size_t more = names.size() - (kNamed - 1);
        names.resize(kNamed - 1);
        names.push_back(std::to_string(more) + " more");
        sameCount = false;
    }
    std::string prompt = "The rows of " + listOf(names) + " did not split into " +
                         (sameCount ? counts.front() + " elements"
                          : names.size() == counts.size()
                              ? "their declared numbers of elements (" + listOf(counts) + ")"
                              : "their declared numbers of elements") +
                         " with the input delimiter " + delimiterName(delimiter) + ".";
    const std::string& fits = mismatches.front().fits;
    bool allFit = !fits.empty();
    for (const SplitMismatch& m : mismatches) allFit = allFit && m.fits == fits;
    if (allFit)
        prompt += " They do with " + delimiterName(fits) +
                  "; choose Format > Input Delimiter and open the file again.";
    return prompt;
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
        // A file that would read back as other matrices is not written at all.
        if (!allElementsReadBack()) {
            confirmCancel = true;
            return;
        }
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
    } catch (...) {
        errorBox(caughtError(), "SaveMatrix", MsgIcon::Critical, false);
        // Nothing was written: an exit that asked for this save must not go on.
        confirmCancel = true;
        restorePointer();
        return;
    }

    try {
        MatrixFileWriter writer(format, mstrOutputDelimiter);
        std::string bytes;
        writer.header(bytes, platform.nowText());
        const bool written = dialogs.runLongWork("Save", [&](Progress& progress) {
            long long done = 0;
            const long long total = Matrices.Count();
            for (const auto& entry : Matrices) {
                checkProgress(&progress, done++, total);
                const Variant& m = entry->matrixRef();
                g.gintNo_Rows = rowCount(m);
                g.gintNo_Columns = columnCount(m);
                writer.entry(bytes, entry->Name, entry->Description, m);
            }
            writer.footer(bytes);
            // Past this point the file is written whole: a late Cancel no longer counts.
            checkProgress(&progress, total, total);
            writeFileSafely(path, bytes, confirmAppend);
        });
        if (!written) {
            // The file is as it was; an exit that asked for this save keeps the program open.
            confirmCancel = true;
            restorePointer();
            return;
        }
    } catch (...) {
        // The file is as it was before the save; the list stays marked unsaved and an exit
        // that asked for this save keeps the program open.
        errorBox(caughtError(), "SaveMatrix", MsgIcon::Critical, true);
        confirmCancel = true;
        restorePointer();
        return;
    }
    g.gfMatricesSaved = true;
    restorePointer();
}

bool FrmVelmor::allElementsReadBack() {
    MatrixFileWriter writer(format, mstrOutputDelimiter);
    for (const auto& entry : Matrices) {
        auto bad = writer.findUnreadable(entry->matrixRef());
        if (!bad) continue;
        dialogs.msgBox("Element (" + std::to_string(bad->row) + ", " + std::to_string(bad->column) +
                           ") of the matrix \"" + entry->Name +
                           "\" would not read back from the file: " + bad->reason +
                           ". Change the element and save again.",
                       MsgButtons::OK, MsgIcon::Exclamation, "frmVelmor - SaveMatrix");
        return false;
    }
    return true;
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
        const bool read = dialogs.runLongWork("Open", [&](Progress& progress) {
            std::string bytes = readFileBytes(MatrixTxtFile);
            checkProgress(&progress, 1, 2);
            contents = MatrixFileReader(format, mstrInputDelimiter, fileCellBudget).parse(bytes);
            checkProgress(&progress, 2, 2);
        });
        if (!read) {
            restorePointer();
            return;
        }
    } catch (...) {
        errorBox(caughtError(), "OpenMatrix", MsgIcon::Critical, false);
        restorePointer();
        return;
    }

    if (contents.oversize > 0)
        dialogs.msgBox(oversizePrompt(contents.oversize), MsgButtons::OK, MsgIcon::Critical,
                       "frmVelmor - OpenMatrix");
    bool skipped = contents.budgetExceeded;
    // All of the file or none of it: a failure part way puts back what was replaced.
    Matrices.beginBatch();
    try {
        for (auto& m : contents.matrices) {
            if (Matrices.Count() >= kMaxListEntries) {
                skipped = true;
                break;
            }
            Matrices.Add(std::move(m.name), std::move(m.matrix), m.description);
        }
    } catch (...) {
        Matrices.rollbackBatch();
        errorBox(caughtError(), "OpenMatrix", MsgIcon::Critical, false);
        restorePointer();
        return;
    }
    Matrices.commitBatch();
    const std::vector<SplitMismatch> mismatches = std::move(contents.mismatches);
    contents = {};
    if (skipped)
        dialogs.msgBox(budgetPrompt(fileCellBudget), MsgButtons::OK, MsgIcon::Exclamation,
                       "frmVelmor - OpenMatrix");
    if (!mismatches.empty())
        dialogs.msgBox(splitPrompt(mismatches, mstrInputDelimiter), MsgButtons::OK,
                       MsgIcon::Information, "frmVelmor - OpenMatrix");

    try {
        showListAfterOpen();
    } catch (...) {
        // The matrices are in the list; only showing them failed.
        errorBox(caughtError(), "OpenMatrix", MsgIcon::Critical, false);
    }
    mfFileRead = true;
    MatrixTxtFile.clear();
    restorePointer();
}

void FrmVelmor::showListAfterOpen() {
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
}

void FrmVelmor::mnuFileOpen_Click() {
    // The file's first matrix replaces the grid: a matrix being keyed would go without a word.
    if (mfEntering && dialogs.msgBoxDefault("The matrix being entered has not been saved. Open "
                                            "a file without saving it?",
                                            MsgButtons::YesNo, MsgIcon::Exclamation, kAppTitle,
                                            1) != MsgResult::Yes)
        return;
    mfMatrixSaved = true;
    std::string file;
    OpenMatrix(file);
    if (!mfFileRead) return;
    try {
        mnuFileSave.setEnabled(true);
        cmdDelete.setEnabled(true);
        cmdDeleteAll.setEnabled(true);
        TabStopMatrixOps();
        mstrMatrixName = cboMatrixInput.Text();
        cmdInput.setEnabled(true);
        cmdInput.SetFocus();
    } catch (...) {
        // Only a hidden window refuses the focus; an event handler must not end the program.
        errorBox(caughtError(), "mnuFileOpen_Click", MsgIcon::Critical, true);
    }
}

void FrmVelmor::mnuFileSave_Click() {
    std::string file;
    try {
        SaveMatrix(file);
    } catch (...) { // SaveMatrix reports its own failures; this is the last guard of the menu
        errorBox(caughtError(), "SaveMatrix", MsgIcon::Critical, false);
    }
}

} // namespace velmor
