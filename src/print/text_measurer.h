#pragma once

// Text is measured once, at a fixed reference resolution, and the sizes are scaled to each
// device, so that heights and positions are the same on screen, on paper and in a PDF.
// The page model measures through this interface; the Qt font engine implements it.

#include <string_view>
#include <vector>

#include "print/graphics.h"
#include "print/measurement.h"

namespace print {

constexpr int kPvReferenceDpi = 7200;

class TPvTextMeasurer {
  public:
    virtual ~TPvTextMeasurer() = default;
    // Advance width of a single-line text (UTF-8) in dots at the given resolution.
    virtual TPvExtended TextWidth(const TPvFont& font, std::string_view text, int dpi) const = 0;
    // Height of one line (ascent plus descent) in dots at the given resolution.
    virtual TPvExtended LineHeight(const TPvFont& font, int dpi) const = 0;
    // Ascent in dots (the baseline's distance below a line's top).
    virtual TPvExtended Ascent(const TPvFont& font, int dpi) const = 0;
    // Advance of every character (one per Unicode code point) in dots.
    virtual std::vector<TPvExtended> CharAdvances(const TPvFont& font, std::string_view text,
                                                  int dpi) const = 0;
};

}  // namespace print
