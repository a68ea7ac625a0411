#pragma once

// A document like the printed payments: a header and footer, and on every page a ruled
// table of text boxes. Shared by the tests and the benchmarks.

#include <string>

#include "print/page_list.h"

namespace print::testing {

inline void SetUpPaymentBands(TPvPageList& pages) {
    pages.Margins.SetMarginValues("720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"");
    pages.Header.Visible = true;
    pages.Header.CaptionCenter.Caption = "Информация по кредиту.";
    pages.Footer.Visible = true;
    pages.Footer.Pen.Style = pvPenDot;
    pages.Footer.CaptionRight.Font.Size = 10;
    pages.Footer.CaptionRight.Caption = "Ссудомер 2.0";
    pages.Footer.CaptionLeft.Font.Size = 10;
    pages.Footer.CaptionLeft.Caption = "Страница {PAGE} из {NUMPAGES}";
}

// `pageCount` pages of `boxesPerPage` cells, seven to a row, from 1.4 inches down. With
// `measured` every box grows to fit its text, so that each one is measured.
inline void BuildSampleDocument(TPvPageList& pages, int pageCount, int boxesPerPage,
                                bool measured = false) {
    SetUpPaymentBands(pages);
    TPvCanvas& canvas = pages.Canvas;
    canvas.Font = PvFont("Arial", 8);
    const TPvExtended columnWidth = 6.0L / 7;
    const TPvExtended rowHeight = 0.2L;
    pages.BeginUpdate();
    for (int page = 1; page <= pageCount; ++page) {
        if (page > 1)
            pages.NewPage();
        for (int box = 0; box < boxesPerPage; ++box) {
            const int row = box / 7;
            const int column = box % 7;
            const TPvExtended left = 1.0L + column * columnWidth;
            const TPvExtended top = 1.4L + (row % 40) * rowHeight;
            canvas.Pen.Color = clPvNone;
            canvas.Brush.Color = clPvNone;
            const std::string text =
                column == 1 ? "Январь 2005" : std::to_string(1000 + page * 7 + box) + ",00";
            canvas.TextBox(text, taCenter, pvInches, pvTop, 0.025L, left, top, left + columnWidth,
                           measured ? 0 : top + rowHeight);
            canvas.Pen.Color = clBlack;
            if (column > 0)
                canvas.Line(pvInches, left, top, left, top + rowHeight);
            canvas.Line(pvInches, 1.0L, top, 7.0L, top);
        }
    }
    pages.EndUpdate();
}

}  // namespace print::testing
