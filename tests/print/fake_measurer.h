#pragma once

// A font engine with round numbers: every character is half an em wide, a line is 1.25 em
// high (0.25 em of it below the baseline). At the reference resolution a 10-point
// character is 500 dots wide and a line 1250 dots high.

#include <string_view>
#include <vector>

#include "print/text_measurer.h"

namespace print::testing {

class FakeMeasurer : public TPvTextMeasurer {
  public:
    static int CodePoints(std::string_view text) {
        int count = 0;
        for (unsigned char c : text) count += (c & 0xC0) != 0x80;
        return count;
    }
    static TPvExtended Em(const TPvFont& font, int dpi) {
        return TPvExtended(font.Size) * dpi / 72;
    }
    TPvExtended TextWidth(const TPvFont& font, std::string_view text, int dpi) const override {
        return CodePoints(text) * Em(font, dpi) / 2;
    }
    TPvExtended LineHeight(const TPvFont& font, int dpi) const override {
        return Em(font, dpi) * 1.25L;
    }
    TPvExtended Ascent(const TPvFont& font, int dpi) const override { return Em(font, dpi); }
    std::vector<TPvExtended> CharAdvances(const TPvFont& font, std::string_view text,
                                          int dpi) const override {
        return std::vector<TPvExtended>(CodePoints(text), Em(font, dpi) / 2);
    }
};

}  // namespace print::testing
