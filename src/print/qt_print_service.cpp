#include "print/qt_print_service.h"

#include <unistd.h>

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>

#include <utility>

#include "print/page_list.h"
#include "print/replay.h"
#include "print/error_report.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/temporary_file.h"

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

// A PDF file chosen in the print dialog is written as every file of the program is, through
// the guarded writer: the printer writes the writer's temporary file by its name under
// /proc, and the file is put in place when the job has ended. A target the writer refuses
// (a FIFO, a device, a file its user may not write) is reported then, and nothing under its
// name is touched; the job's bytes go to a scratch file meanwhile.
class GuardedPdfTarget {
  public:
    explicit GuardedPdfTarget(QPrinter& printer)
        : printer_(printer), chosen_(printer.outputFileName()) {
        int fd = -1;
        try {
            file_ =
                std::make_unique<storage::SafeFileStream>(QFile::encodeName(chosen_).toStdString());
            fd = file_->Descriptor();
        } catch (const storage::FileError& error) {
            refusal_ = error.what();
            scratch_ = storage::OpenSpoolFile();
            fd = scratch_;
        }
        printer_.setOutputFileName(QStringLiteral("/proc/self/fd/%1").arg(fd));
    }
    ~GuardedPdfTarget() {
        printer_.setOutputFileName(chosen_);
        if (scratch_ >= 0)
            close(scratch_);
    }
    GuardedPdfTarget(const GuardedPdfTarget&) = delete;
    GuardedPdfTarget& operator=(const GuardedPdfTarget&) = delete;

    // Puts the finished file in place; false, reported, when it cannot be.
    bool Commit() {
        try {
            if (!refusal_.empty())
                throw storage::FileError(refusal_);
            file_->Commit();
            return true;
        } catch (const storage::FileError& error) {
            PvReport(error.what());
            return false;
        }
    }

  private:
    QPrinter& printer_;
    QString chosen_;
    std::unique_ptr<storage::SafeFileStream> file_;
    std::string refusal_;
    int scratch_ = -1;
};

bool WritesPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

class QtPrintJob : public TPvPrintJob {
  public:
    QtPrintJob(QPrinter& printer, int copies) : printer_(printer), copies_(copies) {}

    bool Begin() {
        if (WritesPdfFile(printer_))
            target_ = std::make_unique<GuardedPdfTarget>(printer_);
        return painter_.begin(&printer_);
    }

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
        // A PDF file goes in place only when the whole document was written.
        return painter_.end() && printer_.printerState() != QPrinter::Error &&
               (!target_ || target_->Commit());
    }

    // A print server makes the copies (collated as asked); a PDF file holds one of each.
    int OwnCopies() const override { return printer_.supportsMultipleCopies() ? 1 : copies_; }

  private:
    QPrinter& printer_;
    int copies_;
    QPainter painter_;
    std::unique_ptr<GuardedPdfTarget> target_;
};

}  // namespace

QPrinter::DuplexMode ToQDuplex(TPvDuplex duplex) {
    switch (duplex) {
        case pvSimplex:
            return QPrinter::DuplexNone;
        case pvHorzDuplex:
            return QPrinter::DuplexShortSide;
        case pvVertDuplex:
            return QPrinter::DuplexLongSide;
    }
    return QPrinter::DuplexNone;
}

std::optional<TPvDuplex> FromQDuplex(QPrinter::DuplexMode mode) {
    switch (mode) {
        case QPrinter::DuplexNone:
            return pvSimplex;
        case QPrinter::DuplexShortSide:
            return pvHorzDuplex;
        case QPrinter::DuplexLongSide:
            return pvVertDuplex;
        case QPrinter::DuplexAuto:
            break;  // the device's own choice; the settings have no word for it
    }
    return std::nullopt;
}

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
    printer.setDuplex(ToQDuplex(settings.Duplex));
    printer.setPageSize(ToQPageSize(settings.PaperSize));
    printer.setPageOrientation(ToQOrientation(settings.Orientation));
    printer.setResolution(QualityResolution(settings.Quality));
    printer.setDocName(QString::fromStdString(settings.Title));
}

void TakePrinterChoices(const QPrinter& printer, TPvPrinter& settings) {
    settings.SetPrintCopies(printer.copyCount());
    settings.SetCollate(printer.collateCopies());
    settings.SetPrintColor(printer.colorMode() == QPrinter::GrayScale ? pvMonochrome : pvColor);
    if (const std::optional<TPvDuplex> duplex = FromQDuplex(printer.duplex()))
        settings.SetDuplex(*duplex);
}

TPvPageRange ChosenPages(const QPrinter& printer, int pageCount, int currentPage) {
    TPvPageRange range{1, pageCount};
    switch (printer.printRange()) {
        case QPrinter::PageRange:
            if (printer.fromPage() > 0)
                range = {printer.fromPage(), printer.toPage() > 0 ? printer.toPage() : pageCount};
            break;
        case QPrinter::CurrentPage:
            range = {currentPage, currentPage};
            break;
        case QPrinter::AllPages:
        case QPrinter::Selection:
            break;
    }
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::swap(range.From, range.To);
    return range;
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
    auto job = std::make_unique<QtPrintJob>(*printer_, settings.Copies);
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
