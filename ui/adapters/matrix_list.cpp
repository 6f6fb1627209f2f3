#include "ui/adapters/matrix_list.h"

#include <memory>

#include "ui/adapters/error_prompt.h"

namespace velmor {

std::int32_t MatrixList::Add(std::string Name, const Variant& NewMatrix,
                             const std::string& Description) {
    bool replaced = false;
    try {
        auto entry = std::make_unique<CMatrix>();
        entry->Name = std::move(Name);
        entry->setMatrix(NewMatrix);
        entry->Description = Description;
        while (list_.Contains(entry->Name)) {
            const std::string quoted = "\"" + entry->Name + "\"";
            MsgResult choice = dialogs_.msgBox(
                "The matrix " + quoted +
                    " already exists. Press OK to replace it, or Cancel to rename the new "
                    "matrix or abandon changes.",
                MsgButtons::OKCancel, MsgIcon::None, "Matrix Exists");
            if (choice == MsgResult::OK) {
                list_.Delete(entry->Name);
                replaced = true;
                continue;
            }
            std::string answer = dialogs_.inputBox(
                "Rename the new matrix or press Cancel to skip the matrix.", "Matrix Name", "");
            if (answer.empty()) {
                dialogs_.message("Matrix " + quoted + " has been skipped.");
                return kSkipped;
            }
            entry->Name = std::move(answer);
        }
        list_.Add(std::move(entry));
        return replaced ? kReplaced : kAdded;
    } catch (const RuntimeError& e) {
        dialogs_.msgBox(errorPromptDash(e), MsgButtons::OK, MsgIcon::Critical,
                        "CMatrices class module");
        return kFailed;
    }
}

template <class Key> CMatrix* MatrixList::item(const Key& key) {
    try {
        return &list_.Item(key);
    } catch (const RuntimeError& e) {
        dialogs_.msgBox(errorPrompt(e), MsgButtons::OK, MsgIcon::Exclamation,
                        "CMatrices Class Module - Item function");
        return nullptr;
    }
}

CMatrix* MatrixList::Item(int position) {
    return item(position);
}

CMatrix* MatrixList::Item(const std::string& key) {
    return item(key);
}

} // namespace velmor
