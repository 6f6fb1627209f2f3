#include "engine/cvelmor.h"

namespace velmor {

// Placeholder until grid transfer is implemented.
Variant CVelmor::GridToArray() { return {}; }
void CVelmor::ArrayToGrid(const Variant&) {}

} // namespace velmor
