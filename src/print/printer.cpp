#include "print/printer.h"

#include "print/error_report.h"

namespace print {

template <class Field, class Value>
void TPvPrinter::Write(Field TPvPrinterSettings::*field, Value value) {
    if (PrinterAvailable())
        settings_.*field = value;
}

template <class Field>
Field TPvPrinter::Read(Field TPvPrinterSettings::*field) const {
    return PrinterAvailable() ? settings_.*field : TPvPrinterSettings{}.*field;
}

int TPvPrinter::PrintCopies() const {
    return Read(&TPvPrinterSettings::Copies);
}

void TPvPrinter::SetPrintCopies(int copies) {
    if (copies >= 1)
        Write(&TPvPrinterSettings::Copies, copies);
}

bool TPvPrinter::Collate() const {
    return Read(&TPvPrinterSettings::Collate);
}

void TPvPrinter::SetCollate(bool collate) {
    Write(&TPvPrinterSettings::Collate, collate);
}

TPvPrintQuality TPvPrinter::PrintQuality() const {
    return Read(&TPvPrinterSettings::Quality);
}

void TPvPrinter::SetPrintQuality(TPvPrintQuality quality) {
    Write(&TPvPrinterSettings::Quality, quality);
}

TPvPrintColor TPvPrinter::PrintColor() const {
    return Read(&TPvPrinterSettings::Color);
}

void TPvPrinter::SetPrintColor(TPvPrintColor color) {
    Write(&TPvPrinterSettings::Color, color);
}

TPvDuplex TPvPrinter::Duplex() const {
    return Read(&TPvPrinterSettings::Duplex);
}

void TPvPrinter::SetDuplex(TPvDuplex duplex) {
    Write(&TPvPrinterSettings::Duplex, duplex);
}

void TPvPrinter::SetDitherType(TPvDitherType dither) {
    Write(&TPvPrinterSettings::Dither, dither);
}

void TPvPrinter::SetPrintService(std::shared_ptr<TPvPrintService> service) {
    service_ = std::move(service);
    if (OnChangePrinter)
        OnChangePrinter();
}

bool TPvPrinter::PrinterAvailable() const {
    return service_ && service_->PrinterAvailable();
}

void TPvPrinter::SetPaper(const std::string& paperSize, TPvOrientation orientation,
                          TPvPagesPerSheet pagesPerSheet) {
    settings_.PaperSize = paperSize;
    settings_.Orientation = orientation;
    settings_.PagesPerSheet = pagesPerSheet;
}

bool TPvPrinter::BeginDoc() {
    if (job_)
        return false;  // one job at a time
    if (BeforePrint)
        BeforePrint();
    settings_.Title = Title;
    if (service_)
        job_ = service_->BeginJob(settings_);
    if (!job_) {
        PvReport("Unable to print... No Printer available.");
        if (OnAbortPrint)
            OnAbortPrint();
        return false;
    }
    sheets_ = 1;
    return true;
}

void TPvPrinter::NewSheet(TPvOrientation orientation) {
    if (!job_)
        return;
    settings_.Orientation = orientation;
    job_->NewSheet(orientation);
    ++sheets_;
}

bool TPvPrinter::EndDoc() {
    if (!job_)
        return false;
    const bool completed = job_->End();
    job_.reset();
    if (AfterPrint)
        AfterPrint();
    return completed;
}

}  // namespace print
