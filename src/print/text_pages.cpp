#include "print/text_pages.h"

#include <cmath>

#include "print/page_list.h"
#include "print/producer_support.h"
#include "print/error_report.h"
#include "print/rich_text.h"
#include "print/text_layout.h"

namespace print {

namespace {

// The text starts this far below the header band: 90 twips, a sixteenth of an inch.
constexpr int kTextOffsetTwips = 90;
// Without wrapping the formatting rectangle reaches ten times as far to the right.
constexpr int kUnwrappedWidthFactor = 10;

TPvExtended twipsToInches(long twips) {
    return TPvExtended(twips) / kTwipsPerInch;
}

long wholeTwips(TPvExtended inches) {
    return std::lround(inches * kTwipsPerInch);
}

}  // namespace

TPvRtfPreview::TPvRtfPreview() : TextFileFont(PvFont("Arial", 10)) {}

void TPvRtfPreview::SetPreview(TPvPageList* preview) {
    preview_ = preview;
    reservesFixed_ = false;
    if (preview_ && preview_->HasMeasurer())
        FixReserves();
}

void TPvRtfPreview::FixReserves() {
    topReserve_.SetInches(
        twipsToInches(preview_->Margins.Top.Twips() + wholeTwips(preview_->HeaderHeight())));
    bottomReserve_.SetInches(
        twipsToInches(preview_->Margins.Bottom.Twips() + wholeTwips(preview_->FooterHeight())));
    reservesFixed_ = true;
}

void TPvRtfPreview::LoadTextLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r";
    LoadRichEdit({text, TextFileFont});
}

void TPvRtfPreview::LoadRichEdit(const TPvRichText& text) {
    if (!preview_) {
        PvReport(PvComponentError("TPvRtfPreview", kPvPreviewMissing));
        return;
    }
    TPvUpdateScope update(*preview_);
    if (!reservesFixed_)
        FixReserves();
    const int textIndex = preview_->Resources.Texts().Acquire(text);
    const int length = RichTextLength(text);

    int first = 0;
    for (;;) {
        const TPvExtended pageWidth = preview_->PageWidth(pvInches);
        const TPvExtended pageHeight = preview_->PageHeight(pvInches);
        TPvPageRtfInfo part;
        part.TextIndex = textIndex;
        part.WordWrap = WrapLines;
        part.Left = preview_->Margins.Left.Inches();
        part.Top = topReserve_.Inches() + twipsToInches(kTextOffsetTwips);
        part.Right = pageWidth - preview_->Margins.Right.Inches();
        if (!WrapLines)
            part.Right *= kUnwrappedWidthFactor;
        part.Bottom = pageHeight - bottomReserve_.Inches();

        // Fitted with the very lines the replay draws.
        const std::vector<TPvTextLine> placed = LayoutRichText(
            text, part.Right - part.Left, part.Bottom - part.Top, part.WordWrap, first);
        const int next = placed.empty() ? length : placed.back().Start + placed.back().Length;
        part.FirstChar = first;
        part.LastChar = next - 1;
        preview_->Current().RtfInfo = part;
        first = next;

        const bool more = first < length;
        if (more) {
            if (ForceNewPages || preview_->CurrentPage() == preview_->PageCount())
                preview_->NewPage();
            else
                preview_->SetCurrentPage(preview_->CurrentPage() + 1);
            if (OnNewPage)
                OnNewPage(*this, topReserve_, bottomReserve_);
        }
        if (OnProgress)
            OnProgress(*this, length == 0 ? 100 : static_cast<int>(first * 100LL / length));
        if (!more)
            break;
    }
}

}  // namespace print
