#include "ui/output/main_window_link.h"

#include <cmath>

#include "engine/variant.h"

namespace velmor {

std::int16_t cellWidthFor(int sliderValue, std::int16_t stdColWidth) {
    // nearbyint rounds half to even in the default rounding mode.
    return toInt16(
        static_cast<long long>(std::nearbyint((sliderValue / 10.0 + 1.0) * stdColWidth)));
}

} // namespace velmor
