#include "gui/window_fit.h"

#include <cmath>

namespace gui {

std::optional<int> MaxWindowHeight(int rowCount, int extraHeight, int dotsPerInch,
                                   GridMetrics grid) {
    if (dotsPerInch != 96 && dotsPerInch != 120)
        return std::nullopt;
    return rowCount * grid.rowPitch + grid.frame + extraHeight;
}

int RoundScaled(double value) {
    return static_cast<int>(std::nearbyint(value));  // the default mode: halves to even
}

}  // namespace gui
