#include "printouts/payment_pages.h"

#include "app/notice.h"

namespace gui {

namespace {

// " - расчет, учет и печать платежей по кредиту", enciphered as the status notice is.
constexpr const char* kStoredFooterNotice =
    "7A5284186EC3888C03764B21A3EAE2A98A1E77C8B9B33D7C50D7CCF9465B0F054FCEC3B93E625A2CAE67BC2E"
    "6660D0959BED440C0EB5F8F8A22E9C31B9FBEE554A053589FEE6A829125FDDB387F8";

// Margins of 0.5 inch (720 twips) on every side; both margin pens silver, dotted.
constexpr const char* kMarginValues = "720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"";

// Free space kept between the page number and the program's caption at the right.
constexpr print::TPvExtended kCaptionGap = 0.25L;

}  // namespace

print::TPvFont Cyrillic(print::TPvFont font) {
    font.Charset = print::kCyrillicCharset;
    return font;
}

void ConfigureDocument(print::TPvPageList& pages, const char* jobTitle) {
    pages.PaperSize = "A4";
    pages.Orientation = print::pvPortrait;
    pages.PagesPerSheet = print::pvOnePage;
    pages.Margins.SetMarginValues(kMarginValues);
    pages.Resources.CompareGraphics = true;

    pages.Header.Visible = true;
    pages.Header.CaptionLeft.Font = print::PvFont("Arial", 12);
    pages.Header.CaptionCenter.Font = Cyrillic(print::PvFont("Arial", 12));
    pages.Header.CaptionRight.Font = print::PvFont("Arial", 12);
    pages.Header.CaptionCenter.Caption = kDesignHeaderCaption;

    pages.Footer.Visible = true;
    pages.Footer.Pen.Style = print::pvPenDot;
    pages.Footer.CaptionLeft.Font = Cyrillic(print::PvFont("Arial", 12));
    pages.Footer.CaptionCenter.Font = Cyrillic(print::PvFont("Arial", 12));
    pages.Footer.CaptionRight.Font = Cyrillic(print::PvFont("Arial", 10));

    print::TPvPrinter& printer = pages.Printer;
    printer.SetCollate(false);
    printer.SetDuplex(print::pvSimplex);
    printer.SetPrintColor(print::pvColor);
    printer.SetDitherType(print::pvNone);
    printer.SetPrintQuality(print::pvMedium);
    printer.Title = jobTitle;
}

namespace {

// Whether the page number of the last page (the widest) and the right caption both fit
// on the footer band of the document's pages without touching.
bool PageNumberFits(const print::TPvPageList& pages) {
    const print::TPvTextMeasurer& measurer = pages.Measurer();
    const auto width = [&](const print::TPvHeaderFooterCaption& caption, const std::string& text) {
        return measurer.TextWidth(caption.Font, text, print::kPvReferenceDpi) /
               print::kPvReferenceDpi;
    };
    const int count = pages.PageCount();
    const print::TPvBandLayout band = pages.FooterLayout(count);
    const print::TPvExtended needed =
        width(pages.Footer.CaptionLeft, PageNumberText(count, count)) + kCaptionGap +
        width(pages.Footer.CaptionRight, pages.Footer.CaptionRight.Caption);
    return needed <= band.Right - band.Left;
}

}  // namespace

std::string PageNumberText(int page, int count) {
    return print::ReplaceTokens(kPageNumberCaption, {"", "", page, count});
}

std::string FooterCaption() {
    return kFooterProgramName + app::DecipherNotice(kStoredFooterNotice);
}

void StartDocument(print::TPvPageList& pages, const char* headerCaption) {
    pages.Clear();
    pages.Footer.Caption(0).Caption.clear();
    pages.Footer.Caption(2).Caption = FooterCaption();
    pages.Header.Caption(1).Caption = headerCaption;
}

void NumberPages(print::TPvPageList& pages) {
    if (PageNumberFits(pages))
        pages.Footer.Caption(0).Caption = kPageNumberCaption;
}

void ConfigureTablePrint(print::TPvAbstractGridPrint& table, print::TPvPageList& pages) {
    table.DefaultCellAlignment = print::taCenter;
    table.ScaleText = true;
    table.Font = Cyrillic(print::PvFont("Arial", 8));
    table.FixedCellFont = Cyrillic(print::PvFont("Times New Roman", 8));
    table.SetPreview(&pages);
}

void ConfigureTextPrint(print::TPvRtfPreview& text, print::TPvPageList& pages) {
    text.TextFileFont = Cyrillic(print::PvFont("Courier New", 10));
    text.SetPreview(&pages);
}

PaymentPages::PaymentPages(print::TPvPageList& pages) : pages_(pages) {
    ConfigureDocument(pages_, kPrintJobTitle);
    ConfigureTablePrint(PvGridPrint1, pages_);
    ConfigureTextPrint(PvRtfPreview1, pages_);
}

void PaymentPages::Build(const std::array<std::string, 4>& loanInformation,
                         const loan::ScheduleTable& table) {
    StartDocument(pages_, kPageHeaderCaption);
    PvRtfPreview1.LoadTextLines({loanInformation.begin(), loanInformation.end()});
    PvGridPrint1.SetGrid(&table);
    PvGridPrint1.PrintGrid(print::pvInches, kTableLeft, kTableTop, kTableWidth);
    NumberPages(pages_);
}

}  // namespace gui
