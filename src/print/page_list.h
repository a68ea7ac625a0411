#pragma once

// The document: its pages, the current page, the bands, margins, printer settings, the
// recording canvas and the shared resources.

#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "print/canvas.h"
#include "print/header_footer.h"
#include "print/margins.h"
#include "print/page.h"
#include "print/printer.h"
#include "print/resource_table.h"
#include "print/text_measurer.h"

namespace print {

// Misuse that cannot go on, such as measuring text with no font engine installed.
class TPvError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TPvPageList {
  public:
    // One empty page, current.
    TPvPageList();
    TPvPageList(const TPvPageList&) = delete;
    TPvPageList& operator=(const TPvPageList&) = delete;

    int PageCount() const { return handed_ + int(pages_.size()); }
    int CurrentPage() const { return current_; }
    // Ignored when n is the current page, n <= 0 or n > PageCount.
    void SetCurrentPage(int n);

    // Page n (1-based). Throws TPvError for a page already handed to the sink (see
    // StreamPagesTo).
    TPvPage& Page(int n) { return *pages_.at(KeptIndex(n)); }
    const TPvPage& Page(int n) const { return *pages_.at(KeptIndex(n)); }
    TPvPage& Current() { return Page(current_); }
    const TPvPage& Current() const { return Page(current_); }

    // Appends an empty page of the paper size and orientation in force and makes it current.
    TPvPage& NewPage();
    // Drops every page and every shared resource; one empty page 1 is current.
    void Clear();

    // A document too long to keep (a PDF file of a long table): from now on, each page is
    // handed to `sink` as soon as the producers move on to a later page, and is then
    // released; it keeps its number, and the page count goes on counting it. Producers only
    // move forward, so a page handed over is never drawn on again (trying throws
    // TPvError). FinishPages hands over the pages not yet handed, up to the last. An empty
    // sink ends the streaming; the pages handed on stay gone until Clear starts again
    // from page 1.
    void StreamPagesTo(std::function<void(int page)> sink);
    void FinishPages();

    // Nested: notifications wait until the outermost EndUpdate, then run once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updates_; }

    // Paper of new pages.
    std::string PaperSize = "A4";
    TPvOrientation Orientation = pvPortrait;
    TPvPagesPerSheet PagesPerSheet = pvOnePage;

    // The current page's size in a unit.
    TPvExtended PageWidth(TPvMeasurement unit) const;
    TPvExtended PageHeight(TPvMeasurement unit) const;

    TPvHeader Header;
    TPvFooter Footer;
    TPvMargins Margins;
    TPvPrinter Printer;
    TPvResourceTable Resources;  // before the canvas, which refers to it
    TPvCanvas Canvas;

    // The band heights in inches (hidden bands included).
    TPvExtended HeaderHeight() const { return Header.BandHeight(Measurer()); }
    TPvExtended FooterHeight() const { return Footer.BandHeight(Measurer()); }

    // The font engine text is measured with (see TPvTextMeasurer).
    void SetMeasurer(std::shared_ptr<const TPvTextMeasurer> measurer);
    bool HasMeasurer() const { return measurer_ != nullptr; }
    // Throws TPvError when none is installed.
    const TPvTextMeasurer& Measurer() const;

    // The printer's unprintable left and top edges in inches (0 without a printer).
    TPvExtended PrinterOffsetX() const;
    TPvExtended PrinterOffsetY() const;

    // The header and footer bands of page n, placed and with their tokens replaced.
    TPvBandLayout HeaderLayout(int n) const;
    TPvBandLayout FooterLayout(int n) const;

    // Prints pages from..to (descending when from > to) as one job through the printer's
    // service. Copies the device does not make are printed here: the whole range again for
    // each copy when collated, otherwise each page as often as there are copies. Gives
    // false when nothing could be printed.
    bool PrintPages(int from, int to);

    std::function<void()> OnPageCountChange;
    std::function<void()> OnPageChange;
    // Before the current page changes (old page still current).
    std::function<void()> OnPageChanging;
    // After each printed page: pages done, pages in the job.
    std::function<void(int done, int total)> OnPrintProgress;
    // Date and time for the caption tokens; the clock unless set (tests fix it).
    std::function<TPvTokenValues(int page, int numPages)> TokenValues;

  private:
    void Notify(std::function<void()>& event, bool& pending);
    void HandPagesBefore(int n);
    std::size_t KeptIndex(int n) const;
    TPvBandLayout BandLayout(const TPvHeaderFooter& band, int n) const;

    // The pages not yet handed to the sink: page n is pages_[n - 1 - handed_].
    std::deque<std::unique_ptr<TPvPage>> pages_;
    int current_ = 1;
    int updates_ = 0;
    bool countChanged_ = false;
    bool pageChanged_ = false;
    std::shared_ptr<const TPvTextMeasurer> measurer_;
    std::function<void(int page)> sink_;
    int handed_ = 0;  // pages 1..handed_ went to the sink and are gone
};

}  // namespace print
