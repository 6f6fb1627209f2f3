#pragma once

#include <string>

#include "engine/number_format.h"
#include "engine/variant.h"

// Results in exact fractions, computed from the operands' own elements (texts read as exact
// rationals), never from the doubles of the decimal result.
namespace velmor::exact {

enum class Operation { Add, Subtract, Multiply, Scale, Transpose, Invert, Adjoint };

struct Fractions {
    Variant matrix; // reduced fraction texts ("-36", "1/3"), indices from 1; empty on failure
    std::string minimum, maximum;
    bool singular = false; // Invert of an exactly singular matrix
    int error = 0;         // the run-time error number of a failure; 0 when computed
};

// Why an operation on these operands cannot give fractions, worded for the user; empty when
// it can. `second` is null for a one-operand operation.
std::string fractionsUnavailable(const Variant& first, const Variant* second,
                                 const NumberFormat& format);

// The result of `op` in fractions. Multiply reads as many rows of the second operand as the
// first has columns, as the decimal Multiply does; Scale reads `scalar` as an exact number.
Fractions fractions(Operation op, const Variant& first, const Variant* second,
                    const std::string& scalar, const NumberFormat& format);

// Determinant and trace of a square matrix as a reduced fraction; run-time errors as raised.
std::string determinantFraction(const Variant& matrix, const NumberFormat& format);
std::string traceFraction(const Variant& matrix, const NumberFormat& format);

} // namespace velmor::exact
