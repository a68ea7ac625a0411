#pragma once

// Print jobs on a QPrinter: a printer of the system or a PDF file chosen in the print
// dialog. The settings of the page list's TPvPrinter are handed to the QPrinter when a job
// starts; the pages are replayed at the printer's resolution, mapped so that a point an
// inch from the paper's edge prints an inch from it.

#include <QPrinter>

#include <memory>
#include <optional>

#include "print/printer.h"

namespace print {

class TPvQtPrintService : public TPvPrintService {
  public:
    // Prints on `printer` (kept by the caller, who may configure it in a print dialog),
    // or on the system's default printer when none is given.
    explicit TPvQtPrintService(std::shared_ptr<QPrinter> printer = nullptr);

    QPrinter& Printer() { return *printer_; }

    // A PDF target always is; a system printer when the system lists any.
    bool PrinterAvailable() const override;
    std::unique_ptr<TPvPrintJob> BeginJob(const TPvPrinterSettings& settings) override;
    TPvExtended PrinterOffsetX() const override;
    TPvExtended PrinterOffsetY() const override;

  private:
    std::shared_ptr<QPrinter> printer_;
};

// Duplex in the printer's terms and back (the long side is vertical, the short side
// horizontal); the printer's automatic duplex has no counterpart.
QPrinter::DuplexMode ToQDuplex(TPvDuplex duplex);
std::optional<TPvDuplex> FromQDuplex(QPrinter::DuplexMode mode);

// The QPrinter's resolution for a print quality.
int QualityResolution(TPvPrintQuality quality);

// Hands the settings to a QPrinter: copies, collate, colour mode, duplex, paper size,
// orientation, resolution and the job title.
void ApplySettings(QPrinter& printer, const TPvPrinterSettings& settings);

// Takes over what a print dialog chose on `printer` that a job would otherwise set back
// from the settings: copies, collation, colour mode and duplex.
void TakePrinterChoices(const QPrinter& printer, TPvPrinter& settings);

struct TPvPageRange {
    int From;
    int To;
};

// The pages a print dialog asked for on `printer`: every page, a range (an open end runs
// to the last page) or the page shown; from the last to the first when it asked for the
// last page first.
TPvPageRange ChosenPages(const QPrinter& printer, int pageCount, int currentPage);

}  // namespace print
