#pragma once

// How the main window's height follows the schedule table: it may grow only until every
// row of the table is visible. Plain arithmetic, kept apart from the window for testing.

#include <optional>

namespace gui {

struct GridMetrics {
    int rowPitch = 22;  // default row height and the grid line under it
    int frame = 2;      // the grid's frame, top and bottom together
};

// The tallest the window may be for a table of `rowCount` rows (the header included), when
// the window's height less the grid's height is `extraHeight`. At resolutions other than
// 96 and 120 dots per inch the limit does not follow the rows: empty.
std::optional<int> MaxWindowHeight(int rowCount, int extraHeight, int dotsPerInch,
                                   GridMetrics grid = {});

// Halves to even, as the screen-change scaling rounds.
int RoundScaled(double value);

}  // namespace gui
