#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "engine/runtime_error.h"

namespace velmor {

// A counted loop over a 16-bit index from 1 to `bound`, as the engine's loops run: the index
// is left one past the bound when the loop completes (1 when it never ran), and stepping past
// 32,767 overflows with run-time error 6, leaving the index at 32,767.
template <class Body> void forEach16(std::int16_t& index, int bound, Body&& body) {
    for (index = 1; index <= bound;) {
        body();
        if (index == INT16_MAX) throw RuntimeError(err::Overflow);
        ++index;
    }
}

// The same over an index that records whether the loop ever started.
template <class Body> void forEach16(std::optional<std::int16_t>& index, int bound, Body&& body) {
    index.emplace(1);
    forEach16(*index, bound, std::forward<Body>(body));
}

// Where forEach16 leaves its index after completing a loop to `bound` (below 32,767); for the
// fast paths that skip the loop itself.
inline std::int16_t indexAfterLoop16(int bound) {
    return static_cast<std::int16_t>(bound < 1 ? 1 : bound + 1);
}

} // namespace velmor
