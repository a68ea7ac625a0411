// Printing through QPrinter: a PDF target works on any machine, and a missing printer is
// reported, not printed to.
#include <gtest/gtest.h>

#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "print/page_list.h"
#include "print/qt_print_service.h"
#include "print/qt_text_measurer.h"
#include "print/error_report.h"

namespace print {
namespace {

QString PageText(const QString& pdf, int page) {
    QProcess process;
    process.start("pdftotext",
                  {"-f", QString::number(page), "-l", QString::number(page), "-layout", pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class QtPrinting : public ::testing::Test {
  protected:
    QtPrinting() {
        pages.SetMeasurer(QtTextMeasurer());
        for (int n = 1; n <= 3; ++n) {
            if (n > 1)
                pages.NewPage();
            pages.Canvas.TextBox("Лист" + std::to_string(n), taLeftJustify, pvInches, pvTop, 0, 1,
                                 2, 3, 0);
        }
        previous = SetPvReportHandler([this](const std::string& m) { reports.push_back(m); });
    }
    ~QtPrinting() override { SetPvReportHandler(previous); }

    std::shared_ptr<QPrinter> PdfPrinter() {
        auto printer = std::make_shared<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    }

    TPvPageList pages;
    QTemporaryDir folder;
    QString path = folder.filePath("printed.pdf");
    std::vector<std::string> reports;
    TPvReportHandler previous;
};

TEST_F(QtPrinting, PagesThreeToOneIntoAPdfPrinter) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    auto service = std::make_shared<TPvQtPrintService>(PdfPrinter());
    pages.Printer.SetPrintService(service);
    pages.Printer.Title = "Платежи по кредиту";
    pages.Printer.SetPrintQuality(pvHigh);
    pages.Canvas.Line(pvInches, 1, 1, 2, 1);  // on page 3

    ASSERT_TRUE(pages.PrintPages(3, 1));
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(PageText(path, 1).contains("Лист3"));
    EXPECT_TRUE(PageText(path, 2).contains("Лист2"));
    EXPECT_TRUE(PageText(path, 3).contains("Лист1"));
    EXPECT_EQ(service->Printer().resolution(), 1200);
    EXPECT_EQ(service->Printer().docName(), "Платежи по кредиту");
    EXPECT_TRUE(service->Printer().fullPage());

    // The line an inch from the corner prints an inch from the paper's edge.
    QProcess::execute("pdftoppm", {"-r", "96", "-png", "-singlefile", "-f", "1", "-l", "1", path,
                                   folder.filePath("sheet")});
    const QImage sheet(folder.filePath("sheet.png"));
    ASSERT_FALSE(sheet.isNull());
    EXPECT_LT(qGray(sheet.pixel(100, 96)), 128);
    EXPECT_LT(qGray(sheet.pixel(190, 96)), 128);
    EXPECT_GT(qGray(sheet.pixel(94, 96)), 128);
}

TEST_F(QtPrinting, SettingsReachThePrinterAndCopiesNeedOne) {
    auto service = std::make_shared<TPvQtPrintService>(PdfPrinter());
    pages.Printer.SetPrintService(service);
    pages.Printer.SetPrintCopies(3);
    pages.Printer.SetCollate(true);
    pages.Printer.SetPrintColor(pvMonochrome);
    EXPECT_EQ(pages.Printer.PrintCopies(), 3);

    QPrinter target;
    ApplySettings(target, pages.Printer.Settings());
    EXPECT_EQ(target.copyCount(), 3);
    EXPECT_TRUE(target.collateCopies());
    EXPECT_EQ(target.colorMode(), QPrinter::GrayScale);
    EXPECT_EQ(target.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(target.resolution(), 600);  // medium quality

    if (!QPrinterInfo::availablePrinters().isEmpty())
        return;  // the rest needs a machine without printers
    TPvPageList unprinted;
    unprinted.Printer.SetPrintService(std::make_shared<TPvQtPrintService>());
    unprinted.Printer.SetPrintCopies(3);
    EXPECT_EQ(unprinted.Printer.PrintCopies(), 1);
}

TEST_F(QtPrinting, ThePagesAndChoicesOfAPrintDialogAreTakenOver) {
    QPrinter printer;
    printer.setPrintRange(QPrinter::AllPages);
    EXPECT_EQ(ChosenPages(printer, 5, 3).From, 1);
    EXPECT_EQ(ChosenPages(printer, 5, 3).To, 5);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    EXPECT_EQ(ChosenPages(printer, 5, 3).From, 2);
    EXPECT_EQ(ChosenPages(printer, 5, 3).To, 2);
    printer.setFromTo(4, 0);  // an open end runs to the last page
    EXPECT_EQ(ChosenPages(printer, 5, 3).To, 5);
    printer.setPrintRange(QPrinter::CurrentPage);
    EXPECT_EQ(ChosenPages(printer, 5, 3).From, 3);
    EXPECT_EQ(ChosenPages(printer, 5, 3).To, 3);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 4);
    printer.setPageOrder(QPrinter::LastPageFirst);  // "reverse order"
    EXPECT_EQ(ChosenPages(printer, 5, 3).From, 4);
    EXPECT_EQ(ChosenPages(printer, 5, 3).To, 2);

    // The choices survive the job's settings being handed to the printer.
    pages.Printer.SetPrintService(std::make_shared<TPvQtPrintService>(PdfPrinter()));
    printer.setCopyCount(4);
    printer.setCollateCopies(true);
    printer.setColorMode(QPrinter::GrayScale);
    TakePrinterChoices(printer, pages.Printer);
    ApplySettings(printer, pages.Printer.Settings());
    EXPECT_EQ(printer.copyCount(), 4);
    EXPECT_TRUE(printer.collateCopies());
    EXPECT_EQ(printer.colorMode(), QPrinter::GrayScale);
    printer.setColorMode(QPrinter::Color);
    TakePrinterChoices(printer, pages.Printer);
    EXPECT_EQ(pages.Printer.PrintColor(), pvColor);

    // Duplex (which only a real printer takes) goes back as it was chosen; the printer's
    // automatic choice leaves the settings as they are.
    for (QPrinter::DuplexMode mode :
         {QPrinter::DuplexNone, QPrinter::DuplexLongSide, QPrinter::DuplexShortSide}) {
        ASSERT_TRUE(FromQDuplex(mode).has_value());
        EXPECT_EQ(ToQDuplex(*FromQDuplex(mode)), mode);
    }
    EXPECT_EQ(FromQDuplex(QPrinter::DuplexLongSide), pvVertDuplex);
    EXPECT_FALSE(FromQDuplex(QPrinter::DuplexAuto).has_value());
}

TEST_F(QtPrinting, APdfFileGetsEveryCopyInTheOrderAsked) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    pages.Printer.SetPrintService(std::make_shared<TPvQtPrintService>(PdfPrinter()));
    pages.Printer.SetPrintCopies(2);
    pages.Printer.SetCollate(false);
    ASSERT_TRUE(pages.PrintPages(1, 2));
    QStringList printed;
    for (int n = 1; n <= 5; ++n) printed << PageText(path, n).trimmed();
    EXPECT_EQ(printed, (QStringList{"Лист1", "Лист1", "Лист2", "Лист2", ""}));

    pages.Printer.SetCollate(true);
    ASSERT_TRUE(pages.PrintPages(1, 2));
    printed.clear();
    for (int n = 1; n <= 5; ++n) printed << PageText(path, n).trimmed();
    EXPECT_EQ(printed, (QStringList{"Лист1", "Лист2", "Лист1", "Лист2", ""}));
}

TEST_F(QtPrinting, NoPrinterSaysSoAndPrintsNothing) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer; nothing is sent to it";
    pages.Printer.SetPrintService(std::make_shared<TPvQtPrintService>());
    EXPECT_FALSE(pages.PrintPages(1, 3));
    EXPECT_EQ(reports, std::vector<std::string>{"Unable to print... No Printer available."});
    EXPECT_EQ(pages.UpdateCount(), 0);
}

}  // namespace
}  // namespace print
