// PDF output: searchable text where the pages put it, and lines where they belong.
#include <gtest/gtest.h>

#include <filesystem>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "print/pdf_output.h"
#include "print/qt_text_measurer.h"
#include "render_support.h"
#include "sample_document.h"
#include "storage/file_error.h"

namespace print {
namespace {

struct Word {
    QString text;
    double xMin, yMin, xMax, yMax;  // points from the page's top-left corner
};

// Runs a poppler tool; skips the test when it is not installed.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<Word> WordsOfPage(const QString& pdf, int page) {
    const QString html = RunTool(
        "pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    return words;
}

const Word* Find(const std::vector<Word>& words, const QString& text) {
    for (const Word& w : words) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

class Pdf : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdftoppm").isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
        pages.SetMeasurer(QtTextMeasurer());
        testing::SetUpPaymentBands(pages);
        pages.TokenValues = [](int page, int count) { return TPvTokenValues{"", "", page, count}; };
        path = folder.filePath("pages.pdf");
    }

    TPvPageList pages;
    QTemporaryDir folder;
    QString path;
};

TEST_F(Pdf, TextIsSearchableAndStandsWhereThePageHasIt) {
    pages.Canvas.Font = PvFont("Arial", 8);
    pages.Canvas.Pen.Color = clPvNone;
    pages.Canvas.TextBox("Остаток кредита", taLeftJustify, pvInches, pvTop, 0, 1, 1.4L, 3, 0);
    pages.NewPage();
    ASSERT_NO_THROW(WritePdfFile(pages, path.toStdString(), "Платежи по кредиту"));

    const std::vector<Word> words = WordsOfPage(path, 1);
    const Word* cell = Find(words, "Остаток");
    ASSERT_NE(cell, nullptr);
    EXPECT_NEAR(cell->xMin, 72, 1.5);
    EXPECT_GT(cell->yMin, 1.4 * 72 - 0.5);
    EXPECT_LT(cell->yMax, 1.4 * 72 + 12);

    const TPvBandLayout header = pages.HeaderLayout(1);
    const Word* caption = Find(words, "Информация");
    ASSERT_NE(caption, nullptr);
    EXPECT_NEAR(caption->xMin, double(header.Captions[0].Left * 72), 1);
    const Word* footer = Find(words, "Ссудомер");
    ASSERT_NE(footer, nullptr);
    EXPECT_NEAR(footer->yMin, double(pages.FooterLayout(1).Top * 72), 2);
    ASSERT_NE(Find(WordsOfPage(path, 2), "2"), nullptr);  // "Страница 2 из 2"

    const QString info = RunTool("pdfinfo", {path});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages: +2\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("(A4)")) << info.toStdString();
    EXPECT_TRUE(info.contains("Платежи по кредиту")) << info.toStdString();
}

TEST_F(Pdf, LinesLandOnTheRightPixelsOfTheRasterisedPage) {
    pages.Canvas.Line(pvInches, 1, 1, 2, 1);
    ASSERT_NO_THROW(WritePdfFile(pages, path.toStdString(), "lines"));
    RunTool("pdftoppm", {"-r", "96", "-png", "-singlefile", path, folder.filePath("page")});
    const QImage image(folder.filePath("page.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(794, 1123));
    const QRect line = testing::InkBounds(image, QRect(80, 90, 130, 12));
    EXPECT_NEAR(line.left(), 96, 1);
    EXPECT_NEAR(line.right(), 191, 1);
    EXPECT_NEAR(line.top(), 96, 1);
    const int headerLine = int(InchesToDots(pages.HeaderLayout(1).LineY, 96));
    EXPECT_TRUE(testing::Ink(image, 400, headerLine) || testing::Ink(image, 400, headerLine - 1));
}

TEST_F(Pdf, PagesInTheOrderAskedAndUnwritableTargetsRefused) {
    for (int n = 1; n <= 3; ++n) {
        if (n > 1)
            pages.NewPage();
        pages.Canvas.TextBox("Лист" + std::to_string(n), taLeftJustify, pvInches, pvTop, 0, 1, 2, 3,
                             0);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(WritePdf(pages, file, "order", 3, 1));
    file.close();
    EXPECT_NE(Find(WordsOfPage(path, 1), "Лист3"), nullptr);
    EXPECT_NE(Find(WordsOfPage(path, 3), "Лист1"), nullptr);

    EXPECT_THROW(WritePdfFile(pages, folder.filePath("missing/pages.pdf").toStdString(), "x"),
                 storage::FileError);
    QBuffer readOnly;  // a device that cannot be written
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_FALSE(WritePdf(pages, readOnly, "x", 1, 3));
}

// A document written while it is laid out is the document written whole: the same words
// at the same places, "{NUMPAGES}" counted right, the same pixels.
TEST_F(Pdf, AStreamedDocumentIsTheDocumentWrittenWhole) {
    // The page numbers are put into the footer only once the pages are laid out.
    const auto layOut = [&] {
        pages.Clear();
        testing::BuildSampleDocument(pages, 5, 280, true);
        const std::string numbers = pages.Footer.CaptionLeft.Caption;
        pages.Footer.CaptionLeft.Caption.clear();
        pages.NewPage();
        pages.Footer.CaptionLeft.Caption = numbers;
    };
    layOut();
    ASSERT_NO_THROW(WritePdfFile(pages, path.toStdString(), "whole"));
    const QString streamed = folder.filePath("streamed.pdf");
    ASSERT_NO_THROW(StreamPdfFile(pages, layOut, streamed.toStdString(), "whole"));
    EXPECT_THROW(pages.Page(1), TPvError);  // released as it was written

    for (int page = 1; page <= 6; ++page) {
        const std::vector<Word> whole = WordsOfPage(path, page);
        const std::vector<Word> words = WordsOfPage(streamed, page);
        ASSERT_EQ(words.size(), whole.size()) << page;
        for (std::size_t w = 0; w < words.size(); ++w) {
            EXPECT_EQ(words[w].text, whole[w].text);
            EXPECT_EQ(words[w].xMin, whole[w].xMin);
            EXPECT_EQ(words[w].yMin, whole[w].yMin);
        }
        const QString image = QString("page%1").arg(page);
        for (const QString& pdf : {path, streamed}) {
            RunTool("pdftoppm",
                    {"-r", "50", "-png", "-singlefile", "-f", QString::number(page), "-l",
                     QString::number(page), pdf, folder.filePath(image + pdf.right(5))});
        }
        const QImage a(folder.filePath(image + path.right(5) + ".png"));
        const QImage b(folder.filePath(image + streamed.right(5) + ".png"));
        ASSERT_FALSE(a.isNull());
        EXPECT_EQ(a, b) << page;
    }
    ASSERT_NE(Find(WordsOfPage(streamed, 3), "3"), nullptr);  // "Страница 3 из 6"
    ASSERT_NE(Find(WordsOfPage(streamed, 3), "6"), nullptr);
}

TEST_F(Pdf, TheFileNameIsTakenAsTheBytesItIs) {
    const std::string name =
        "a\xff\xfe"
        "b.pdf";
    ASSERT_NO_THROW(
        WritePdfFile(pages, QFile::encodeName(folder.path()).toStdString() + "/" + name, "name"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path().toStdString()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{name});
    std::filesystem::remove(folder.path().toStdString() + "/" + name);  // Qt cannot name it
}

}  // namespace
}  // namespace print
