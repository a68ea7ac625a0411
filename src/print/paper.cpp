#include "print/paper.h"

#include <utility>

namespace print {

const std::vector<TPvPaperSize>& PaperSizes() {
    static const std::vector<TPvPaperSize> sizes = {
        {"A3", 297, 420},
        {"A4", 210, 297},
        {"A5", 148, 210},
        {"A6", 105, 148},
        {"B5", 182, 257},
        {"C5", 162, 229},
        {"Legal", 215.9L, 355.6L},
        {"Letter", 215.9L, 279.4L},
        {"Custom", 210, 297},
        {"B4", 250, 353},
        {"Envelope_09", 98.425L, 225.425L},
        {"Envelope_10", 104.775L, 241.3L},
        {"Envelope_11", 114.3L, 263.525L},
        {"Envelope_12", 120.65L, 279.4L},
        {"Envelope_14", 127, 292.1L},
        {"Tabloid", 279.4L, 431.8L},
        {"Ledger", 431.8L, 279.4L},
        {"Executive", 184.15L, 266.7L},
    };
    return sizes;
}

const TPvPaperSize& FindPaperSize(std::string_view name) {
    for (const TPvPaperSize& size : PaperSizes()) {
        if (size.Name == name)
            return size;
    }
    return PaperSizes()[1];
}

TPvPageExtent PageExtent(std::string_view paperName, TPvOrientation orientation) {
    const TPvPaperSize& paper = FindPaperSize(paperName);
    TPvPageExtent extent{ToInches(paper.WidthMm, pvMillimeters),
                         ToInches(paper.HeightMm, pvMillimeters)};
    if (orientation == pvLandscape)
        std::swap(extent.Width, extent.Height);
    return extent;
}

}  // namespace print
