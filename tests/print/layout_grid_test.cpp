// The grid-to-page layout on recorded pages: widths, page breaks, the repeated title row,
// borders per page part, cell drawing, and the report when it is misused.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "print/abstract_grid_print.h"
#include "print/fake_measurer.h"
#include "print/page_list.h"
#include "print/error_report.h"

namespace print {
namespace {

// A grid of texts with the schedule's designed widths (615 pixels at 96 per inch), rows
// 21 pixels high, row 0 fixed.
class TestGrid : public TPvAbstractGridPrint {
  public:
    std::vector<std::vector<std::string>> cells;
    std::vector<int> widthsInPixels{45, 90, 100, 100, 95, 92, 93};
    bool attached = true;
    int rowCountReads = 0;

    void fill(int rows) {
        cells.assign(rows, std::vector<std::string>(widthsInPixels.size()));
        for (int row = 0; row < rows; ++row)
            for (std::size_t column = 0; column < widthsInPixels.size(); ++column)
                cells[row][column] = row == 0 ? "Title" : std::to_string(row);
    }
    TPvExtended NextRowLimitForTest() const { return GridBottomLimit(); }

  protected:
    std::string ClassName() const override { return "TestGrid"; }
    bool HasGrid() const override { return attached; }
    std::string GridMissingMessage() const override { return "no grid"; }
    std::string CellText(int column, int row) const override { return cells[row][column]; }
    int ColumnCount() const override { return int(widthsInPixels.size()); }
    int GridRowCount() const override {
        ++const_cast<TestGrid*>(this)->rowCountReads;
        return int(cells.size());
    }
    TPvExtended NaturalColumnWidth(int column) const override {
        return TPvExtended(widthsInPixels[column]) / 96;
    }
    TPvExtended NaturalRowHeight(int) const override { return TPvExtended(21) / 96; }
    bool IsFixedCell(int, int row) const override { return row < 1; }
    TPvColor FixedColor() const override { return PvRgb(215, 228, 242); }
};

// What one page holds, sorted by kind.
struct PageContents {
    std::vector<const TPvTextBoxObject*> texts;
    std::vector<const TPvRectangleShape*> rectangles;
    std::vector<const TPvLineObject*> lines;
};

PageContents contentsOf(const TPvPage& page) {
    PageContents contents;
    for (const auto& object : page.Objects()) {
        if (auto* text = dynamic_cast<const TPvTextBoxObject*>(object.get()))
            contents.texts.push_back(text);
        else if (auto* rectangle = dynamic_cast<const TPvRectangleShape*>(object.get()))
            contents.rectangles.push_back(rectangle);
        else if (auto* line = dynamic_cast<const TPvLineObject*>(object.get()))
            contents.lines.push_back(line);
    }
    return contents;
}

class GridLayout : public ::testing::Test {
  protected:
    GridLayout() {
        pages.SetMeasurer(std::make_shared<testing::FakeMeasurer>());
        pages.Margins.SetMarginValues("720,720,720,720");
        grid.Font = PvFont("Arial", 8);
        grid.FixedCellFont = PvFont("Times New Roman", 8);
        grid.SetPreview(&pages);
        previousReport =
            SetPvReportHandler([this](const std::string& text) { reports.push_back(text); });
    }
    ~GridLayout() override { SetPvReportHandler(previousReport); }

    void print(int rows) {
        grid.fill(rows);
        grid.PrintGrid(pvInches, 1.0L, 1.4L, 6.0L);
    }
    // The border rectangles: the only rectangles drawn with a clear brush.
    std::vector<const TPvRectangleShape*> borders(int page) {
        std::vector<const TPvRectangleShape*> result;
        for (const TPvRectangleShape* rectangle : contentsOf(pages.Page(page)).rectangles)
            if (pages.Resources.Brushes()[rectangle->Brush].IsClear())
                result.push_back(rectangle);
        return result;
    }
    const TPvFont& fontOf(const TPvTextBoxObject& text) {
        return pages.Resources.Fonts()[text.Font];
    }

    TPvPageList pages;
    TestGrid grid;
    std::vector<std::string> reports;
    TPvReportHandler previousReport;
};

TEST_F(GridLayout, SixInchesWideWithEveryColumnScaledAndTheFontUnchanged) {
    print(3);
    EXPECT_DOUBLE_EQ(double(grid.WidthFactor()), 6.0 / 6.40625);
    EXPECT_NEAR(double(grid.TotalWidth()), 6.0, 1e-15);
    ASSERT_EQ(grid.ColumnWidths().size(), 7u);
    EXPECT_NEAR(double(grid.ColumnWidths()[0]), 45.0 / 96 * 6.0 / 6.40625, 1e-15);

    const PageContents page = contentsOf(pages.Page(1));
    ASSERT_EQ(page.texts.size(), 21u);
    EXPECT_EQ(fontOf(*page.texts[0]).Size, 8);
    EXPECT_EQ(fontOf(*page.texts[0]).Name, "Times New Roman");
    EXPECT_EQ(fontOf(*page.texts[7]).Name, "Arial");
    // The last cell of a row ends at the table's right edge, 7 inches from the paper's.
    EXPECT_NEAR(double(page.texts[6]->X2), 7.0, 1e-12);
    // Cells hold their text 0.025 inch in from every side; rows keep their grid height.
    EXPECT_EQ(page.texts[7]->Inset, 0.025L);
    EXPECT_NEAR(double(page.texts[7]->Y1), 1.4 + 21.0 / 96, 1e-15);
    EXPECT_NEAR(double(page.texts[7]->Y2 - page.texts[7]->Y1), 21.0 / 96, 1e-15);

    grid.PrintGrid(pvInches, 1.0L, 1.4L, 0);
    EXPECT_EQ(grid.WidthFactor(), 1.0L);
    EXPECT_NEAR(double(grid.TotalWidth()), 6.40625, 1e-15);
}

TEST_F(GridLayout, AShortTableHasOneBorderOnOnePage) {
    print(5);
    EXPECT_EQ(pages.PageCount(), 1);
    const auto border = borders(1);
    ASSERT_EQ(border.size(), 1u);
    EXPECT_EQ(border[0]->X1, 1.0L);
    EXPECT_EQ(border[0]->Y1, 1.4L);
    EXPECT_NEAR(double(border[0]->X2), 7.0, 1e-12);
    EXPECT_NEAR(double(border[0]->Y2), 1.4 + 5 * 21.0 / 96, 1e-12);
    EXPECT_EQ(pages.UpdateCount(), 0);
}

TEST_F(GridLayout, ALongTableContinuesOnAppendedPagesWithTheTitleRowRepeated) {
    print(100);
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.CurrentPage(), 3);
    int rowsSeen = 0;
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const PageContents contents = contentsOf(pages.Page(page));
        ASSERT_FALSE(contents.texts.empty());
        // Each part starts at the same top with the title row, inside its own border.
        EXPECT_EQ(contents.texts[0]->Text, "Title");
        EXPECT_EQ(contents.texts[0]->Y1, 1.4L);
        const auto border = borders(page);
        ASSERT_EQ(border.size(), 1u);
        EXPECT_EQ(border[0]->Y1, 1.4L);
        EXPECT_EQ(border[0]->Y2, contents.texts.back()->Y2);
        EXPECT_LE(double(contents.texts.back()->Y2), double(grid.NextRowLimitForTest()));
        rowsSeen += int(contents.texts.size()) / 7 - 1;
    }
    EXPECT_EQ(rowsSeen, 99);
    // The page's rows follow on without a gap: row n+1 of page 2 starts where row n ends.
    const PageContents second = contentsOf(pages.Page(2));
    EXPECT_EQ(second.texts[7]->Y1, second.texts[0]->Y2);
    EXPECT_EQ(grid.rowCountReads, 1);
}

TEST_F(GridLayout, TheBottomLimitCountsTheFooterBandTwice) {
    const TPvExtended band = pages.Footer.BandHeight(pages.Measurer());
    EXPECT_EQ(grid.BottomReserve().Inches(), band + 0.5L);
    EXPECT_EQ(grid.NextRowLimitForTest(), pages.PageHeight(pvInches) - band - band - 0.5L);
}

TEST_F(GridLayout, PrintingTwiceMovesThroughTheExistingPagesFirst) {
    print(100);
    pages.SetCurrentPage(1);
    print(100);
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(borders(1).size(), 2u);
    EXPECT_EQ(borders(3).size(), 2u);
    // From page 2 on, more rows than the existing pages hold append new ones.
    pages.SetCurrentPage(2);
    print(100);
    EXPECT_EQ(pages.PageCount(), 4);
}

TEST_F(GridLayout, AnEmptyCellKeepsItsBackgroundAndLinesButHasNoText) {
    grid.fill(2);
    grid.cells[0][2] = "";
    grid.cells[1][3] = "";
    grid.PrintGrid(pvInches, 1.0L, 1.4L, 6.0L);
    const PageContents page = contentsOf(pages.Page(1));
    EXPECT_EQ(page.texts.size(), 12u);
    // Seven fixed cells are filled with the fixed colour, white cells are not filled.
    int filled = 0;
    for (const TPvRectangleShape* rectangle : page.rectangles) {
        const TPvBrush& brush = pages.Resources.Brushes()[rectangle->Brush];
        if (!brush.IsClear()) {
            ++filled;
            EXPECT_EQ(brush.Color, PvRgb(215, 228, 242));
            EXPECT_TRUE(pages.Resources.Pens()[rectangle->Pen].IsClear());
        }
    }
    EXPECT_EQ(filled, 7);
    // Six inner vertical lines per row, one horizontal line above row 1 only.
    EXPECT_EQ(page.lines.size(), 6u + 6u + 1u);
    for (const TPvLineObject* line : page.lines)
        EXPECT_EQ(pages.Resources.Pens()[line->Pen].Style, pvPenSolid);
}

TEST_F(GridLayout, ARowEndingExactlyAtTheLimitStaysOnItsPage) {
    const TPvExtended limit = grid.NextRowLimitForTest();
    grid.OnGetRowHeight = [](TPvAbstractGridPrint&, int, TPvExtended& height) { height = 0.25L; };
    grid.fill(3);
    grid.PrintGrid(pvInches, 1.0L, limit - 0.5L, 6.0L);
    ASSERT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(contentsOf(pages.Page(1)).texts.back()->Y2, limit);
    EXPECT_EQ(contentsOf(pages.Page(1)).texts.back()->Text, "1");
    EXPECT_EQ(contentsOf(pages.Page(2)).texts.back()->Text, "2");
    // The continuation page starts at the run's top.
    EXPECT_EQ(contentsOf(pages.Page(2)).texts[0]->Y1, limit - 0.5L);
}

TEST_F(GridLayout, ATallTextMakesItsRowTaller) {
    grid.fill(3);
    grid.cells[1][1] = "one\rtwo\rthree";
    grid.PrintGrid(pvInches, 1.0L, 1.4L, 6.0L);
    const PageContents page = contentsOf(pages.Page(1));
    // Three lines of 8 points, 1.25 em each, plus 1 mm above and below.
    const TPvExtended expected = 3 * 1.25L * 8 / 72 + 2 / 25.4L;
    EXPECT_NEAR(double(page.texts[8]->Y2 - page.texts[8]->Y1), double(expected), 1e-4);
    EXPECT_EQ(page.texts[14]->Y1, page.texts[8]->Y2);
}

TEST_F(GridLayout, HooksSeeEveryRowAndProgressEndsAtAHundred) {
    std::vector<int> before, after, progress;
    int newPages = 0;
    TPvExtended finished = 0;
    grid.BeforeDrawRow = [&](TPvAbstractGridPrint&, int row) { before.push_back(row); };
    grid.AfterDrawRow = [&](TPvAbstractGridPrint&, int row) { after.push_back(row); };
    grid.OnDrawProgress = [&](TPvAbstractGridPrint&, int percent) { progress.push_back(percent); };
    grid.OnFinishGrid = [&](TPvAbstractGridPrint&, const TPvValue& y) { finished = y.Inches(); };
    grid.OnGridNewPage = [&](TPvAbstractGridPrint&, TPvValue& top, TPvValue&) {
        ++newPages;
        top.SetInches(2.0L);
    };
    print(60);
    EXPECT_EQ(before.size(), 60u);
    EXPECT_EQ(after, before);
    EXPECT_EQ(progress.front(), 1);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(newPages, 1);
    EXPECT_EQ(contentsOf(pages.Page(2)).texts[0]->Y1, 2.0L);
    EXPECT_EQ(finished, contentsOf(pages.Page(2)).texts.back()->Y2);
}

TEST_F(GridLayout, MisuseIsReportedWithoutDrawingOrLeavingAnUpdateOpen) {
    grid.attached = false;
    print(5);
    grid.SetPreview(nullptr);
    grid.PrintGrid(pvInches, 1.0L, 1.4L, 6.0L);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], "TestGrid Error!\r\rno grid");
    EXPECT_EQ(reports[1],
              "TestGrid Error!\r\rThe \"Preview\" property must be set to a TPvPreview "
              "component");
    EXPECT_EQ(pages.Page(1).ObjectCount(), 0);
    EXPECT_EQ(pages.UpdateCount(), 0);
}

TEST_F(GridLayout, AFailingRunStillEndsItsUpdate) {
    // The font engine goes away after the preview was attached: measuring throws mid-run.
    TPvPageList unmeasured;
    unmeasured.SetMeasurer(std::make_shared<testing::FakeMeasurer>());
    grid.SetPreview(&unmeasured);
    unmeasured.SetMeasurer(nullptr);
    grid.fill(2);
    EXPECT_THROW(grid.PrintGrid(pvInches, 1.0L, 1.4L, 6.0L), TPvError);
    EXPECT_EQ(unmeasured.UpdateCount(), 0);
}

}  // namespace
}  // namespace print
