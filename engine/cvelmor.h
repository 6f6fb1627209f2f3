#pragma once

#include <cstdint>
#include <string>

#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "engine/variant.h"
#include "ui/view/dialog_service.h"
#include "ui/view/grid_interface.h"

namespace velmor {

// The matrix engine. Every method traps its own run-time errors: it shows its error box
// through the dialog service and returns the empty value (0 for the two scalar methods).
// Matrix arguments are never modified.
class CVelmor {
  public:
    CVelmor(DialogService& dialogs, const NumberFormat& format);

    // The grid that GridToArray and ArrayToGrid work on; callers set it before a transfer.
    IGrid* FlexGrid = nullptr;

    Variant Multiply(const Variant& PreMultiplier, const Variant& PostMultiplier);
    Variant Add(const Variant& InputArray1, const Variant& InputArray2);
    Variant Subtract(const Variant& InputArray1, const Variant& InputArray2);
    Variant Transpose(const Variant& InputArray);
    Variant Invert(const Variant& InputArray);
    Variant GridToArray();
    void ArrayToGrid(const Variant& InputArray);
    Variant ScaleMultiply(double Scalar, const Variant& InputArray);
    Variant GetAdjointMatrix(const Variant& InputArray);
    double GetDeterminant(const Variant& InputArray);
    double GetTrace(const Variant& InputArray);
    Variant GetMinMaxArray(const Variant& InputArray);

    // How many failures the methods have reported so far: a scalar method that reported one
    // returned a 0 that is no result.
    std::uint64_t reports() const { return reports_; }

    const NumberFormat& format() const { return format_; }
    DialogService& dialogs() const { return dialogs_; }

    // Working state, public so that callers and tests can observe what the errors print.
    std::int16_t mintNo_Rows = 0, mintNo_Columns = 0;
    std::int16_t mintNo_Rows2 = 0, mintNo_Columns2 = 0;
    std::int16_t mintOrder = 0;
    std::int16_t mintRow = 0, mintColumn = 0;
    Variant mvarResult;
    std::string mstrMessage;

    // Counts a failure reported by a message of its own instead of an error box.
    void countReport() { ++reports_; }

  private:
    // Shows the engine's error box: exclamation icon, "CVelmor class module - " + method.
    void reportError(const RuntimeError& e, const std::string& method, const std::string& location);
    // The location part "; Row-r Column-c" from mintRow and mintColumn.
    std::string rowColumnLocation() const;

    DialogService& dialogs_;
    const NumberFormat& format_;
    std::uint64_t reports_ = 0;
};

} // namespace velmor
