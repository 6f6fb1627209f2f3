#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/cmatrix.h"

namespace velmor {

// True for a name that is empty or only blanks: it could never be written to a data file and
// read back, so the list refuses it.
bool isBlankName(const std::string& name);

// The ordered list of named matrices, keyed by name without regard to letter case.
// Positions count from 1 in order of addition. Every failure raises RuntimeError.
class CMatrices {
  public:
    // Appends the entry: error 5 for a blank name, 457 for a name already in the list.
    CMatrix& Add(std::unique_ptr<CMatrix> entry);
    bool Contains(const std::string& key) const;
    std::int16_t Count() const;
    // Error 9 for a position, 5 for a key, that is not in the list.
    void Delete(int position);
    void Delete(const std::string& key);
    CMatrix& Item(int position);
    CMatrix& Item(const std::string& key);

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    // The additions of one data file are all or nothing: after beginBatch(), Add keeps the
    // entries it replaces aside, and rollbackBatch() restores the list exactly as it was
    // (without allocating, so it cannot fail); commitBatch() lets them go.
    void beginBatch();
    void commitBatch();
    void rollbackBatch() noexcept;

  private:
    using KeyMap = std::unordered_map<std::string, CMatrix*>;
    // One change made during a batch: an entry appended, or one removed from `position`.
    struct Change {
        std::size_t position;
        std::unique_ptr<CMatrix> removed;
        KeyMap::node_type key;
    };
    void removeEntry(KeyMap::iterator key);

    std::vector<std::unique_ptr<CMatrix>> entries_;
    KeyMap byKey_;
    bool batch_ = false;
    std::vector<Change> changes_;
};

} // namespace velmor
