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

// The element cells of all matrices one data file may hold, empty ones included: it bounds
// the memory a file can take (each cell costs about 40 bytes plus its text).
inline constexpr long long kMaxFileCells = 16'000'000;

// A matrix whose element rows did not cut into its declared number of columns at the input
// delimiter (too few or too many pieces), or whose rows were skipped for want of it.
struct SplitMismatch {
    std::string name;
    int columns = 0;
    // The first of ",", ";", tab and blank that cuts every such row into `columns` pieces;
    // empty when none does.
    std::string fits;
};

// Everything a data file yielded, in file order.
struct MatrixFileContents {
    std::vector<MatrixFileEntry> matrices;
    // Declared sizes above kMaxMatrixCells: skipped with the rows that followed them.
    int oversize = 0;
    // The matrices would exceed kMaxFileCells: the rest of the file, from the matrix that
    // crossed it, was not read.
    bool budgetExceeded = false;
    std::vector<SplitMismatch> mismatches{};
};

} // namespace velmor
