#pragma once

#include <utility>
#include <vector>

#include "engine/runtime_error.h"
#include "engine/variant.h"

namespace velmor::test {

// A matrix of the given elements, row by row; lower bound 1, or 0 as a grid gives it.
inline Variant matrix(int rows, int cols, const std::vector<Variant>& elements, int lower = 1) {
    Array a = Array::matrix(rows, cols, lower);
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) a.at(i, j) = elements.at(k++);
    return Variant(std::move(a));
}

// The number of the run-time error a call raises, 0 when it raises none.
inline int errorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace velmor::test
