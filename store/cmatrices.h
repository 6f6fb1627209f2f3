#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/cmatrix.h"

namespace velmor {

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

  private:
    std::vector<std::unique_ptr<CMatrix>> entries_;
    std::unordered_map<std::string, CMatrix*> byKey_;
};

} // namespace velmor
