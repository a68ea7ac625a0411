#include "print/canvas.h"

#include <memory>

#include "print/page_list.h"
#include "print/text_layout.h"

namespace print {

TPvCanvas::TPvCanvas(TPvPageList& pages)
    : CompareGraphics(pages.Resources.CompareGraphics), pages_(pages) {}

TPvExtended TPvCanvas::OffsetX() const {
    switch (CoordsRelativeTo) {
        case pvFromPage:
            return 0;
        case pvFromPrinterMargins:
            return pages_.PrinterOffsetX();
        case pvFromUserMargins:
        case pvFromHeaderLine:
            return pages_.Margins.Left.Inches();
    }
    return 0;
}

TPvExtended TPvCanvas::OffsetY() const {
    switch (CoordsRelativeTo) {
        case pvFromPage:
            return 0;
        case pvFromPrinterMargins:
            return pages_.PrinterOffsetY();
        case pvFromUserMargins:
            return pages_.Margins.Top.Inches();
        case pvFromHeaderLine:
            return pages_.Margins.Top.Inches() + pages_.Header.BandHeight(pages_.Measurer());
    }
    return 0;
}

template <class Shape>
Shape& TPvCanvas::RecordShape(TPvMeasurement unit, TPvExtended x1, TPvExtended y1, TPvExtended x2,
                              TPvExtended y2, bool withBrush) {
    auto shape = std::make_unique<Shape>();
    shape->Pen = pages_.Resources.Pens().Acquire(Pen);
    if (withBrush)
        shape->Brush = pages_.Resources.Brushes().Acquire(Brush);
    shape->X1 = ToInches(x1, unit);
    shape->Y1 = ToInches(y1, unit);
    shape->X2 = ToInches(x2, unit);
    shape->Y2 = ToInches(y2, unit);
    shape->Offset(OffsetX(), OffsetY());
    return pages_.Current().Add(std::move(shape));
}

TPvLineObject& TPvCanvas::Line(TPvMeasurement unit, TPvExtended x1, TPvExtended y1, TPvExtended x2,
                               TPvExtended y2) {
    return RecordShape<TPvLineObject>(unit, x1, y1, x2, y2, false);
}

TPvRectangleShape& TPvCanvas::Rectangle(TPvMeasurement unit, TPvExtended x1, TPvExtended y1,
                                        TPvExtended x2, TPvExtended y2) {
    return RecordShape<TPvRectangleShape>(unit, x1, y1, x2, y2, true);
}

TPvTextBoxObject& TPvCanvas::TextBox(std::string_view text, TPvAlignment alignment,
                                     TPvMeasurement unit, TPvVertAlignment vertAlignment,
                                     TPvExtended inset, TPvExtended x1, TPvExtended y1,
                                     TPvExtended x2, TPvExtended y2) {
    auto box = std::make_unique<TPvTextBoxObject>();
    box->X1 = ToInches(x1, unit);
    box->Y1 = ToInches(y1, unit);
    box->X2 = ToInches(x2, unit);
    box->Inset = ToInches(inset, unit);
    if (y2 == 0 || vertAlignment != pvTop) {
        box->TextHeight = HeightInches(text, box->X2 - box->X1, box->Inset);
        box->Y2 = y2 != 0 ? ToInches(y2, unit) : box->Y1 + box->TextHeight;
    } else {
        box->Y2 = ToInches(y2, unit);
        box->TextHeight = box->Y2 - box->Y1;
    }
    box->Alignment = alignment;
    box->VertAlignment = vertAlignment;
    box->Brush = pages_.Resources.Brushes().Acquire(Brush);
    TPvFont font = Font;
    font.Angle = FontAngle;
    box->Font = pages_.Resources.Fonts().Acquire(font);
    box->Pen = pages_.Resources.Pens().Acquire(Pen);
    box->Text = std::string(text);
    box->WordWrap = WordWrap;
    box->Offset(OffsetX(), OffsetY());
    return pages_.Current().Add(std::move(box));
}

TPvExtended TPvCanvas::HeightInches(std::string_view text, TPvExtended widthInches,
                                    TPvExtended insetInches) const {
    return LaidOutHeight(pages_.Measurer(), Font, text, widthInches - 2 * insetInches, WordWrap) +
           2 * insetInches;
}

TPvExtended TPvCanvas::TextHeight(std::string_view text, TPvMeasurement unit,
                                  TPvExtended width) const {
    return FromInches(HeightInches(text, ToInches(width, unit), TextInset.Inches()), unit);
}

TPvExtended TPvCanvas::TextHeight(std::string_view text, TPvMeasurement unit, TPvExtended width,
                                  TPvExtended inset) const {
    return FromInches(HeightInches(text, ToInches(width, unit), ToInches(inset, unit)), unit);
}

}  // namespace print
