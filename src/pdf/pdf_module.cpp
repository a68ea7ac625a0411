// The PDF writer that ssudomer-cli opens for --pdf: the pages of the print window, built
// from the state the command computed, written into a file. Qt runs on its offscreen
// platform, so no display is needed.

#include <malloc.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "printouts/payment_pages.h"
#include "pdf/pdf_module.h"
#include "pdf/qt_start.h"
#include "pdf/stream_printout.h"

namespace {

bool writePdf(pdf::PdfRequest& request) {
    // What reading a long file left free goes back to the system before Qt takes its share.
    malloc_trim(0);
    pdf::StartQt(false);
    return pdf::StreamPrintout<gui::PaymentPages>(
        request.path, gui::kPrintJobTitle, request.error, [&](gui::PaymentPages& printout) {
            printout.Build(*request.loanInformation, *request.table);
        });
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool ssudomer_write_pdf(
    pdf::PdfRequest* request) {
    if (!request || request->version != pdf::kRequestVersion) {
        if (request)
            request->error = "модуль PDF не от этой версии программы";
        return false;
    }
    if (!request->loanInformation || !request->table) {
        request->error = "нечего печатать";
        return false;
    }
    try {
        return writePdf(*request);
    } catch (const std::exception& error) {
        request->error = error.what();
        return false;
    }
}
