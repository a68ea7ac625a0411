// Text pages: a text laid out below the header band and continued page by page, with
// Qt's font engine as the replay uses it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "print/page_list.h"
#include "print/qt_text_measurer.h"
#include "print/error_report.h"
#include "print/rich_text.h"
#include "print/text_pages.h"

namespace print {
namespace {

class TextPages : public ::testing::Test {
  protected:
    TextPages() {
        pages.SetMeasurer(QtTextMeasurer());
        pages.Margins.SetMarginValues("720,720,720,720");
        text.TextFileFont = PvFont("Courier New", 10);
        text.SetPreview(&pages);
    }
    static std::vector<std::string> numberedLines(int count) {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
        return lines;
    }
    long twips(TPvExtended inches) { return TPvValue(inches).Twips(); }

    TPvPageList pages;
    TPvRtfPreview text;
};

TEST_F(TextPages, FourLinesFitOnTheCurrentPageBelowTheHeaderBand) {
    const std::vector<std::string> lines = {
        "Сумма кредита          : 12000", "Процентная ставка      : 12 %",
        "Срок погашения         : 12 месяцев", "Дата получения кредита : 10.03.2004"};
    text.LoadTextLines(lines);
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.UpdateCount(), 0);
    const TPvPageRtfInfo& part = pages.Page(1).RtfInfo;
    ASSERT_TRUE(part.Present());
    // Whole twips: the top margin and the header band, then the 90-twip offset.
    const long band = twips(pages.Header.BandHeight(pages.Measurer()));
    EXPECT_GT(band, 0);
    EXPECT_EQ(text.TopReserve().Inches(), (720 + band) / 1440.0L);
    EXPECT_EQ(part.Top, (720 + band + 90) / 1440.0L);
    EXPECT_EQ(part.Left, 0.5L);
    EXPECT_NEAR(double(part.Right), 210 / 25.4 - 0.5, 1e-12);
    const long footer = twips(pages.Footer.BandHeight(pages.Measurer()));
    EXPECT_NEAR(double(part.Bottom), 297 / 25.4 - (720 + footer) / 1440.0, 1e-12);

    const TPvRichText& shared = pages.Resources.Texts()[part.TextIndex];
    EXPECT_EQ(shared.Font.Name, "Courier New");
    EXPECT_EQ(shared.Text, lines[0] + "\r" + lines[1] + "\r" + lines[2] + "\r" + lines[3] + "\r");
    EXPECT_EQ(part.FirstChar, 0);
    EXPECT_EQ(part.LastChar, RichTextLength(shared) - 1);
    // The four lines keep to themselves: no line wraps.
    EXPECT_EQ(
        LayoutRichText(shared, part.Right - part.Left, part.Bottom - part.Top, true, 0).size(), 4u);
}

TEST_F(TextPages, ALongTextContinuesOnNewPagesFromTheSameReserves) {
    std::vector<int> progress;
    text.OnProgress = [&](TPvRtfPreview&, int percent) { progress.push_back(percent); };
    text.LoadTextLines(numberedLines(150));
    ASSERT_GE(pages.PageCount(), 3);
    EXPECT_EQ(pages.CurrentPage(), pages.PageCount());
    const TPvPageRtfInfo& first = pages.Page(1).RtfInfo;
    int expectedFirst = 0;
    for (int n = 1; n <= pages.PageCount(); ++n) {
        SCOPED_TRACE(n);
        const TPvPageRtfInfo& part = pages.Page(n).RtfInfo;
        EXPECT_EQ(part.Top, first.Top);
        EXPECT_EQ(part.Bottom, first.Bottom);
        EXPECT_EQ(part.TextIndex, first.TextIndex);
        EXPECT_EQ(part.FirstChar, expectedFirst);
        // A page ends on a whole line: its last character closes one.
        EXPECT_EQ(pages.Resources.Texts()[0].Text.at(part.LastChar), '\r');
        expectedFirst = part.LastChar + 1;
    }
    EXPECT_EQ(expectedFirst, RichTextLength(pages.Resources.Texts()[0]));
    EXPECT_EQ(pages.Resources.Texts().Count(), 1);
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
    text.LoadTextLines({std::string(300, 'x')});
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

}  // namespace
}  // namespace print
