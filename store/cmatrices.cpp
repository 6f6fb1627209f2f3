#include "store/cmatrices.h"

#include <algorithm>

#include "engine/runtime_error.h"
#include "engine/text_case.h"

namespace velmor {

// A name that is empty or only blanks could never be written to a data file and read back.
bool isBlankName(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' ' || c == '\t'; });
}

namespace {

template <typename T> void roomForOne(std::vector<T>& v) {
    if (v.size() == v.capacity()) v.reserve(v.size() * 2 + 8);
}

} // namespace

CMatrix& CMatrices::Add(std::unique_ptr<CMatrix> entry) {
    if (isBlankName(entry->Name)) throw RuntimeError(err::InvalidArgument);
    std::string key = foldCase(entry->Name);
    if (byKey_.count(key)) throw RuntimeError(err::KeyExists);
    // Room first, so that a failed allocation leaves the list unchanged.
    roomForOne(entries_);
    if (batch_) roomForOne(changes_);
    byKey_.emplace(std::move(key), entry.get());
    entries_.push_back(std::move(entry));
    if (batch_) changes_.push_back({entries_.size() - 1, nullptr, {}});
    return *entries_.back();
}

bool CMatrices::Contains(const std::string& key) const {
    return byKey_.count(foldCase(key)) != 0;
}

std::int16_t CMatrices::Count() const {
    return toInt16(static_cast<long long>(entries_.size()));
}

void CMatrices::Delete(int position) {
    if (position < 1 || static_cast<std::size_t>(position) > entries_.size())
        throw RuntimeError(err::SubscriptOutOfRange);
    auto at = entries_.begin() + (position - 1);
    // The key is the name as it was added; Name is public and may have changed since.
    auto key = byKey_.find(foldCase((*at)->Name));
    if (key == byKey_.end() || key->second != at->get())
        key = std::find_if(byKey_.begin(), byKey_.end(),
                           [entry = at->get()](const auto& k) { return k.second == entry; });
    byKey_.erase(key);
    entries_.erase(at);
}

void CMatrices::Delete(const std::string& key) {
    auto found = byKey_.find(foldCase(key));
    if (found == byKey_.end()) throw RuntimeError(err::InvalidArgument);
    removeEntry(found);
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
                key = byKey_.find(foldCase(added->Name));
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

CMatrix& CMatrices::Item(int position) {
    if (position < 1 || static_cast<std::size_t>(position) > entries_.size())
        throw RuntimeError(err::SubscriptOutOfRange);
    return *entries_[static_cast<std::size_t>(position - 1)];
}

CMatrix& CMatrices::Item(const std::string& key) {
    auto found = byKey_.find(foldCase(key));
    if (found == byKey_.end()) throw RuntimeError(err::InvalidArgument);
    return *found->second;
}

} // namespace velmor
