#pragma once

// The header and footer bands drawn on every page whose flags ask for them, and the
// geometry of their captions.

#include <string>
#include <string_view>
#include <vector>

#include "print/graphics.h"
#include "print/measurement.h"
#include "print/text_measurer.h"

namespace print {

struct TPvHeaderFooterCaption {
    std::string Caption;
    TPvFont Font = PvFont("Arial", 12);
};

class TPvHeaderFooter {
  public:
    virtual ~TPvHeaderFooter() = default;

    TPvHeaderFooterCaption CaptionLeft, CaptionCenter, CaptionRight;
    // 0 left, 1 centre, 2 right.
    TPvHeaderFooterCaption& Caption(int index);
    const TPvHeaderFooterCaption& Caption(int index) const;

    TPvPen Pen;
    bool ShowLine = true;
    bool Visible = false;
    // An explicit band height; 0 means one line of the largest caption font.
    TPvValue Height;

    // Index of the caption with the largest point size (left wins ties over centre,
    // centre over right).
    int LargestCaption() const;
    // Inches: the explicit height, or one line of the largest caption font measured at
    // 600 dots per inch. Hidden bands have their height all the same.
    TPvExtended BandHeight(const TPvTextMeasurer& measurer) const;

    virtual bool IsHeader() const = 0;
};

class TPvHeader : public TPvHeaderFooter {
  public:
    bool IsHeader() const override { return true; }
};

class TPvFooter : public TPvHeaderFooter {
  public:
    bool IsHeader() const override { return false; }
};

// Values of the caption tokens on one page.
struct TPvTokenValues {
    std::string Date;  // "{DATE}"
    std::string Time;  // "{TIME}"
    int Page = 1;      // "{PAGE}"
    int NumPages = 1;  // "{NUMPAGES}"
};

// Today's date as dd.mm.yyyy and the time as hh.mm (the date separator in both).
TPvTokenValues CurrentTokenValues(int page, int numPages);
std::string ReplaceTokens(std::string_view text, const TPvTokenValues& values);

// A band and its captions in inches from the paper's corner.
struct TPvBandCaptionPlace {
    int Index;  // 0 left, 1 centre, 2 right
    std::string Text;
    TPvExtended Left;
    TPvExtended Top;  // top of the caption's line
};

struct TPvBandLayout {
    TPvExtended Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::vector<TPvBandCaptionPlace> Captions;  // non-empty captions only
    bool ShowLine = false;
    TPvExtended LineY = 0;  // bottom edge of a header, top edge of a footer
};

// Places a band between the margins: a header from the top margin down, a footer up from
// the bottom margin. Caption widths and heights are measured at the reference resolution.
TPvBandLayout LayoutBand(const TPvHeaderFooter& band, const TPvTextMeasurer& measurer,
                         TPvExtended pageWidth, TPvExtended pageHeight, TPvExtended leftMargin,
                         TPvExtended topMargin, TPvExtended rightMargin, TPvExtended bottomMargin,
                         const TPvTokenValues& tokens);

}  // namespace print
