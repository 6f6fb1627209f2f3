#include "store/cmatrix.h"

#include "engine/runtime_error.h"

namespace velmor {

void CMatrix::setMatrix(const Variant& matrix) {
    if (!matrix.isArray()) throw RuntimeError(err::TypeMismatch);
    matrix_ = matrix;
}

void CMatrix::setMatrix(Variant&& matrix) {
    if (!matrix.isArray()) throw RuntimeError(err::TypeMismatch);
    matrix_ = std::move(matrix);
}

void CMatrix::setID(const std::string& id) {
    if (idSet_) return;
    id_ = id;
    idSet_ = true;
}

} // namespace velmor
