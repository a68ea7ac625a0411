// Writes PNG photographs of the print window over a 120-month schedule into a folder:
//   print_page1_zoom30.png, print_page1_zoom100.png   page 1 (the loan lines, the table)
//   print_page3_zoom30.png, print_page3_zoom100.png   a continuation page
// Then, through the print window's own print path ("Печать" with the dialog answered):
//   print_screenshots FOLDER --printer QUEUE   prints every page on a system print queue
//   print_screenshots FOLDER FILE.pdf          prints every page into a PDF file

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

#include "gui/main_window.h"
#include "gui/print_window.h"
#include "photo_support.h"
#include "print/preview.h"

namespace {

using gui_photos::save;
using gui_photos::type;

// The page at a zoom, scrolled to its top left (where the header and the table begin).
bool photograph(gui::TForm2& printWindow, int page, int zoom, const QDir& folder,
                const char* name) {
    print::TPvPreview& preview = *printWindow.PvPreview1;
    preview.SetCurrentPage(page);
    preview.SetZoom(zoom);
    preview.horizontalScrollBar()->setValue(0);
    preview.verticalScrollBar()->setValue(0);
    return save(printWindow, folder, name);
}

}  // namespace

int main(int argc, char* argv[]) {
    gui_photos::PreferOffscreen();
    QApplication application(argc, argv);
    const QDir folder = gui_photos::OutputFolder(argc, argv);

    gui_photos::PhotographedWindow photographed;
    gui::MainWindow& window = photographed.window;
    type(window, "SpinEdit2", "12");
    gui_photos::calculate(window, "120000", "120");

    gui::TForm2 printWindow(window.form(), &window);
    printWindow.show();
    bool ok = photograph(printWindow, 1, 30, folder, "print_page1_zoom30.png");
    ok = photograph(printWindow, 1, 100, folder, "print_page1_zoom100.png") && ok;
    ok = photograph(printWindow, 3, 30, folder, "print_page3_zoom30.png") && ok;
    ok = photograph(printWindow, 3, 100, folder, "print_page3_zoom100.png") && ok;

    if (argc > 2) {
        const bool toQueue = QString::fromLocal8Bit(argv[2]) == "--printer" && argc > 3;
        const QString target = QString::fromLocal8Bit(toQueue ? argv[3] : argv[2]);
        printWindow.PrintDialog1 = [&](QPrinter& printer, QWidget*) {
            if (toQueue) {
                printer.setPrinterName(target);
            } else {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(target);
            }
            return true;
        };
        printWindow.Button1Click();
        std::printf("printed on %s\n", qPrintable(target));
    }
    return ok ? 0 : 1;
}
