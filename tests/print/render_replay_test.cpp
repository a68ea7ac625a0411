// Text measured with the real fonts, and pages replayed into images: where the ink falls.
#include <gtest/gtest.h>

#include <QFontInfo>

#include <cmath>

#include "print/qt_text_measurer.h"
#include "print/replay.h"
#include "print/rich_text.h"
#include "render_support.h"
#include "sample_document.h"

namespace print {
namespace {

using testing::Ink;
using testing::InkBounds;
using testing::RenderPage;

class Replay : public ::testing::Test {
  protected:
    Replay() { pages.SetMeasurer(QtTextMeasurer()); }
    TPvPageList pages;
};

TEST(QtMeasurer, TheOfficeFontsResolveToTheirMetricTwins) {
    const struct {
        const char* name;
        const char* face;
    } faces[] = {{"Arial", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"},
                 {"Courier New", "Liberation Mono"}};
    for (const auto& f : faces)
        EXPECT_EQ(QFontInfo(ToQFont(PvFont(f.name, 10), 600)).family(), f.face);
}

TEST(QtMeasurer, SizesAreMeasuredOnceAndScaled) {
    TPvQtTextMeasurer measurer;
    const TPvFont arial = PvFont("Arial", 12);
    const TPvExtended reference = measurer.TextWidth(arial, "Ссудомер 2.0", kPvReferenceDpi);
    EXPECT_GT(reference, 5000);
    EXPECT_EQ(measurer.TextWidth(arial, "Ссудомер 2.0", 600), reference / 12);
    EXPECT_EQ(measurer.LineHeight(arial, 96) * 75, measurer.LineHeight(arial, 7200));
    // Liberation Sans: ascent 0.905 em and descent 0.212 em; 12 points are 1200 dots.
    EXPECT_NEAR(double(measurer.LineHeight(arial, kPvReferenceDpi)), 1340.4, 2);
    const std::vector<TPvExtended> advances =
        measurer.CharAdvances(PvFont("Courier New", 10), "аб c", 7200);
    ASSERT_EQ(advances.size(), 4u);  // one per character, not per byte
    for (TPvExtended advance : advances)
        EXPECT_NEAR(double(advance), 600, 0.5);  // monospaced: 0.6 em
}

TEST_F(Replay, BandHeightsForTheFontsOfThePrintedPages) {
    // Header and footer: the largest caption font is Arial 12 pt, at 600 dpi 111.7 dots.
    pages.Footer.CaptionRight.Font.Size = 10;
    EXPECT_EQ(pages.Header.BandHeight(pages.Measurer()), 112.0L / 600);
    EXPECT_EQ(pages.Footer.BandHeight(pages.Measurer()), 112.0L / 600);
}

TEST_F(Replay, AnInchLongLineAnInchFromTheCornerAt96And600Dpi) {
    pages.Canvas.Line(pvInches, 1, 1, 2, 1);
    const QImage screen = RenderPage(pages, 1, 96);
    EXPECT_EQ(InkBounds(screen), QRect(96, 96, 96, 1));

    const QImage print = RenderPage(pages, 1, 600);
    // A pen of width 1 is 2 dots wide at 600 dpi (600 / 288 = 2.08); flat ends.
    const QRect bounds = InkBounds(print, QRect(500, 500, 800, 200));
    EXPECT_EQ(bounds.left(), 600);
    EXPECT_EQ(bounds.right(), 1199);
    EXPECT_EQ(bounds.height(), 2);
    EXPECT_NEAR(bounds.center().y(), 600, 1);
}

TEST_F(Replay, PenWidthsAndClearPensAndBrushes) {
    pages.Canvas.Pen.Width = 8;  // 2 points
    pages.Canvas.Line(pvInches, 1, 1, 2, 1);
    pages.Canvas.Pen.Color = clPvNone;
    pages.Canvas.Line(pvInches, 1, 2, 2, 2);
    pages.Canvas.Brush.Color = clBlack;
    pages.Canvas.Rectangle(pvInches, 3, 3, 4, 4);
    pages.Canvas.Brush.Color = clPvNone;
    pages.Canvas.Rectangle(pvInches, 5, 5, 6, 6);
    const QImage image = RenderPage(pages, 1, 600);
    EXPECT_NEAR(InkBounds(image, QRect(500, 500, 800, 200)).height(), 17, 1);  // 16.7 dots
    EXPECT_TRUE(InkBounds(image, QRect(500, 1100, 800, 200)).isEmpty());
    EXPECT_EQ(InkBounds(image, QRect(1700, 1700, 800, 800)), QRect(1800, 1800, 600, 600));
    EXPECT_TRUE(InkBounds(image, QRect(2900, 2900, 800, 800)).isEmpty());
}

TEST_F(Replay, TextBoxesAlignAndClipTheirText) {
    pages.Canvas.Font = PvFont("Arial", 12);
    pages.Canvas.Pen.Color = clPvNone;
    pages.Canvas.Brush.Color = clPvNone;
    pages.Canvas.TextBox("Справа", taRightJustify, pvInches, pvTop, 0, 1, 1, 4, 0);
    TPvTextBoxObject& middle =
        pages.Canvas.TextBox("Середина", taCenter, pvInches, pvMiddle, 0, 1, 2, 4, 3);
    // A long word in a narrow box is broken at the box's edge.
    pages.Canvas.TextBox("Оченьдлинноеслово", taLeftJustify, pvInches, pvTop, 0, 1, 4, 1.5L, 4.5L);
    const QImage image = RenderPage(pages, 1, 600);

    const QRect right = InkBounds(image, QRect(600, 550, 1900, 300));
    EXPECT_NEAR(right.right(), 2399, 12);
    EXPECT_GE(right.top(), 600);

    const QRect centred = InkBounds(image, QRect(600, 1200, 1800, 600));
    EXPECT_NEAR(centred.center().x(), 1500, 12);
    const int textTop = 1200 + (600 - int(InchesToDots(middle.TextHeight, 600))) / 2;
    EXPECT_GE(centred.top(), textTop);
    EXPECT_LE(centred.bottom(), textTop + InchesToDots(middle.TextHeight, 600));

    // The long word goes on in a second line instead of past the box's edge.
    const QRect broken = InkBounds(image, QRect(500, 2350, 1000, 500));
    EXPECT_GE(broken.left(), 600);
    EXPECT_LE(broken.right(), 899);
    EXPECT_GT(broken.height(), 150);
    EXPECT_LE(broken.bottom(), 2699);
}

TEST_F(Replay, AWordWiderThanItsBoxIsDrawnInTheLinesMeasuredAndStaysInTheBox) {
    pages.Canvas.Font = PvFont("Courier New", 10);
    pages.Canvas.Pen.Color = clPvNone;
    pages.Canvas.Brush.Color = clPvNone;
    const std::string text = "ab Оченьдлинноесловобезединогопробела cd";
    // Measured: the box grows to the text's height.
    const TPvTextBoxObject& measured =
        pages.Canvas.TextBox(text, taLeftJustify, pvInches, pvTop, 0, 1, 1, 2.05L, 0);
    // Drawn into a box far taller than its text, at the right edge of the paper.
    pages.Canvas.TextBox(text, taRightJustify, pvInches, pvTop, 0, 7.2L, 1, 8.25L, 9);
    const QImage image = RenderPage(pages, 1, 600);

    const TPvExtended line = pages.Measurer().LineHeight(PvFont("Courier New", 10), 600);
    const int lines = int(std::lround(double(measured.TextHeight * 600 / line)));
    // 12 characters a line: "ab ", the word in pieces of 12, 12 and 10 (with its blank), "cd".
    EXPECT_EQ(lines, 5);
    const QRect tall = InkBounds(image, QRect(4300, 500, 661, 4000));
    EXPECT_GE(tall.left(), 4320);
    EXPECT_LT(tall.right(), 4950);
    EXPECT_LE(tall.bottom(), 600 + InchesToDots(measured.TextHeight, 600));
    // Each measured line holds ink: nothing is drawn past the lines the height counts.
    for (int n = 0; n < lines; ++n)
        EXPECT_FALSE(InkBounds(image, QRect(4320, 600 + int(n * line), 630, int(line))).isNull())
            << n;
    const QRect box = InkBounds(image, QRect(500, 500, 1000, 4000));
    EXPECT_EQ(box.top() / int(line), tall.top() / int(line));
    EXPECT_EQ(box.bottom() / int(line), tall.bottom() / int(line));
    EXPECT_LT(box.right(), 1230);
}

TEST_F(Replay, TokensOfTextBoxesAndNonPrintableObjects) {
    pages.TokenValues = [](int page, int count) { return TPvTokenValues{"", "", page, count}; };
    pages.Canvas.Font = PvFont("Courier New", 10);
    pages.Canvas.Pen.Color = clPvNone;
    pages.Canvas.TextBox("{PAGE}", taLeftJustify, pvInches, pvTop, 0, 1, 1, 3, 0);
    pages.Canvas.TextBox("{NUMPAGES}{NUMPAGES}", taLeftJustify, pvInches, pvTop, 0, 1, 2, 3, 0);
    pages.Canvas.Pen.Color = clBlack;
    pages.Canvas.Line(pvInches, 4, 4, 5, 4).Printable = false;
    pages.NewPage();
    const QImage image = RenderPage(pages, 1, 600);
    // Monospaced at 0.6 em: "1" is one character wide, "22" two.
    const int charWidth = int(0.6 * 10 * 600 / 72);
    EXPECT_LE(InkBounds(image, QRect(600, 600, 1200, 200)).width(), charWidth);
    EXPECT_GT(InkBounds(image, QRect(600, 1200, 1200, 200)).width(), charWidth);
    EXPECT_FALSE(InkBounds(image, QRect(2300, 2300, 800, 200)).isEmpty());

    QImage printed(image.size(), QImage::Format_RGB32);
    printed.fill(Qt::white);
    QPainter painter(&printed);
    ReplayPage(painter, pages, 1, {600, 600}, true);
    painter.end();
    EXPECT_TRUE(InkBounds(printed, QRect(2300, 2300, 800, 200)).isEmpty());
}

TEST_F(Replay, HeaderLineAtTheTopMarginPlusTheBandHeight) {
    testing::SetUpPaymentBands(pages);  // 0.5-inch margins, a dotted footer line
    const TPvBandLayout header = pages.HeaderLayout(1);
    const TPvBandLayout footer = pages.FooterLayout(1);
    const QImage image = RenderPage(pages, 1, 96);

    const int lineY = int(InchesToDots(0.5L + 112.0L / 600, 96));  // 66
    EXPECT_TRUE(Ink(image, 48, lineY));
    EXPECT_TRUE(Ink(image, image.width() - 49, lineY));
    EXPECT_FALSE(Ink(image, 47, lineY));
    // The centre caption stands on the line, centred between the margins.
    const QRect caption = InkBounds(image, QRect(0, 30, image.width(), lineY - 30));
    EXPECT_LT(caption.bottom(), lineY);
    EXPECT_GT(caption.bottom(), lineY - 8);
    EXPECT_NEAR(caption.center().x(), image.width() / 2.0, 3);
    EXPECT_NEAR(caption.left(), double(header.Captions[0].Left * 96), 3);

    // The footer's caption hangs from its dotted line and ends at the right margin.
    const int footerY = int(InchesToDots(footer.LineY, 96));
    const QRect right = InkBounds(image, QRect(400, footerY + 1, image.width() - 400, 30));
    EXPECT_NEAR(right.right(), image.width() - 48, 3);
    EXPECT_LE(right.top(), footerY + 6);
    int dots = 0;
    for (int x = 48; x < image.width() - 48; ++x) dots += Ink(image, x, footerY);
    EXPECT_GT(dots, 100);
    EXPECT_LT(dots, image.width() - 150);  // dotted, not solid
}

TEST_F(Replay, HiddenBandsAndPagesWithoutBandsDrawNothing) {
    pages.Header.CaptionLeft.Caption = "Заголовок";
    EXPECT_TRUE(InkBounds(RenderPage(pages, 1, 96)).isEmpty());
    pages.Header.Visible = true;
    EXPECT_FALSE(InkBounds(RenderPage(pages, 1, 96)).isEmpty());
    pages.Current().HeaderVisible = false;
    EXPECT_TRUE(InkBounds(RenderPage(pages, 1, 96)).isEmpty());
}

TEST_F(Replay, LaidOutTextFitsLineByLineAndDrawsItsRange) {
    TPvRichText text{"Сумма кредита : 12000\r\nСрок : 12\r\n\r\nПоследняя",
                     PvFont("Courier New", 10)};
    const std::vector<TPvTextLine> all = LayoutRichText(text, 7, 10, true, 0);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].Start, 0);
    EXPECT_EQ(all[1].Start, 23);  // after "\r\n"
    EXPECT_EQ(all[2].Length, 2);  // the empty line is its line break
    EXPECT_EQ(all[3].Start + all[3].Length, RichTextLength(text));
    EXPECT_NEAR(double(all[1].Top), double(all[0].Height), 1e-12);

    // Two lines of room; the rest continues from the third line.
    const std::vector<TPvTextLine> first = LayoutRichText(text, 7, all[0].Height * 2.5L, true, 0);
    ASSERT_EQ(first.size(), 2u);
    const int next = first.back().Start + first.back().Length;
    const std::vector<TPvTextLine> rest = LayoutRichText(text, 7, 10, true, next);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].Start, next);
    EXPECT_EQ(rest[0].Top, 0);

    // A rectangle lower than a line still takes one, so the text always moves on.
    EXPECT_EQ(LayoutRichText(text, 7, 0.01L, true, next).size(), 1u);
    EXPECT_TRUE(LayoutRichText(text, 7, 10, true, RichTextLength(text)).empty());

    // Narrow: words wrap; without word wrap they do not.
    EXPECT_GT(LayoutRichText(text, 1, 10, true, 0).size(), 4u);
    EXPECT_EQ(LayoutRichText(text, 1, 10, false, 0).size(), 4u);

    // A word wider than the rectangle is broken at its edge, not drawn past it.
    const TPvRichText word{"Сумма : " + std::string(60, '9'), PvFont("Courier New", 10)};
    EXPECT_EQ(LayoutRichText(word, 2, 10, true, 0).size(), 4u);  // 8, then 24 + 24 + 12
    pages.Resources.Texts().Acquire(word);
    pages.Current().RtfInfo = {0, 1, 1, 3, 10, 0, RichTextLength(word) - 1, true};
    const QRect wordInk = InkBounds(RenderPage(pages, 1, 96));
    EXPECT_LE(wordInk.right(), 3 * 96);
    EXPECT_GT(wordInk.height(), 3 * 96 * all[0].Height);
    pages.Resources.Clear();

    pages.Resources.Texts().Acquire(text);
    TPvPageRtfInfo& part = pages.Current().RtfInfo;
    part = {0, 1, 1, 7.5L, 10, 0, next - 1, true};
    const QImage image = RenderPage(pages, 1, 96);
    const QRect ink = InkBounds(image);
    EXPECT_NEAR(ink.left(), 96, 3);
    EXPECT_GE(ink.top(), 96);
    EXPECT_LE(ink.bottom(), 96 + InchesToDots(2 * all[0].Height, 96));
}

}  // namespace
}  // namespace print
