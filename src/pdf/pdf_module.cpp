// The PDF writer that ssudomer-cli opens for --pdf: the pages of the print window, built
// from the state the command computed, written into a file. Qt runs on its offscreen
// platform, so no display is needed.

#include <QGuiApplication>
#include <QString>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "gui/payment_pages.h"
#include "pdf/pdf_module.h"
#include "print/pdf_output.h"
#include "print/qt_text_measurer.h"
#include "storage/file_error.h"

namespace {

// Qt's notes about its environment (no runtime folder, and the like) would mix with the
// command's own messages on standard error; only its errors are let through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "ssudomer-cli: %s\n", message.toLocal8Bit().constData());
}

// Qt's application object for the text engine, made once on the offscreen platform.
void startQt() {
    if (QCoreApplication::instance())
        return;
    qInstallMessageHandler(quietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ssudomer-cli";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: the module is never unloaded.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

// The pages go into the file as they are laid out, so that a table of a million rows
// needs no more memory than one of a hundred.
bool writePdf(pdf::PdfRequest& request) {
    // What reading a long file left free goes back to the system before Qt takes its share.
    malloc_trim(0);
    startQt();
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
            request->error = "the PDF writer does not match this program";
        return false;
    }
    if (!request->loanInformation || !request->table) {
        request->error = "nothing to print";
        return false;
    }
    try {
        return writePdf(*request);
    } catch (const std::exception& error) {
        request->error = error.what();
        return false;
    }
}
