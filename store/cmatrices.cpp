#include "store/cmatrices.h"

#include <algorithm>

#include "engine/runtime_error.h"

namespace velmor {

namespace {

const char* const kListTitle = "CMatrices class module";
const char* const kItemTitle = "CMatrices Class Module - Item function";

// A name that is empty or only blanks could never be written to a data file and read back.
bool isBlankName(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' ' || c == '\t'; });
}

template <typename T> void roomForOne(std::vector<T>& v) {
    if (v.size() == v.capacity()) v.reserve(v.size() * 2 + 8);
}

} // namespace

CMatrices::CMatrices(DialogService& dialogs) : dialogs_(dialogs) {}

std::string CMatrices::keyOf(const std::string& name) {
    std::string key = name;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

std::int32_t CMatrices::Add(std::string Name, Variant NewMatrix, const std::string& Description) {
    bool replaced = false;
    auto entry = std::make_unique<CMatrix>();
    try {
        entry->Name = std::move(Name);
        entry->setMatrix(std::move(NewMatrix));
        entry->Description = Description;
        for (;;) {
            if (isBlankName(entry->Name)) throw RuntimeError(err::InvalidArgument);
            std::string key = keyOf(entry->Name);
            auto taken = byKey_.find(key);
            if (taken == byKey_.end()) {
                // Room first, so that a failed allocation leaves the list unchanged.
                roomForOne(entries_);
                if (batch_) roomForOne(changes_);
                byKey_.emplace(std::move(key), entry.get());
                entries_.push_back(std::move(entry));
                if (batch_) changes_.push_back({entries_.size() - 1, nullptr, {}});
                return replaced ? kReplaced : kAdded;
            }
            const std::string quoted = "\"" + entry->Name + "\"";
            MsgResult choice = dialogs_.msgBox(
                "The matrix " + quoted +
                    " already exists. Press OK to replace it, or Cancel to rename the new "
                    "matrix or abandon changes.",
                MsgButtons::OKCancel, MsgIcon::None, "Matrix Exists");
            if (choice == MsgResult::OK) {
                removeEntry(taken);
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
    } catch (const RuntimeError& e) {
        dialogs_.msgBox(errorPromptDash(e), MsgButtons::OK, MsgIcon::Critical, kListTitle);
        return kFailed;
    }
}

std::int16_t CMatrices::Count() const {
    return toInt16(static_cast<long long>(entries_.size()));
}

void CMatrices::Delete(int position) {
    if (position < 1 || static_cast<std::size_t>(position) > entries_.size())
        throw RuntimeError(err::SubscriptOutOfRange);
    auto at = entries_.begin() + (position - 1);
    // The key is the name as it was added; Name is public and may have changed since.
    auto key = byKey_.find(keyOf((*at)->Name));
    if (key == byKey_.end() || key->second != at->get())
        key = std::find_if(byKey_.begin(), byKey_.end(),
                           [entry = at->get()](const auto& k) { return k.second == entry; });
    byKey_.erase(key);
    entries_.erase(at);
}

void CMatrices::Delete(const std::string& key) {
    auto found = byKey_.find(keyOf(key));
    if (found == byKey_.end()) throw RuntimeError(err::InvalidArgument);
    CMatrix* entry = found->second;
    byKey_.erase(found);
    entries_.erase(std::find_if(entries_.begin(), entries_.end(),
                                [entry](const auto& e) { return e.get() == entry; }));
}

void CMatrices::removeEntry(KeyMap::iterator key) {
    CMatrix* old = key->second;
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [old](const auto& e) { return e.get() == old; });
    if (!batch_) {
        byKey_.erase(key);
        entries_.erase(at);
        return;
    }
    roomForOne(changes_);
    const auto position = static_cast<std::size_t>(at - entries_.begin());
    std::unique_ptr<CMatrix> removed = std::move(*at);
    entries_.erase(at);
    changes_.push_back({position, std::move(removed), byKey_.extract(key)});
}

void CMatrices::beginBatch() {
    changes_.clear();
    batch_ = true;
}

void CMatrices::commitBatch() {
    batch_ = false;
    changes_.clear();
}

void CMatrices::rollbackBatch() noexcept {
    // Undone newest first; the vector's capacity and the map's buckets never shrink, and
    // the keys of removed entries go back as the nodes they were, so nothing allocates.
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) {
        if (!c->removed) {
            CMatrix* added = entries_.back().get();
            auto key = byKey_.end();
            try {
                key = byKey_.find(keyOf(added->Name));
            } catch (...) { // no memory for the key text: search without it
            }
            if (key == byKey_.end() || key->second != added)
                key = std::find_if(byKey_.begin(), byKey_.end(),
                                   [added](const auto& k) { return k.second == added; });
            if (key != byKey_.end()) byKey_.erase(key);
            entries_.pop_back();
        } else {
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(c->position),
                            std::move(c->removed));
            byKey_.insert(std::move(c->key));
        }
    }
    commitBatch();
}

CMatrix* CMatrices::Item(int position) {
    if (position < 1 || static_cast<std::size_t>(position) > entries_.size()) {
        reportItemError(err::SubscriptOutOfRange);
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(position - 1)].get();
}

CMatrix* CMatrices::Item(const std::string& key) {
    auto found = byKey_.find(keyOf(key));
    if (found == byKey_.end()) {
        reportItemError(err::InvalidArgument);
        return nullptr;
    }
    return found->second;
}

void CMatrices::reportItemError(int number) {
    dialogs_.msgBox(errorPrompt(RuntimeError(number)), MsgButtons::OK, MsgIcon::Exclamation,
                    kItemTitle);
}

} // namespace velmor
