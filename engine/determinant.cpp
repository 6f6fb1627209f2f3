#include "engine/cvelmor.h"

namespace velmor {

// Placeholder until the determinant and adjoint are implemented.
double CVelmor::GetDeterminant(const Variant&) { return 0; }
Variant CVelmor::GetAdjointMatrix(const Variant&) { return {}; }

} // namespace velmor
