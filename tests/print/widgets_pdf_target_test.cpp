// A PDF file chosen in the print dialog is written through the guarded writer, as every
// file of the program: special files refused and left alone, links and inodes kept.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "print/page_list.h"
#include "print/qt_print_service.h"
#include "print/qt_text_measurer.h"
#include "print/error_report.h"

namespace print {
namespace {

class PdfTarget : public ::testing::Test {
  protected:
    PdfTarget() {
        pages.SetMeasurer(QtTextMeasurer());
        pages.Canvas.TextBox("Лист", taLeftJustify, pvInches, pvTop, 0, 1, 2, 3, 0);
        previous = SetPvReportHandler([this](const std::string& m) { reports.push_back(m); });
    }
    ~PdfTarget() override { SetPvReportHandler(previous); }

    // Prints the page into `name` as the print dialog's "print to file" does.
    bool printInto(const QString& name) {
        printer = std::make_shared<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(name);
        pages.Printer.SetPrintService(std::make_shared<TPvQtPrintService>(printer));
        return pages.PrintPages(1, 1);
    }
    std::string at(const char* name) {
        return QFile::encodeName(folder.filePath(name)).toStdString();
    }

    TPvPageList pages;
    QTemporaryDir folder;
    std::shared_ptr<QPrinter> printer;
    std::vector<std::string> reports;
    TPvReportHandler previous;
};

TEST_F(PdfTarget, AFifoAndAReadOnlyFileAreRefusedAndLeftAlone) {
    ASSERT_EQ(mkfifo(at("pipe.pdf").c_str(), 0600), 0);
    // A reader, so that a writer opening the pipe would not wait for one.
    const int reader = open(at("pipe.pdf").c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_FALSE(printInto(folder.filePath("pipe.pdf")));
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0) << "the pipe was written to";
    close(reader);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Файл \"pipe.pdf\" не записан: это именованный канал"),
              std::string::npos)
        << reports[0];
    struct stat status {};
    ASSERT_EQ(lstat(at("pipe.pdf").c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    EXPECT_EQ(printer->outputFileName(), folder.filePath("pipe.pdf"));

    QFile old(folder.filePath("read-only.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    chmod(at("read-only.pdf").c_str(), 0444);
    EXPECT_FALSE(printInto(folder.filePath("read-only.pdf")));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[1].find("не записан; прежнее содержимое файла не изменено."),
              std::string::npos)
        << reports[1];
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST_F(PdfTarget, AHardLinkedFileKeepsItsInodeAndGetsTheWholeDocument) {
    QFile old(folder.filePath("a.pdf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    ASSERT_EQ(link(at("a.pdf").c_str(), at("b.pdf").c_str()), 0);
    struct stat before {
    }, after{};
    stat(at("a.pdf").c_str(), &before);

    ASSERT_TRUE(printInto(folder.filePath("a.pdf")));
    EXPECT_TRUE(reports.empty());
    stat(at("a.pdf").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    QFile other(folder.filePath("b.pdf"));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    const QByteArray bytes = other.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"a.pdf", "b.pdf"}));
}

}  // namespace
}  // namespace print
