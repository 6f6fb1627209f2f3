#pragma once

#include <cstdint>

#include "engine/number_format.h"
#include "engine/variant.h"
#include "ui/view/grid_interface.h"

namespace velmor {

// The element loop indices that a transfer runs on. They outlive the transfer: an engine error
// box raised before its own loops start shows where the last loop stopped.
struct LoopIndices {
    std::int16_t row = 0, column = 0;
};

// The grid's element cells (row 1 and column 1 on) as a matrix of their texts with lower bound
// 0; an empty cell becomes "0", in the grid too. Raises RuntimeError with the indices where it
// failed (91 for no grid).
Variant gridToArray(IGrid* grid, LoopIndices& at);

// Writes the matrix into the grid with numbered headings. Each step tolerates its own failure
// and the next one runs, so an element that cannot be shown or a grid that refuses a size
// still leaves as much of the grid written as possible; a value that is not a matrix leaves
// the grid as it was.
void arrayToGrid(IGrid* grid, const Variant& matrix, const NumberFormat& format, LoopIndices& at);

} // namespace velmor
