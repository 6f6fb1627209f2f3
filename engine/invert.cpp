#include "engine/cvelmor.h"

namespace velmor {

// Placeholder until inversion is implemented.
Variant CVelmor::Invert(const Variant&) { return {}; }

} // namespace velmor
