#pragma once

#include <string>
#include <vector>

#include "engine/variant.h"

namespace velmor {

// One matrix found in a data file: its name, its description and its elements as texts
// (lower bounds 1; elements that received nothing stay empty).
struct MatrixFileEntry {
    std::string name;
    std::string description;
    Variant matrix;
};

// Everything a data file yielded, in file order.
struct MatrixFileContents {
    std::vector<MatrixFileEntry> matrices;
    // Declared sizes above kMaxMatrixCells: skipped with the rows that followed them.
    int oversize = 0;
};

} // namespace velmor
