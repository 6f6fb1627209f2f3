#pragma once

#include <cstdint>
#include <string>

#include "store/cmatrices.h"
#include "ui/view/dialog_service.h"

namespace velmor {

// The matrix list as the windows use it: adding runs the replace / rename / skip dialogue
// for a taken name, and failures show the list's boxes instead of raising.
class MatrixList {
  public:
    static constexpr int kAdded = 0, kReplaced = 1, kFailed = 2, kSkipped = 3;

    explicit MatrixList(DialogService& dialogs) : dialogs_(dialogs) {}

    // Adds a copy of NewMatrix and returns one of the codes above.
    std::int32_t Add(std::string Name, const Variant& NewMatrix,
                     const std::string& Description = {});
    // Shows the Item error box and returns nullptr for a position or key not in the list.
    CMatrix* Item(int position);
    CMatrix* Item(const std::string& key);
    // These raise RuntimeError for a position or key not in the list.
    void Delete(int position) { list_.Delete(position); }
    void Delete(const std::string& key) { list_.Delete(key); }
    std::int16_t Count() const { return list_.Count(); }

    auto begin() const { return list_.begin(); }
    auto end() const { return list_.end(); }

  private:
    template <class Key> CMatrix* item(const Key& key);

    DialogService& dialogs_;
    CMatrices list_;
};

} // namespace velmor
