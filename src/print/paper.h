#pragma once

// Named paper sizes, held in millimetres (portrait: width below height).

#include <string>
#include <string_view>
#include <vector>

#include "print/measurement.h"

namespace print {

enum TPvOrientation { pvPortrait, pvLandscape };

struct TPvPaperSize {
    std::string Name;
    TPvExtended WidthMm;
    TPvExtended HeightMm;
};

// "A3", "A4", "A5", "A6", "B5", "C5", "Legal", "Letter", "Custom", "B4", "Envelope_09",
// "Envelope_10", "Envelope_11", "Envelope_12", "Envelope_14", "Tabloid", "Ledger",
// "Executive", in that order.
const std::vector<TPvPaperSize>& PaperSizes();
// The named paper, or A4 when the name is not known.
const TPvPaperSize& FindPaperSize(std::string_view name);

// The page's width and height in inches for a paper and an orientation.
struct TPvPageExtent {
    TPvExtended Width;
    TPvExtended Height;
};
TPvPageExtent PageExtent(std::string_view paperName, TPvOrientation orientation);

}  // namespace print
