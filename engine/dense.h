#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/for_loop.h"
#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "engine/variant.h"

namespace velmor::dense {

// Loops whose bound is 32,767 overflow when they step past it; the fast paths leave those to
// the plain loops, which raise the error where it happens.
inline constexpr int kLargestFastBound = INT16_MAX - 1;

// An element as a number without raising: a number unchanged, empty as 0, a text read in the
// user's format. False for anything the plain loop would fail on.
inline bool tryNumber(const Variant& v, const NumberFormat& format, double& out) {
    if (v.isNumber()) {
        out = v.number();
        return true;
    }
    if (v.isEmpty()) {
        out = 0;
        return true;
    }
    return v.isText() && format.tryToNumber(v.text(), out);
}

// True when elements 1..rows x 1..cols all lie inside the array.
inline bool covers(const Array& a, int rows, int cols) {
    if (rows < 1 || cols < 1) return true;
    return a.dims() == 2 && a.lbound(1) <= 1 && a.lbound(2) <= 1 && a.ubound(1) >= rows &&
           a.ubound(2) >= cols;
}

// Elements 1..rows x 1..cols as a row-major block of numbers; false when any of them cannot be
// read, and the caller falls back to the plain loop that reports it.
inline bool readNumbers(const Array& a, int rows, int cols, const NumberFormat& format,
                        std::vector<double>& out) {
    if (!covers(a, rows, cols)) return false;
    out.resize(static_cast<std::size_t>(std::max(rows, 0)) *
               static_cast<std::size_t>(std::max(cols, 0)));
    double* o = out.data();
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j)
            if (!tryNumber(a.cell(i, j), format, *o++)) return false;
    return true;
}

inline bool allFinite(const std::vector<double>& values) {
    bool finite = true;
    for (double x : values) finite &= std::isfinite(x);
    return finite;
}

// Stores a row-major block of numbers into elements 1..rows x 1..cols of a result matrix.
inline void store(const double* values, int rows, int cols, Array& result) {
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= cols; ++j) result.cell(i, j) = Variant(*values++);
}

// A result beyond the double range is an overflow.
inline double checked(double x) {
    if (!std::isfinite(x)) throw RuntimeError(err::Overflow);
    return x;
}

// Where a completed rows x cols double loop leaves its indices.
inline void finishLoops(std::optional<std::int16_t>& row, std::optional<std::int16_t>& column,
                        int rows, int cols) {
    row = indexAfterLoop16(rows);
    if (rows >= 1) column = indexAfterLoop16(cols);
}

} // namespace velmor::dense
