// Text pages: a text laid out below the header band, continued page by page, and the
// line formatting under it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "print/fake_measurer.h"
#include "print/page_list.h"
#include "print/report.h"
#include "print/rtf_preview.h"
#include "print/text_format.h"

namespace print {
namespace {

// With the fake engine a 10-point character is 500 reference dots (1/14.4 inch) wide and a
// line 1250 dots (0.1736 inch) high.
constexpr TPvExtended kCharWidth = 500.0L / kPvReferenceDpi;
constexpr TPvExtended kLineHeight = 1250.0L / kPvReferenceDpi;

class TextPages : public ::testing::Test {
  protected:
    TextPages() {
        pages.SetMeasurer(std::make_shared<testing::FakeMeasurer>());
        pages.Margins.SetMarginValues("720,720,720,720");
        text.TextFileFont = PvFont("Courier New", 10);
        text.SetPreview(&pages);
    }
    static std::vector<std::string> numberedLines(int count) {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
        return lines;
    }

    TPvPageList pages;
    TPvRtfPreview text;
    testing::FakeMeasurer measurer;
};

TEST_F(TextPages, FourLinesFitOnTheCurrentPageBelowTheHeaderBand) {
    const std::vector<std::string> lines = {"Сумма кредита          : 12000",
                                            "Процентная ставка      : 12  %",
                                            "Срок погашения         : 12  месяцев",
                                            "Дата получения кредита : 10.03.2004"};
    text.LoadTextLines(lines);
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.UpdateCount(), 0);
    const TPvPageRtfInfo& part = pages.Page(1).RtfInfo;
    ASSERT_TRUE(part.Present());
    // The header band of 12-point captions is 0.2083 inch: 300 twips below the 720 of the
    // top margin, then the 90-twip offset.
    EXPECT_EQ(text.TopReserve().Inches(), (720 + 300) / 1440.0L);
    EXPECT_EQ(part.Top, (720 + 300 + 90) / 1440.0L);
    EXPECT_EQ(part.Left, 0.5L);
    EXPECT_NEAR(double(part.Right), 210 / 25.4 - 0.5, 1e-12);
    EXPECT_NEAR(double(part.Bottom), 297 / 25.4 - (720 + 300) / 1440.0, 1e-12);
    EXPECT_EQ(part.FirstChar, 0);
    const TPvRichText& shared = pages.Resources.Texts()[part.TextIndex];
    EXPECT_EQ(part.LastChar, TextLength(shared.Text) - 1);
    EXPECT_EQ(shared.Font.Name, "Courier New");
    EXPECT_EQ(shared.Text, lines[0] + "\r" + lines[1] + "\r" + lines[2] + "\r" + lines[3] + "\r");
}

TEST_F(TextPages, ALongTextContinuesOnNewPagesFromTheSameReserves) {
    std::vector<int> progress;
    text.OnProgress = [&](TPvRtfPreview&, int percent) { progress.push_back(percent); };
    text.LoadTextLines(numberedLines(150));
    const TPvPageRtfInfo& first = pages.Page(1).RtfInfo;
    const int linesPerPage = int((first.Bottom - first.Top) / kLineHeight);
    ASSERT_EQ(pages.PageCount(), (150 + linesPerPage - 1) / linesPerPage);
    EXPECT_EQ(pages.CurrentPage(), pages.PageCount());
    int expectedFirst = 0;
    for (int n = 1; n <= pages.PageCount(); ++n) {
        const TPvPageRtfInfo& part = pages.Page(n).RtfInfo;
        EXPECT_EQ(part.Top, first.Top);
        EXPECT_EQ(part.Bottom, first.Bottom);
        EXPECT_EQ(part.TextIndex, first.TextIndex);
        EXPECT_EQ(part.FirstChar, expectedFirst);
        expectedFirst = part.LastChar + 1;
    }
    EXPECT_EQ(expectedFirst, TextLength(pages.Resources.Texts()[0].Text));
    EXPECT_EQ(int(progress.size()), pages.PageCount());
    EXPECT_EQ(progress.back(), 100);
}

TEST_F(TextPages, WithoutForcedPagesTheTextMovesOnThroughExistingPages) {
    pages.NewPage();
    pages.SetCurrentPage(1);
    text.ForceNewPages = false;
    int newPages = 0;
    text.OnNewPage = [&](TPvRtfPreview&, TPvValue&, TPvValue&) { ++newPages; };
    text.LoadTextLines(numberedLines(80));
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_TRUE(pages.Page(2).RtfInfo.Present());
    EXPECT_EQ(newPages, 1);

    text.ForceNewPages = true;
    pages.SetCurrentPage(1);
    text.LoadTextLines(numberedLines(80));
    EXPECT_EQ(pages.PageCount(), 3);
}

TEST_F(TextPages, UnwrappedLinesReachTenTimesAsFar) {
    text.WrapLines = false;
    text.LoadTextLines({std::string(200, 'x')});
    const TPvPageRtfInfo& part = pages.Page(1).RtfInfo;
    EXPECT_NEAR(double(part.Right), (210 / 25.4 - 0.5) * 10, 1e-9);
    EXPECT_FALSE(part.WordWrap);
    EXPECT_EQ(pages.PageCount(), 1);
}

TEST_F(TextPages, NoPreviewIsReported) {
    std::vector<std::string> reports;
    const TPvReportHandler previous =
        SetPvReportHandler([&](const std::string& message) { reports.push_back(message); });
    TPvRtfPreview unattached;
    unattached.LoadTextLines({"a"});
    SetPvReportHandler(previous);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              "TPvRtfPreview Error!\r\rThe \"Preview\" property must be set to a TPvPreview "
              "component");
}

TEST_F(TextPages, AFileIsReadWithItsLineEnds) {
    const std::string path = ::testing::TempDir() + "/text_pages.txt";
    {
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fputs("first\r\nsecond\r\n", file);
        std::fclose(file);
    }
    text.LoadTextFile(path);
    EXPECT_EQ(pages.Resources.Texts()[0].Text, "first\rsecond\r");
    std::remove(path.c_str());
    EXPECT_THROW(text.LoadTextFile(path), std::runtime_error);
}

struct FormatCase {
    const char* name;
    std::string text;
    int widthInChars;
    int heightInLines;
    std::vector<std::string> lines;
};

class TextFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(TextFormat, LinesBreakAsAnEditorBreaksThem) {
    const FormatCase& c = GetParam();
    testing::FakeMeasurer measurer;
    const TPvRichText text{c.text, PvFont("Courier New", 10)};
    const TPvFormattedRange range = FormatTextRange(
        measurer, text, 0, c.widthInChars * kCharWidth, c.heightInLines * kLineHeight);
    std::vector<std::string> lines;
    for (const TPvTextLine& line : range.Lines)
        lines.push_back(TextRange(c.text, line.First, line.Length));
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(range.Next, range.Lines.empty() ? 0
                                              : range.Lines.back().First +
                                                    range.Lines.back().Length);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFormat,
    ::testing::Values(
        FormatCase{"BreakBeforeTheWordThatOverflows", "aaa bbb ccc", 8, 5, {"aaa bbb ", "ccc"}},
        FormatCase{"LineEndsCloseLines", "a\rb\r", 10, 5, {"a\r", "b\r"}},
        FormatCase{"AWordWiderThanTheLineIsCut", "abcdefghij", 4, 5, {"abcd", "efgh", "ij"}},
        FormatCase{"OnlyWhatFitsInTheHeight", "a\rb\rc\r", 10, 2, {"a\r", "b\r"}},
        FormatCase{"OneLineEvenWhenNoneFits", "a\rb\r", 10, 0, {"a\r"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFormatPositions, CharactersCountAsAnEditorCountsThem) {
    // Cyrillic letters are one position each, a character beyond 16 bits two.
    EXPECT_EQ(TextLength("Срок"), 4);
    EXPECT_EQ(TextLength("a\xF0\x9F\x98\x80z"), 4);
    EXPECT_EQ(TextRange("a\xF0\x9F\x98\x80z", 3, 1), "z");
    testing::FakeMeasurer measurer;
    const TPvRichText text{"Срок\rДата\r", PvFont("Courier New", 10)};
    const TPvFormattedRange second = FormatTextRange(measurer, text, 5, 10, 10);
    ASSERT_EQ(second.Lines.size(), 1u);
    EXPECT_EQ(second.Lines[0].First, 5);
    EXPECT_EQ(second.Next, 10);
}

}  // namespace
}  // namespace print
