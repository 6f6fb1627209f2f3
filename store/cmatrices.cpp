#include "store/cmatrices.h"

#include <algorithm>

#include "engine/runtime_error.h"
#include "engine/text_case.h"

namespace velmor {

namespace {

// A name that is empty or only blanks could never be written to a data file and read back.
bool isBlankName(const std::string& name) {
    return std::all_of(name.begin(), name.end(), [](char c) { return c == ' ' || c == '\t'; });
}

} // namespace

CMatrix& CMatrices::Add(std::unique_ptr<CMatrix> entry) {
    if (isBlankName(entry->Name)) throw RuntimeError(err::InvalidArgument);
    auto [at, added] = byKey_.emplace(foldCase(entry->Name), entry.get());
    if (!added) throw RuntimeError(err::KeyExists);
    entries_.push_back(std::move(entry));
    return *at->second;
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
    CMatrix* entry = found->second;
    byKey_.erase(found);
    entries_.erase(std::find_if(entries_.begin(), entries_.end(),
                                [entry](const auto& e) { return e.get() == entry; }));
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
