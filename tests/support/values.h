#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/runtime_error.h"
#include "engine/variant.h"

namespace velmor::test {

using Texts = std::vector<std::vector<std::string>>;

// A matrix of the given elements, row by row; lower bound 1, or 0 as a grid gives it.
inline Variant matrix(int rows, int cols, const std::vector<Variant>& elements, int lower = 1) {
    Array a = Array::matrix(rows, cols, lower);
    std::size_t k = 0;
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) a.at(i, j) = elements.at(k++);
    return Variant(std::move(a));
}

// The same from rows written out: {{1, 2}, {3, 4}}.
inline Variant matrixOf(std::initializer_list<std::initializer_list<Variant>> rows, int lower = 1) {
    std::vector<Variant> elements;
    for (const auto& row : rows) elements.insert(elements.end(), row);
    return matrix(int(rows.size()), int(rows.begin()->size()), elements, lower);
}

// A matrix of texts, as a data file yields it, and back.
inline Variant fromTexts(const Texts& rows) {
    std::vector<Variant> elements;
    for (const auto& row : rows) elements.insert(elements.end(), row.begin(), row.end());
    return matrix(int(rows.size()), int(rows[0].size()), elements);
}
inline Texts textsOf(const Variant& v) {
    const Array& a = v.array();
    Texts out(static_cast<std::size_t>(a.ubound(1)));
    for (int i = 1; i <= a.ubound(1); ++i)
        for (int j = 1; j <= a.ubound(2); ++j) out[i - 1].push_back(a.at(i, j).text());
    return out;
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
