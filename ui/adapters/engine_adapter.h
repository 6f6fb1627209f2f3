#pragma once

#include "engine/cvelmor.h"
#include "ui/adapters/grid_transfer.h"
#include "ui/view/dialog_service.h"
#include "ui/view/grid_interface.h"

namespace velmor {

// The engine as the windows use it: every method shows, in order, the boxes for what the
// engine reported and returns its value (the empty value, or 0, when it failed). The grid
// transfer works on the grid set in FlexGrid.
class EngineAdapter {
  public:
    EngineAdapter(DialogService& dialogs, const NumberFormat& format)
        : engine_(format), dialogs_(dialogs), format_(format) {}

    IGrid* FlexGrid = nullptr;

    Variant Multiply(const Variant& PreMultiplier, const Variant& PostMultiplier) {
        return show(engine_.Multiply(PreMultiplier, PostMultiplier));
    }
    Variant Add(const Variant& a, const Variant& b) { return show(engine_.Add(a, b)); }
    Variant Subtract(const Variant& a, const Variant& b) { return show(engine_.Subtract(a, b)); }
    Variant Transpose(const Variant& a) { return show(engine_.Transpose(a)); }
    Variant Invert(const Variant& a) { return show(engine_.Invert(a)); }
    Variant ScaleMultiply(double scalar, const Variant& a) {
        return show(engine_.ScaleMultiply(scalar, a));
    }
    Variant GetAdjointMatrix(const Variant& a) { return show(engine_.GetAdjointMatrix(a)); }
    double GetDeterminant(const Variant& a) { return show(engine_.GetDeterminant(a)); }
    double GetTrace(const Variant& a) { return show(engine_.GetTrace(a)); }
    Variant GetMinMaxArray(const Variant& a) { return show(engine_.GetMinMaxArray(a)); }
    Variant GridToArray();
    void ArrayToGrid(const Variant& matrix);

    // Where the last element loop stopped; the error boxes of the elementwise operations
    // show it, also for an error that arose before their own loops started.
    const LoopIndices& position() const { return at_; }
    LoopIndices& position() { return at_; }

  private:
    template <class T> T show(Result<T>&& r) {
        if (r.position.row) at_.row = *r.position.row;
        if (r.position.column) at_.column = *r.position.column;
        for (const EngineIssue& issue : r.issues) showIssue(issue);
        return std::move(r.value);
    }
    void showIssue(const EngineIssue& issue);

    CVelmor engine_;
    DialogService& dialogs_;
    const NumberFormat& format_;
    LoopIndices at_;
};

} // namespace velmor
