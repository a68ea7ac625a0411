#include "print/qt_print_service.h"

#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>

#include "print/page_list.h"
#include "print/replay.h"

namespace print {

namespace {

QPageSize ToQPageSize(const std::string& paperName) {
    const TPvPaperSize& paper = FindPaperSize(paperName);
    return QPageSize(QSizeF(double(paper.WidthMm), double(paper.HeightMm)), QPageSize::Millimeter,
                     QString(), QPageSize::FuzzyMatch);
}

QPageLayout::Orientation ToQOrientation(TPvOrientation orientation) {
    return orientation == pvLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

class QtPrintJob : public TPvPrintJob {
  public:
    explicit QtPrintJob(QPrinter& printer) : printer_(printer) {}

    bool Begin() { return painter_.begin(&printer_); }

    void PrintPage(const TPvPageList& pages, int pageNumber, bool clipToMargins) override {
        const TPvPage& page = pages.Page(pageNumber);
        const TPvDeviceResolution resolution{TPvExtended(printer_.logicalDpiX()),
                                             TPvExtended(printer_.logicalDpiY())};
        painter_.save();
        // Full-page mode puts the origin at the paper's corner; a printer that keeps it at
        // the printable area's corner has it moved back by the unprintable edges.
        const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
        painter_.translate(paper.topLeft());
        TPvExtended left = 0, top = 0, right = page.Width, bottom = page.Height;
        if (clipToMargins) {
            left = pages.Margins.Left.Inches();
            top = pages.Margins.Top.Inches();
            right -= pages.Margins.Right.Inches();
            bottom -= pages.Margins.Bottom.Inches();
        }
        painter_.setClipRect(QRectF(double(left * resolution.X), double(top * resolution.Y),
                                    double((right - left) * resolution.X),
                                    double((bottom - top) * resolution.Y)));
        ReplayPage(painter_, pages, pageNumber, resolution, true);
        painter_.restore();
    }

    void NewSheet(TPvOrientation orientation) override {
        printer_.setPageOrientation(ToQOrientation(orientation));
        printer_.newPage();
    }

    bool End() override {
        const bool ended = painter_.end();
        return ended && printer_.printerState() != QPrinter::Error;
    }

  private:
    QPrinter& printer_;
    QPainter painter_;
};

}  // namespace

int QualityResolution(TPvPrintQuality quality) {
    switch (quality) {
        case pvDraft:
            return 150;
        case pvLow:
            return 300;
        case pvMedium:
            return 600;
        case pvHigh:
            return 1200;
    }
    return 600;
}

void ApplySettings(QPrinter& printer, const TPvPrinterSettings& settings) {
    printer.setFullPage(true);
    printer.setCopyCount(settings.Copies);
    printer.setCollateCopies(settings.Collate);
    printer.setColorMode(settings.Color == pvColor ? QPrinter::Color : QPrinter::GrayScale);
    printer.setDuplex(settings.Duplex == pvSimplex      ? QPrinter::DuplexNone
                      : settings.Duplex == pvHorzDuplex ? QPrinter::DuplexShortSide
                                                        : QPrinter::DuplexLongSide);
    printer.setPageSize(ToQPageSize(settings.PaperSize));
    printer.setPageOrientation(ToQOrientation(settings.Orientation));
    printer.setResolution(QualityResolution(settings.Quality));
    printer.setDocName(QString::fromStdString(settings.Title));
}

TPvQtPrintService::TPvQtPrintService(std::shared_ptr<QPrinter> printer)
    : printer_(printer ? std::move(printer) : std::make_shared<QPrinter>()) {}

bool TPvQtPrintService::PrinterAvailable() const {
    if (printer_->outputFormat() == QPrinter::PdfFormat)
        return !printer_->outputFileName().isEmpty();
    return !QPrinterInfo::availablePrinters().isEmpty();
}

std::unique_ptr<TPvPrintJob> TPvQtPrintService::BeginJob(const TPvPrinterSettings& settings) {
    if (printer_->outputFormat() == QPrinter::NativeFormat && !printer_->isValid())
        return nullptr;
    ApplySettings(*printer_, settings);
    auto job = std::make_unique<QtPrintJob>(*printer_);
    if (!job->Begin())
        return nullptr;
    return job;
}

TPvExtended TPvQtPrintService::PrinterOffsetX() const {
    const QRectF paper = printer_->paperRect(QPrinter::Inch);
    return TPvExtended(printer_->pageLayout().paintRect(QPageLayout::Inch).left() - paper.left());
}

TPvExtended TPvQtPrintService::PrinterOffsetY() const {
    const QRectF paper = printer_->paperRect(QPrinter::Inch);
    return TPvExtended(printer_->pageLayout().paintRect(QPageLayout::Inch).top() - paper.top());
}

}  // namespace print
