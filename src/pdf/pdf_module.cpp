// The PDF writer that ssudomer-cli opens for --pdf: the pages of the print window, built
// from the state the command computed, written into a file. Qt runs on its offscreen
// platform, so no display is needed.

#include <QString>

#include <malloc.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "gui/payment_pages.h"
#include "pdf/pdf_module.h"
#include "pdf/qt_start.h"
#include "print/pdf_output.h"
#include "print/qt_text_measurer.h"
#include "storage/file_error.h"

namespace {

// The pages go into the file as they are laid out, so that a table of a million rows
// needs no more memory than one of a hundred.
bool writePdf(pdf::PdfRequest& request) {
    // What reading a long file left free goes back to the system before Qt takes its share.
    malloc_trim(0);
    pdf::StartQt(false);
    print::TPvPageList pages;
    pages.SetMeasurer(print::QtTextMeasurer());
    gui::PaymentPages printout(pages);
    try {
        print::StreamPdfFile(
            pages, [&] { printout.Build(*request.loanInformation, *request.table); }, request.path,
            QString::fromUtf8(gui::kPrintJobTitle));
    } catch (const storage::FileError& error) {
        request.error = error.what();
        return false;
    }
    return true;
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
