#pragma once

// TPvPreview: a scrolling control that shows one page of its document at a time, at a zoom,
// on paper with an outline and a shadow, and prints the document. Producers draw onto its
// recording canvas; the control owns the page list.

#include <QAbstractScrollArea>

#include <functional>
#include <memory>
#include <string>

#include "print/page_list.h"
#include "print/preview_geometry.h"

namespace print {

class TPvQtPrintService;

enum TPvGridStyle { pvNoGrid, pvDots, pvLines };

struct TPvPageGrid {
    TPvGridStyle GridStyle = pvNoGrid;
    TPvPen GridPen{clSilver, 1, pvPenSolid, pvModeCopy};
    TPvExtended Spacing = 0.5L;  // inches between grid lines or dots
};

struct TPvShadow {
    TPvColor Color = clBlack;
    int Width = 3;
    bool Visible = true;
};

// A rectangle in inches from the paper's corner.
struct TPvInchRect {
    TPvExtended Left, Top, Right, Bottom;
};

class TPvPreview : public QAbstractScrollArea {
    Q_OBJECT

  public:
    explicit TPvPreview(QWidget* parent = nullptr);
    ~TPvPreview() override;

    // The owned objects.
    TPvPageList& PageList() { return pages_; }
    const TPvPageList& PageList() const { return pages_; }
    TPvCanvas& Canvas() { return pages_.Canvas; }
    TPvHeader& Header() { return pages_.Header; }
    TPvFooter& Footer() { return pages_.Footer; }
    TPvMargins& Margins() { return pages_.Margins; }
    TPvPrinter& PvPrinter() { return pages_.Printer; }
    // The QPrinter jobs go to (for the print dialog to configure).
    TPvQtPrintService& PrintService() { return *printService_; }

    // Header (0) or footer (1) captions by index 0 left, 1 centre, 2 right.
    void SetHeaderCaption(int index, const std::string& caption);
    void SetFooterCaption(int index, const std::string& caption);

    std::string MarginValues() const { return pages_.Margins.MarginValues(); }
    bool SetMarginValues(const std::string& stored);

    // Pages (1-based).
    int PageCount() const { return pages_.PageCount(); }
    int CurrentPage() const { return pages_.CurrentPage(); }
    // Ignored when n is the current page, n <= 0 or n > PageCount.
    void SetCurrentPage(int n);
    void NextPage() { SetCurrentPage(CurrentPage() + 1); }
    void PrevPage() { SetCurrentPage(CurrentPage() - 1); }
    // Drops every page and resource; one empty page 1 is current.
    void Clear();
    // Appends an empty page and makes it current.
    void NewPage();
    // The current page's size.
    TPvExtended PageWidth(TPvMeasurement unit) const { return pages_.PageWidth(unit); }
    TPvExtended PageHeight(TPvMeasurement unit) const { return pages_.PageHeight(unit); }

    // Zoom, in percent.
    int Zoom() const { return zoom_.Zoom(); }
    void SetZoom(int zoom);
    void ZoomIn();
    void ZoomOut();
    int MinZoom() const { return zoom_.MinZoom(); }
    void SetMinZoom(int minZoom);
    int MaxZoom() const { return zoom_.MaxZoom(); }
    void SetMaxZoom(int maxZoom);
    int ZoomIncrement() const { return zoom_.ZoomIncrement; }
    void SetZoomIncrement(int increment) { zoom_.ZoomIncrement = increment; }
    TPvZoomStyle ZoomStyle() const { return zoom_.ZoomStyle; }
    void SetZoomStyle(TPvZoomStyle style) { zoom_.ZoomStyle = style; }

    // Paper of new pages.
    TPvOrientation Orientation() const { return pages_.Orientation; }
    std::string PaperSize() const { return pages_.PaperSize; }
    TPvPagesPerSheet PagesPerSheet() const { return pages_.PagesPerSheet; }

    int Gutter() const { return gutter_; }

    TPvPageGrid PageGrid;
    TPvShadow Shadow;
    TPvPen SelectionPen{clRed, 1, pvPenSolid, pvModeCopy};

    // Nested: no repaint and no page-list notification until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // Printing through PvPrinter's service; false when nothing was printed.
    bool PrintPages(int from, int to);

    // The paper's rectangle in the viewport, in pixels.
    QRect PaperRect() const;
    // Paints the current page into `painter` at the paper rectangle given (what the
    // viewport shows; also used to photograph the control).
    void PaintPaper(QPainter& painter, const QRect& paper) const;

    // Events.
    std::function<void()> OnClear;
    std::function<void()> OnNewPage;
    std::function<void(TPvCanvas&, const TPvInchRect&)> OnDrawHeader;
    std::function<void(TPvCanvas&, const TPvInchRect&)> OnDrawFooter;
    std::function<void()> OnPageChanged;
    std::function<void(int done, int total)> OnPrintProgress;
    std::function<void()> BeforePrint;
    std::function<void()> AfterPrint;
    std::function<void()> OnAbortPrint;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    // Runs a change of the zoom rules; a changed zoom rescrolls and repaints.
    void ChangeZoom(const std::function<void(TPvZoomRules&)>& change);
    QSize PaperPixels() const;
    void UpdateScrollRanges();
    QScrollBar* PreferredScrollBar() const;
    void ScrollBy(QScrollBar* bar, int steps);
    void PaperChanged();

    TPvPageList pages_;
    std::shared_ptr<TPvQtPrintService> printService_;
    TPvZoomRules zoom_;
    int gutter_ = 30;
    int imageUpdates_ = 0;
};

// Shows the library's reports in a message box with no owner window.
void InstallMessageBoxReport();

}  // namespace print
