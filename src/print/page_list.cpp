#include "print/page_list.h"

#include <algorithm>
#include <string>
#include <utility>

namespace print {

TPvPageList::TPvPageList() : Canvas(*this) {
    const TPvPageExtent extent = PageExtent(PaperSize, Orientation);
    pages_.push_back(std::make_unique<TPvPage>(extent.Width, extent.Height, Orientation));
}

void TPvPageList::Notify(std::function<void()>& event, bool& pending) {
    if (updates_ > 0) {
        pending = true;
        return;
    }
    if (event)
        event();
}

void TPvPageList::SetCurrentPage(int n) {
    if (n == current_ || n <= 0 || n > PageCount())
        return;
    if (n <= handed_)
        throw TPvError("Page " + std::to_string(n) + " was already written out");
    if (OnPageChanging)
        OnPageChanging();
    current_ = n;
    HandPagesBefore(n);
    Notify(OnPageChange, pageChanged_);
}

namespace {

// Lowers the counts of the shared resources a page's objects hold.
class ResourceRelease : public TPvObjectVisitor {
  public:
    explicit ResourceRelease(TPvResourceTable& resources) : resources_(resources) {}
    void Visit(const TPvLineObject& line) override { resources_.Pens().Release(line.Pen); }
    void Visit(const TPvRectangleShape& rectangle) override {
        resources_.Pens().Release(rectangle.Pen);
        resources_.Brushes().Release(rectangle.Brush);
    }
    void Visit(const TPvTextBoxObject& box) override {
        resources_.Pens().Release(box.Pen);
        resources_.Brushes().Release(box.Brush);
        resources_.Fonts().Release(box.Font);
    }

  private:
    TPvResourceTable& resources_;
};

}  // namespace

void TPvPageList::StreamPagesTo(std::function<void(int page)> sink) {
    sink_ = std::move(sink);
}

void TPvPageList::HandPagesBefore(int n) {
    if (!sink_)
        return;
    while (handed_ + 1 < n) {
        sink_(handed_ + 1);
        ResourceRelease release(Resources);
        pages_.front()->Accept(release);
        pages_.pop_front();
        ++handed_;
    }
}

std::size_t TPvPageList::KeptIndex(int n) const {
    if (n <= handed_ && n > 0)
        throw TPvError("Page " + std::to_string(n) + " was already written out");
    return static_cast<std::size_t>(n - 1 - handed_);
}

void TPvPageList::FinishPages() {
    HandPagesBefore(PageCount() + 1);
}

TPvPage& TPvPageList::NewPage() {
    const TPvPageExtent extent = PageExtent(PaperSize, Orientation);
    pages_.push_back(std::make_unique<TPvPage>(extent.Width, extent.Height, Orientation));
    Notify(OnPageCountChange, countChanged_);
    SetCurrentPage(PageCount());
    return Current();
}

void TPvPageList::Clear() {
    pages_.clear();
    handed_ = 0;
    Resources.Clear();
    const TPvPageExtent extent = PageExtent(PaperSize, Orientation);
    pages_.push_back(std::make_unique<TPvPage>(extent.Width, extent.Height, Orientation));
    current_ = 1;
    Notify(OnPageCountChange, countChanged_);
    Notify(OnPageChange, pageChanged_);
}

void TPvPageList::BeginUpdate() {
    ++updates_;
}

void TPvPageList::EndUpdate() {
    if (updates_ == 0)
        return;
    if (--updates_ > 0)
        return;
    if (std::exchange(countChanged_, false) && OnPageCountChange)
        OnPageCountChange();
    if (std::exchange(pageChanged_, false) && OnPageChange)
        OnPageChange();
}

TPvExtended TPvPageList::PageWidth(TPvMeasurement unit) const {
    return FromInches(Current().Width, unit);
}

TPvExtended TPvPageList::PageHeight(TPvMeasurement unit) const {
    return FromInches(Current().Height, unit);
}

void TPvPageList::SetMeasurer(std::shared_ptr<const TPvTextMeasurer> measurer) {
    measurer_ = std::move(measurer);
}

const TPvTextMeasurer& TPvPageList::Measurer() const {
    if (!measurer_)
        throw TPvError("No font engine to measure text with");
    return *measurer_;
}

TPvExtended TPvPageList::PrinterOffsetX() const {
    return Printer.PrintService() ? Printer.PrintService()->PrinterOffsetX() : 0;
}

TPvExtended TPvPageList::PrinterOffsetY() const {
    return Printer.PrintService() ? Printer.PrintService()->PrinterOffsetY() : 0;
}

TPvBandLayout TPvPageList::BandLayout(const TPvHeaderFooter& band, int n) const {
    const TPvPage& page = Page(n);
    const TPvTokenValues tokens =
        TokenValues ? TokenValues(n, PageCount()) : CurrentTokenValues(n, PageCount());
    return LayoutBand(band, Measurer(), page.Width, page.Height, Margins.Left.Inches(),
                      Margins.Top.Inches(), Margins.Right.Inches(), Margins.Bottom.Inches(),
                      tokens);
}

TPvBandLayout TPvPageList::HeaderLayout(int n) const {
    return BandLayout(Header, n);
}

TPvBandLayout TPvPageList::FooterLayout(int n) const {
    return BandLayout(Footer, n);
}

namespace {

// The pages in printing order with `copies` copies of each: 1 2 3 1 2 3 collated,
// 1 1 2 2 3 3 not.
std::vector<int> WithCopies(const std::vector<int>& order, int copies, bool collate) {
    copies = std::max(copies, 1);
    std::vector<int> sheets;
    sheets.reserve(order.size() * std::size_t(copies));
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            sheets.insert(sheets.end(), order.begin(), order.end());
    } else {
        for (int page : order) sheets.insert(sheets.end(), std::size_t(copies), page);
    }
    return sheets;
}

}  // namespace

bool TPvPageList::PrintPages(int from, int to) {
    from = std::clamp(from, 1, PageCount());
    to = std::clamp(to, 1, PageCount());
    std::vector<int> order;
    const int step = from <= to ? 1 : -1;
    for (int n = from;; n += step) {
        order.push_back(n);
        if (n == to)
            break;
    }

    BeginUpdate();
    Printer.SetPaper(PaperSize, Page(order.front()).Orientation, PagesPerSheet);
    bool printed = Printer.BeginDoc();
    try {
        if (printed) {
            const std::vector<int> sheets =
                WithCopies(order, Printer.Job()->OwnCopies(), Printer.Collate());
            for (std::size_t i = 0; i < sheets.size(); ++i) {
                Printer.Job()->PrintPage(*this, sheets[i], Margins.ClipMargins);
                if (i + 1 < sheets.size())
                    Printer.NewSheet(Page(sheets[i + 1]).Orientation);
                if (OnPrintProgress)
                    OnPrintProgress(int(i + 1), int(sheets.size()));
            }
            printed = Printer.EndDoc();
        }
    } catch (...) {
        // The job ends and the update closes whatever failed, so that printing can run again.
        Printer.EndDoc();
        EndUpdate();
        throw;
    }
    EndUpdate();
    return printed;
}

}  // namespace print
