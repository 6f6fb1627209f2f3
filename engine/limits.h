#pragma once

namespace velmor {

// The largest matrix the windows and the data file reader accept, in element cells. Far
// beyond anything keyed by hand, small enough that a grid of it stays responsive.
inline constexpr long long kMaxMatrixCells = 4'000'000;

} // namespace velmor
