// Recording onto pages: shared resources, shapes, text boxes and measured heights.
#include <gtest/gtest.h>

#include <memory>

#include "fake_measurer.h"
#include "print/page_list.h"
#include "print/text_layout.h"

namespace print {
namespace {

class Recording : public ::testing::Test {
  protected:
    Recording() { pages.SetMeasurer(std::make_shared<testing::FakeMeasurer>()); }

    template <class Object>
    const Object& ObjectAt(int index) {
        return dynamic_cast<const Object&>(pages.Current().Object(index));
    }

    TPvPageList pages;
    TPvCanvas& canvas = pages.Canvas;
};

TEST_F(Recording, EqualPensAndFontsAreSharedWithTheirCounts) {
    canvas.Line(pvInches, 1, 1, 2, 1);
    canvas.Line(pvMillimeters, 0, 0, 10, 10);
    EXPECT_EQ(pages.Resources.Pens().Count(), 1);
    EXPECT_EQ(pages.Resources.Pens().RefCount(0), 2);

    canvas.Pen.Width = 4;
    const TPvLineObject& thick = canvas.Line(pvInches, 0, 0, 1, 0);
    EXPECT_EQ(thick.Pen, 1);
    EXPECT_EQ(pages.Resources.Pens().Count(), 2);

    canvas.Font = PvFont("Arial", 8);
    canvas.TextBox("a", taLeftJustify, pvInches, pvTop, 0, 0, 0, 1, 1);
    canvas.TextBox("b", taCenter, pvInches, pvTop, 0, 0, 1, 1, 2);
    canvas.FontAngle = 900;
    canvas.TextBox("c", taCenter, pvInches, pvTop, 0, 0, 2, 1, 3);
    ASSERT_EQ(pages.Resources.Fonts().Count(), 2);
    EXPECT_EQ(pages.Resources.Fonts().RefCount(0), 2);
    EXPECT_EQ(pages.Resources.Fonts()[1].Angle, 900);

    pages.Resources.Pens().Release(0);
    EXPECT_EQ(pages.Resources.Pens().RefCount(0), 1);
}

TEST_F(Recording, ShapesInAnyUnitAreHeldInInchesWithTypeCodes) {
    const TPvLineObject& line = canvas.Line(pvMillimeters, 25.4L, 50.8L, 76.2L, 50.8L);
    EXPECT_EQ(line.TypeCode(), 1);
    EXPECT_DOUBLE_EQ(double(line.X1), 1);
    EXPECT_DOUBLE_EQ(double(line.Y1), 2);
    EXPECT_DOUBLE_EQ(double(line.X2), 3);
    EXPECT_TRUE(line.Printable);

    canvas.Brush.Color = clSilver;
    const TPvRectangleShape& rectangle = canvas.Rectangle(pvTwips, 720, 720, 1440, 2160);
    EXPECT_EQ(rectangle.TypeCode(), 2);
    EXPECT_EQ(rectangle.Y2, 1.5L);
    EXPECT_EQ(pages.Resources.Brushes()[rectangle.Brush].Color, clSilver);
    EXPECT_EQ(line.Brush, -1);
    EXPECT_EQ(pages.Current().ObjectCount(), 2);
}

TEST_F(Recording, CoordsRelativeToOffsetsEveryObject) {
    pages.Margins.SetMarginValues("720,1440,720,720");
    pages.Header.Height.SetInches(0.25L);
    const struct {
        TPvCoordsRelativeTo origin;
        TPvExtended x, y;
    } cases[] = {{pvFromPage, 1, 1},
                 {pvFromPrinterMargins, 1, 1},  // no printer: no unprintable edge
                 {pvFromUserMargins, 1.5L, 2},
                 {pvFromHeaderLine, 1.5L, 2.25L}};
    for (const auto& c : cases) {
        canvas.CoordsRelativeTo = c.origin;
        const TPvLineObject& line = canvas.Line(pvInches, 1, 1, 2, 2);
        EXPECT_EQ(line.X1, c.x) << c.origin;
        EXPECT_EQ(line.Y1, c.y) << c.origin;
        EXPECT_EQ(line.Y2 - line.Y1, 1) << c.origin;
        const TPvTextBoxObject& box =
            canvas.TextBox("x", taLeftJustify, pvInches, pvTop, 0, 1, 1, 2, 2);
        EXPECT_EQ(box.X1, c.x) << c.origin;
    }
}

// Font 10 pt: a character is 500 reference dots (1/14.4 inch), a line 1250 dots.
constexpr TPvExtended kChar = 500.0L / 7200;
constexpr TPvExtended kLine = 1250.0L / 7200;

TEST_F(Recording, TextBoxGrowsToFitWhenItsBottomIsZero) {
    canvas.Font = PvFont("Arial", 10);
    // "aaaa bbbb " is ten characters: two lines in a box of nine characters.
    const TPvExtended width = 9.01L * kChar + 2 * 0.1L;
    const TPvTextBoxObject& box =
        canvas.TextBox("aaaa bbbb cccc", taCenter, pvInches, pvTop, 0.1L, 1, 1, 1 + width, 0);
    EXPECT_EQ(box.TypeCode(), 14);
    EXPECT_EQ(box.Inset, 0.1L);
    EXPECT_NEAR(double(box.TextHeight), double(2 * kLine + 0.2L), 1e-12);
    EXPECT_EQ(box.Y2, box.Y1 + box.TextHeight);
    EXPECT_TRUE(box.WordWrap);
    EXPECT_TRUE(box.Clip);
}

TEST_F(Recording, TextBoxMiddleKeepsItsBoxAndMeasuresItsText) {
    canvas.Font = PvFont("Arial", 10);
    const TPvTextBoxObject& middle =
        canvas.TextBox("abc", taCenter, pvInches, pvMiddle, 0, 1, 1, 3, 2);
    EXPECT_EQ(middle.Y2, 2);
    EXPECT_NEAR(double(middle.TextHeight), double(kLine), 1e-12);
    // A top-aligned box with a bottom is not measured: its text height is the box.
    const TPvTextBoxObject& top = canvas.TextBox("abc", taCenter, pvInches, pvTop, 0, 1, 1, 3, 2);
    EXPECT_EQ(top.TextHeight, 1);
}

TEST_F(Recording, TextHeightFollowsTheWordRules) {
    canvas.Font = PvFont("Arial", 10);
    const TPvExtended inset = canvas.TextInset.Inches();
    auto lines = [&](std::string_view text, TPvExtended chars) {
        const TPvExtended height = canvas.TextHeight(text, pvInches, chars * kChar + 2 * inset);
        return double((height - 2 * inset) / kLine);
    };
    canvas.WordWrap = true;
    EXPECT_NEAR(lines("aaaa bbbb cccc", 10.01L), 2, 1e-9);  // "aaaa bbbb " fills a line
    EXPECT_NEAR(lines("aaaa bbbb cccc", 8.9L), 3, 1e-9);
    EXPECT_NEAR(lines("aaaa bbbb cccc", 100), 1, 1e-9);
    // A word wider than the box starts a line of its own and is broken at the box:
    // "ab " / "wordw" / "idert" / "hanth" / "ebox " / "cd".
    EXPECT_NEAR(lines("ab wordwiderthanthebox cd", 5), 6, 1e-9);
    EXPECT_NEAR(lines("wordwiderthanthebox", 5), 4, 1e-9);
    EXPECT_NEAR(lines("one\rtwo\r\nthree", 100), 3, 1e-9);
    EXPECT_NEAR(lines("one\r", 100), 1, 1e-9);
    EXPECT_NEAR(lines("one\r\rtwo", 100), 3, 1e-9);
    EXPECT_NEAR(lines("", 100), 0, 1e-9);
    canvas.WordWrap = false;
    EXPECT_NEAR(lines("aaaa bbbb cccc", 3), 1, 1e-9);
    EXPECT_NEAR(lines("one\ntwo\r\nthree", 3), 3, 1e-9);  // a line per line break
}

TEST_F(Recording, TextHeightInOtherUnitsIncludesTheInset) {
    canvas.Font = PvFont("Arial", 10);
    const TPvExtended mm = canvas.TextHeight("abc", pvMillimeters, 100);
    EXPECT_NEAR(double(mm), double(FromInches(kLine, pvMillimeters) + 2), 1e-9);
    const TPvExtended twips = canvas.TextHeight("abc", pvTwips, 1440 * 3, 0);
    EXPECT_NEAR(double(twips), 250, 1e-9);  // 1250 reference dots
}

TEST_F(Recording, MeasuringWithoutAFontEngineIsRefused) {
    TPvPageList bare;
    EXPECT_THROW(bare.Canvas.TextHeight("abc", pvInches, 1), TPvError);
    EXPECT_NO_THROW(bare.Canvas.TextBox("abc", taLeftJustify, pvInches, pvTop, 0, 0, 0, 1, 1));
}

TEST(TextLayout, AWordWiderThanTheBoxIsBrokenIntoPiecesThatFit) {
    const testing::FakeMeasurer measurer;
    const TPvFont font = PvFont("Arial", 10);
    const auto shown = [&](std::string_view text, TPvExtended chars, bool wordWrap) {
        std::vector<std::string_view> result;
        for (const TPvLineSpan& line : LayoutLines(measurer, font, text, chars * 500, wordWrap))
            result.push_back(text.substr(line.Start, line.Length));
        return result;
    };
    using Lines = std::vector<std::string_view>;
    // Every byte is on exactly one line, in order; the pieces are whole characters.
    EXPECT_EQ(shown("ab wordwiderthanthebox cd", 5, true),
              (Lines{"ab ", "wordw", "idert", "hanth", "ebox ", "cd"}));
    EXPECT_EQ(shown("Оченьдлинноеслово\rок", 5, true),
              (Lines{"Очень", "длинн", "оесло", "во\r", "ок"}));
    // A box narrower than one character still takes one a line.
    EXPECT_EQ(shown("abc", 0.5L, true), (Lines{"a", "b", "c"}));
    EXPECT_EQ(shown("ab  c", -1, true), (Lines{"a", "b ", " ", "c"}));  // no room at all
    // Words that fit keep the rules: the line ends before a word that would overflow it.
    EXPECT_EQ(shown("aaaa bbbb cccc", 10.01L, true), (Lines{"aaaa bbbb ", "cccc"}));
    // Without word wrap only line breaks end lines, however long they are.
    EXPECT_EQ(shown("wordwiderthanthebox\rcd", 5, false), (Lines{"wordwiderthanthebox\r", "cd"}));
    EXPECT_EQ(shown("one\r\rtwo\r", 5, false), (Lines{"one\r", "\r", "two\r"}));
    EXPECT_TRUE(shown("", 5, true).empty());
}

TEST(TextLayout, LineBreaksAndWords) {
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\nc\rd"), "a\rb\rc\rd");
    const auto words = SplitWords("ab cd\r ef");
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0], "ab ");
    EXPECT_EQ(words[1], "cd\r");
    EXPECT_EQ(words[2], " ");
    EXPECT_EQ(words[3], "ef");
}

}  // namespace
}  // namespace print
