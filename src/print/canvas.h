#pragma once

// The recording canvas: producers set its pen, brush and font and call its drawing
// operations, which append objects to the current page of the page list.

#include <string>
#include <string_view>

#include "print/graphics.h"
#include "print/measurement.h"
#include "print/objects.h"

namespace print {

class TPvPageList;

enum TPvCoordsRelativeTo {
    pvFromPage,
    pvFromPrinterMargins,
    pvFromUserMargins,
    pvFromHeaderLine,
};

class TPvCanvas {
  public:
    explicit TPvCanvas(TPvPageList& pages);
    TPvCanvas(const TPvCanvas&) = delete;
    TPvCanvas& operator=(const TPvCanvas&) = delete;

    TPvPen Pen;
    TPvBrush Brush;
    TPvFont Font;
    int FontAngle = 0;  // tenths of a degree, given to every recorded font
    TPvCoordsRelativeTo CoordsRelativeTo = pvFromPage;
    TPvMeasurement DefaultMeasurement = pvMillimeters;
    bool WordWrap = true;           // word wrap of recorded text boxes
    TPvValue TextInset{1 / 25.4L};  // the inset TextHeight measures with: 1 mm
    // Whether equal pictures share one entry of the resource table (the table's flag).
    bool& CompareGraphics;

    TPvLineObject& Line(TPvMeasurement unit, TPvExtended x1, TPvExtended y1, TPvExtended x2,
                        TPvExtended y2);
    TPvRectangleShape& Rectangle(TPvMeasurement unit, TPvExtended x1, TPvExtended y1,
                                 TPvExtended x2, TPvExtended y2);
    // A text box; with y2 = 0 it grows to fit its text. `inset` is in `unit`.
    TPvTextBoxObject& TextBox(std::string_view text, TPvAlignment alignment, TPvMeasurement unit,
                              TPvVertAlignment vertAlignment, TPvExtended inset, TPvExtended x1,
                              TPvExtended y1, TPvExtended x2, TPvExtended y2);

    // Height (in `unit`) of the text laid out in a box `width` wide with the current font
    // and word wrap, the canvas's TextInset above and below included.
    TPvExtended TextHeight(std::string_view text, TPvMeasurement unit, TPvExtended width) const;
    // The same with an explicit inset in `unit`.
    TPvExtended TextHeight(std::string_view text, TPvMeasurement unit, TPvExtended width,
                           TPvExtended inset) const;

    // The offset, in inches, that CoordsRelativeTo adds to recorded coordinates.
    TPvExtended OffsetX() const;
    TPvExtended OffsetY() const;

  private:
    TPvExtended HeightInches(std::string_view text, TPvExtended widthInches,
                             TPvExtended insetInches) const;
    template <class Shape>
    Shape& RecordShape(TPvMeasurement unit, TPvExtended x1, TPvExtended y1, TPvExtended x2,
                       TPvExtended y2, bool withBrush);

    TPvPageList& pages_;
};

}  // namespace print
