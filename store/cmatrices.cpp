#include "store/cmatrices.h"

namespace velmor {

// Placeholder until the list is implemented.
CMatrices::CMatrices(DialogService& dialogs) : dialogs_(dialogs) {}
std::int32_t CMatrices::Add(std::string, const Variant&, const std::string&) { return kFailed; }
std::int16_t CMatrices::Count() const { return 0; }
void CMatrices::Delete(int) {}
void CMatrices::Delete(const std::string&) {}
CMatrix* CMatrices::Item(int) { return nullptr; }
CMatrix* CMatrices::Item(const std::string&) { return nullptr; }

} // namespace velmor
