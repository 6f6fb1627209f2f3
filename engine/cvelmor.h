#pragma once

#include <vector>

#include "engine/number_format.h"
#include "engine/result.h"
#include "engine/variant.h"

namespace velmor {

// The matrix engine. Every method traps its own run-time errors and returns them with its
// value: a failed method gives the empty value (0 for the two scalar methods). Matrix
// arguments are never modified, and nothing is kept from one call to the next.
class CVelmor {
  public:
    explicit CVelmor(const NumberFormat& format) : format_(format) {}

    Result<Variant> Multiply(const Variant& PreMultiplier, const Variant& PostMultiplier) const;
    Result<Variant> Add(const Variant& InputArray1, const Variant& InputArray2) const;
    Result<Variant> Subtract(const Variant& InputArray1, const Variant& InputArray2) const;
    Result<Variant> Transpose(const Variant& InputArray) const;
    Result<Variant> Invert(const Variant& InputArray) const;
    Result<Variant> ScaleMultiply(double Scalar, const Variant& InputArray) const;
    // The issues of a failing minor come from "GetDeterminant", as the minor's own call.
    Result<Variant> GetAdjointMatrix(const Variant& InputArray) const;
    // A failing minor of the expansion reports its issues and counts as 0.
    Result<double> GetDeterminant(const Variant& InputArray) const;
    Result<double> GetTrace(const Variant& InputArray) const;
    Result<Variant> GetMinMaxArray(const Variant& InputArray) const;

    const NumberFormat& format() const { return format_; }

  private:
    double determinant(const Variant& InputArray, std::vector<EngineIssue>& issues) const;

    const NumberFormat& format_;
};

} // namespace velmor
