#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/cmatrix.h"
#include "ui/view/dialog_service.h"

namespace velmor {

// The ordered list of named matrices, keyed by name without regard to letter case.
// Positions count from 1 in order of addition.
class CMatrices {
  public:
    static constexpr int kAdded = 0, kReplaced = 1, kFailed = 2, kSkipped = 3;

    explicit CMatrices(DialogService& dialogs);

    // Adds a copy of NewMatrix; a taken name starts the replace / rename / skip dialogue.
    // Reports every failure itself and returns one of the codes above.
    std::int32_t Add(std::string Name, Variant NewMatrix, const std::string& Description = {});
    std::int16_t Count() const;
    // Raises a run-time error for a position or key that is not in the list.
    void Delete(int position);
    void Delete(const std::string& key);
    // Shows the Item error box and returns nullptr for a position or key not in the list.
    CMatrix* Item(int position);
    CMatrix* Item(const std::string& key);

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

    static std::string keyOf(const std::string& name);
    void reportItemError(int number);

    DialogService& dialogs_;
    std::vector<std::unique_ptr<CMatrix>> entries_;
    KeyMap byKey_;
    bool batch_ = false;
    std::vector<Change> changes_;
};

} // namespace velmor
