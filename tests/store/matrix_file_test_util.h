#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/number_format.h"
#include "engine/variant.h"
#include "store/matrix_file_entry.h"

namespace velmor::test {

// A matrix with lower bounds 1 from rows of element values.
inline Variant matrixOf(std::initializer_list<std::initializer_list<Variant>> rows, int lower = 1) {
    int r = static_cast<int>(rows.size());
    int c = r ? static_cast<int>(rows.begin()->size()) : 0;
    Array a = Array::matrix(r, c, lower);
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (const auto& v : row) a.at(i, j++) = v;
        ++i;
    }
    return Variant(std::move(a));
}

// "name|description|RxC|a,b;c,d" per matrix, "~" for an element that received nothing;
// matrices joined by " / ", then " +N oversize" when sizes were skipped.
inline std::string describe(const MatrixFileContents& contents) {
    std::string out;
    for (const auto& m : contents.matrices) {
        if (!out.empty()) out += " / ";
        const Array& a = m.matrix.array();
        out += m.name + "|" + m.description + "|" + std::to_string(a.ubound(1)) + "x" +
               std::to_string(a.ubound(2)) + "|";
        for (int i = 1; i <= a.ubound(1); ++i) {
            if (i > 1) out += ";";
            for (int j = 1; j <= a.ubound(2); ++j) {
                if (j > 1) out += ",";
                const Variant& v = a.at(i, j);
                out += v.isEmpty() ? std::string("~") : v.text();
            }
        }
    }
    if (contents.oversize) out += " +" + std::to_string(contents.oversize) + " oversize";
    return out;
}

} // namespace velmor::test
