#pragma once

#include <string>

#include "engine/variant.h"

namespace velmor {

// One named matrix of the list. The entry owns its matrix: reading and writing copy.
class CMatrix {
  public:
    std::string Name;
    std::string Description;

    Variant Matrix() const { return matrix_; }
    const Variant& matrixRef() const { return matrix_; }
    // Run-time error 13 when the value is not a matrix.
    void setMatrix(const Variant& matrix);
    void setMatrix(Variant&& matrix);

    const std::string& ID() const { return id_; }
    // Only the first write is kept.
    void setID(const std::string& id);

  private:
    Variant matrix_;
    std::string id_;
    bool idSet_ = false;
};

} // namespace velmor
