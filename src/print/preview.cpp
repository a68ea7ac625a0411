#include "print/preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

#include "print/qt_print_service.h"
#include "print/qt_text_measurer.h"
#include "print/replay.h"
#include "print/error_report.h"

namespace print {

namespace {

// Replay on screen runs at 600 units per inch, scaled onto the paper's pixels.
constexpr int kScreenReplayDpi = 600;
constexpr int kScrollIncrement = 20;

}  // namespace

TPvPreview::TPvPreview(QWidget* parent)
    : QAbstractScrollArea(parent), printService_(std::make_shared<TPvQtPrintService>()) {
    pages_.SetMeasurer(QtTextMeasurer());
    pages_.Printer.SetPrintService(printService_);
    pages_.OnPageChange = [this] {
        if (OnPageChanged)
            OnPageChanged();
        PaperChanged();
    };
    pages_.OnPageCountChange = [this] { PaperChanged(); };
    pages_.OnPrintProgress = [this](int done, int total) {
        if (OnPrintProgress)
            OnPrintProgress(done, total);
    };
    pages_.Printer.BeforePrint = [this] {
        if (BeforePrint)
            BeforePrint();
    };
    pages_.Printer.AfterPrint = [this] {
        if (AfterPrint)
            AfterPrint();
    };
    pages_.Printer.OnAbortPrint = [this] {
        if (OnAbortPrint)
            OnAbortPrint();
    };

    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(kScrollIncrement);
    verticalScrollBar()->setSingleStep(kScrollIncrement);
    resize(240, 300);
    UpdateScrollRanges();
}

TPvPreview::~TPvPreview() = default;

void TPvPreview::SetHeaderCaption(int index, const std::string& caption) {
    pages_.Header.Caption(index).Caption = caption;
    viewport()->update();
}

void TPvPreview::SetFooterCaption(int index, const std::string& caption) {
    pages_.Footer.Caption(index).Caption = caption;
    viewport()->update();
}

bool TPvPreview::SetMarginValues(const std::string& stored) {
    const bool read = pages_.Margins.SetMarginValues(stored);
    viewport()->update();
    return read;
}

void TPvPreview::SetCurrentPage(int n) {
    pages_.SetCurrentPage(n);
}

void TPvPreview::Clear() {
    pages_.Clear();
    if (OnClear)
        OnClear();
}

void TPvPreview::NewPage() {
    pages_.NewPage();
    if (OnNewPage)
        OnNewPage();
    if (OnDrawHeader) {
        const TPvBandLayout band = pages_.HeaderLayout(CurrentPage());
        OnDrawHeader(pages_.Canvas, {band.Left, band.Top, band.Right, band.Bottom});
    }
    if (OnDrawFooter) {
        const TPvBandLayout band = pages_.FooterLayout(CurrentPage());
        OnDrawFooter(pages_.Canvas, {band.Left, band.Top, band.Right, band.Bottom});
    }
}

void TPvPreview::ChangeZoom(const std::function<void(TPvZoomRules&)>& change) {
    const int oldWidth = horizontalScrollBar()->maximum() + viewport()->width();
    const int oldHeight = verticalScrollBar()->maximum() + viewport()->height();
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    const int before = Zoom();
    change(zoom_);
    if (Zoom() == before)
        return;
    // The part of the page in view stays in view: each position keeps its share.
    UpdateScrollRanges();
    const QSize paper = PaperPixels();
    horizontalScrollBar()->setValue(
        KeepScrollShare(h, oldWidth, ScrollRange(paper.width(), gutter_), viewport()->width()));
    verticalScrollBar()->setValue(
        KeepScrollShare(v, oldHeight, ScrollRange(paper.height(), gutter_), viewport()->height()));
    viewport()->update();
}

void TPvPreview::SetZoom(int zoom) {
    ChangeZoom([zoom](TPvZoomRules& rules) { rules.SetZoom(zoom); });
}

void TPvPreview::ZoomIn() {
    ChangeZoom([](TPvZoomRules& rules) { rules.ZoomIn(); });
}

void TPvPreview::ZoomOut() {
    ChangeZoom([](TPvZoomRules& rules) { rules.ZoomOut(); });
}

void TPvPreview::SetMinZoom(int minZoom) {
    ChangeZoom([minZoom](TPvZoomRules& rules) { rules.SetMinZoom(minZoom); });
}

void TPvPreview::SetMaxZoom(int maxZoom) {
    ChangeZoom([maxZoom](TPvZoomRules& rules) { rules.SetMaxZoom(maxZoom); });
}

void TPvPreview::BeginUpdate() {
    pages_.BeginUpdate();
    ++imageUpdates_;
}

void TPvPreview::EndUpdate() {
    pages_.EndUpdate();
    if (imageUpdates_ == 0)
        return;
    if (--imageUpdates_ == 0)
        PaperChanged();
}

bool TPvPreview::PrintPages(int from, int to) {
    ++imageUpdates_;
    const bool printed = pages_.PrintPages(from, to);
    --imageUpdates_;
    return printed;
}

QSize TPvPreview::PaperPixels() const {
    const TPvPage& page = pages_.Current();
    return QSize(ScreenPixels(page.Width, Zoom()), ScreenPixels(page.Height, Zoom()));
}

QRect TPvPreview::PaperRect() const {
    const QSize paper = PaperPixels();
    return QRect(
        PaperStart(viewport()->width(), gutter_, paper.width(), horizontalScrollBar()->value()),
        PaperStart(viewport()->height(), gutter_, paper.height(), verticalScrollBar()->value()),
        paper.width(), paper.height());
}

void TPvPreview::UpdateScrollRanges() {
    const QSize paper = PaperPixels();
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(
        0, std::max(0, ScrollRange(paper.width(), gutter_) - client.width()));
    verticalScrollBar()->setRange(
        0, std::max(0, ScrollRange(paper.height(), gutter_) - client.height()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
}

void TPvPreview::PaperChanged() {
    if (imageUpdates_ > 0)
        return;
    UpdateScrollRanges();
    viewport()->update();
}

void TPvPreview::PaintPaper(QPainter& painter, const QRect& paper) const {
    const TPvPage& page = pages_.Current();
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    painter.setClipRect(paper);

    painter.save();
    painter.translate(paper.topLeft());
    painter.scale(paper.width() / double(page.Width * kScreenReplayDpi),
                  paper.height() / double(page.Height * kScreenReplayDpi));
    const TPvDeviceResolution resolution{kScreenReplayDpi, kScreenReplayDpi};
    ReplayPage(painter, pages_, CurrentPage(), resolution, false);

    const TPvMargins& margins = pages_.Margins;
    const auto x = [&](TPvExtended inches) { return double(inches * kScreenReplayDpi); };
    const auto marginLines = [&](const TPvPen& pen, TPvExtended left, TPvExtended top,
                                 TPvExtended right, TPvExtended bottom) {
        painter.setPen(ToQPen(pen, kScreenReplayDpi));
        painter.drawLine(QPointF(x(left), 0), QPointF(x(left), x(page.Height)));
        painter.drawLine(QPointF(x(page.Width - right), 0),
                         QPointF(x(page.Width - right), x(page.Height)));
        painter.drawLine(QPointF(0, x(top)), QPointF(x(page.Width), x(top)));
        painter.drawLine(QPointF(0, x(page.Height - bottom)),
                         QPointF(x(page.Width), x(page.Height - bottom)));
    };
    if (margins.Visible)
        marginLines(margins.Pen, margins.Left.Inches(), margins.Top.Inches(),
                    margins.Right.Inches(), margins.Bottom.Inches());
    if (margins.ShowPrinterMargins) {
        const TPvExtended left = pages_.PrinterOffsetX(), top = pages_.PrinterOffsetY();
        marginLines(margins.PrinterMarginPen, left, top, left, top);
    }
    if (PageGrid.GridStyle != pvNoGrid && PageGrid.Spacing > 0) {
        painter.setPen(ToQPen(PageGrid.GridPen, kScreenReplayDpi));
        for (TPvExtended gx = PageGrid.Spacing; gx < page.Width; gx += PageGrid.Spacing) {
            if (PageGrid.GridStyle == pvLines)
                painter.drawLine(QPointF(x(gx), 0), QPointF(x(gx), x(page.Height)));
            else
                for (TPvExtended gy = PageGrid.Spacing; gy < page.Height; gy += PageGrid.Spacing)
                    painter.drawPoint(QPointF(x(gx), x(gy)));
        }
        if (PageGrid.GridStyle == pvLines)
            for (TPvExtended gy = PageGrid.Spacing; gy < page.Height; gy += PageGrid.Spacing)
                painter.drawLine(QPointF(0, x(gy)), QPointF(x(page.Width), x(gy)));
    }
    painter.restore();

    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    if (Shadow.Visible && Shadow.Width > 0) {
        const int w = Shadow.Width;
        const QColor color = ToQColor(Shadow.Color);
        // Along the right edge from `w` below the top, and along the bottom edge from `w`
        // right of the left to `w` beyond the right; both one pixel right and down.
        painter.fillRect(QRect(paper.right() + 2, paper.top() + w + 1, w, paper.height() - w),
                         color);
        painter.fillRect(QRect(paper.left() + w + 1, paper.bottom() + 2, paper.width(), w), color);
    }
    painter.restore();
}

void TPvPreview::paintEvent(QPaintEvent*) {
    if (imageUpdates_ > 0)
        return;
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), ToQColor(clSilver));
    PaintPaper(painter, PaperRect());
}

void TPvPreview::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void TPvPreview::scrollContentsBy(int, int) {
    viewport()->update();
}

QScrollBar* TPvPreview::PreferredScrollBar() const {
    if (verticalScrollBar()->maximum() > 0)
        return verticalScrollBar();
    if (horizontalScrollBar()->maximum() > 0)
        return horizontalScrollBar();
    return nullptr;
}

void TPvPreview::ScrollBy(QScrollBar* bar, int steps) {
    if (bar && bar->maximum() > 0)
        bar->setValue(bar->value() + steps * bar->singleStep());
}

void TPvPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            ScrollBy(PreferredScrollBar(), -10);
            break;
        case Qt::Key_PageDown:
            ScrollBy(PreferredScrollBar(), 10);
            break;
        case Qt::Key_Home:
            horizontalScrollBar()->setValue(0);
            verticalScrollBar()->setValue(0);
            break;
        case Qt::Key_End:
            horizontalScrollBar()->setValue(horizontalScrollBar()->maximum());
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
            break;
        case Qt::Key_Left:
            ScrollBy(horizontalScrollBar(), -1);
            break;
        case Qt::Key_Right:
            ScrollBy(horizontalScrollBar(), 1);
            break;
        case Qt::Key_Up:
            ScrollBy(verticalScrollBar(), -1);
            break;
        case Qt::Key_Down:
            ScrollBy(verticalScrollBar(), 1);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void TPvPreview::wheelEvent(QWheelEvent* event) {
    const int delta =
        event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    if (delta != 0)
        ScrollBy(PreferredScrollBar(), delta > 0 ? -1 : 1);
    event->accept();
}

void TPvPreview::mousePressEvent(QMouseEvent* event) {
    if (PaperRect().contains(event->position().toPoint()))
        setFocus(Qt::MouseFocusReason);
    QAbstractScrollArea::mousePressEvent(event);
}

void InstallMessageBoxReport() {
    SetPvReportHandler([](const std::string& message) {
        QString text = QString::fromStdString(message);
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox::information(nullptr, QApplication::applicationDisplayName(), text);
    });
}

}  // namespace print
