#include "engine/cvelmor.h"

namespace velmor {

// Placeholder until the arithmetic is implemented.
Variant CVelmor::Multiply(const Variant&, const Variant&) { return {}; }
Variant CVelmor::Add(const Variant&, const Variant&) { return {}; }
Variant CVelmor::Subtract(const Variant&, const Variant&) { return {}; }
Variant CVelmor::Transpose(const Variant&) { return {}; }
Variant CVelmor::ScaleMultiply(double, const Variant&) { return {}; }
double CVelmor::GetTrace(const Variant&) { return 0; }
Variant CVelmor::GetMinMaxArray(const Variant&) { return {}; }

} // namespace velmor
