#include "printouts/planner_pages.h"

#include <algorithm>

#include "printouts/grid_geometry.h"
#include "printouts/payment_pages.h"
#include "print/canvas.h"

namespace gui {

namespace {

// The text starts this far below the header band (as the text pages place it) and the table
// a little below the text.
constexpr print::TPvExtended kTextOffset = 90.0L / 1440;
constexpr print::TPvExtended kGap = 0.15L;
// What the comparison with its title takes at most: five rows of up to three lines.
constexpr print::TPvExtended kComparisonHeight = 2.2L;
// Widths of the comparison's columns, in pixels at 96 dots per inch, before the table is
// brought to its printed width.
constexpr std::array<int, 7> kComparisonColumnWidths = {170, 65, 75, 130, 85, 90, 85};

}  // namespace

void PlanGridPrint::CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                                   const print::TPvRectInches& cell) {
    if (Planner && Planner->RowKind(row) == loan::PlanRowKind::Prepayment) {
        canvas.Brush = {
            print::PvRgb(kPrepaymentRowRgb[0], kPrepaymentRowRgb[1], kPrepaymentRowRgb[2]),
            print::pvBrushSolid};
    }
    DrawCell(cell, column, row);
}

ComparisonGridPrint::ComparisonGridPrint() {
    WordWrap = true;
    // The variant's name reads from the left, like a line of text.
    OnGetCellAlignment = [](print::TPvAbstractGridPrint&, int column, int row,
                            print::TPvAlignment& alignment, print::TPvVertAlignment& vertical) {
        if (column == 0 && row > 0)
            alignment = print::taLeftJustify;
        vertical = print::pvMiddle;
    };
}

print::TPvExtended ComparisonGridPrint::NaturalColumnWidth(int column) const {
    return print::TPvExtended(kComparisonColumnWidths[static_cast<std::size_t>(column)]) /
           kDesignDotsPerInch;
}

PlannerPages::PlannerPages(print::TPvPageList& pages) : pages_(pages) {
    ConfigureDocument(pages_, kPlanJobTitle);
    ConfigureTextPrint(LoanLines, pages_);
    ConfigureTablePrint(PlanTable, pages_);
    ConfigureTablePrint(ComparisonTable, pages_);
    ComparisonTable.WordWrap = true;
    // Every continuation page starts the table at the height of the payment printout, however
    // far down the text of page 1 pushed it there.
    PlanTable.OnGridNewPage = [](print::TPvAbstractGridPrint&, print::TPvValue& pageTop,
                                 print::TPvValue&) { pageTop.SetInches(kTableTop); };
    ComparisonTable.OnGridNewPage = PlanTable.OnGridNewPage;
}

void PlannerPages::Build(const app::PlannerForm& planner) {
    StartDocument(pages_, kPlanHeaderCaption);
    const std::vector<std::string> lines = planner.InformationLines();
    LoanLines.LoadTextLines(lines);

    print::TPvCanvas& canvas = pages_.Canvas;
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    canvas.Font = LoanLines.TextFileFont;
    canvas.WordWrap = false;
    const print::TPvExtended textWidth = pages_.PageWidth(print::pvInches) -
                                         pages_.Margins.Left.Inches() -
                                         pages_.Margins.Right.Inches();
    const print::TPvExtended textBottom = LoanLines.TopReserve().Inches() + kTextOffset +
                                          canvas.TextHeight(text, print::pvInches, textWidth);
    const print::TPvExtended tableTop = std::max(kTableTop, textBottom + kGap);

    PlanTable.Planner = &planner;
    PlanTable.SetGrid(&planner.Table());
    print::TPvExtended reached = tableTop;
    PlanTable.OnFinishGrid = [&reached](print::TPvAbstractGridPrint&,
                                        const print::TPvValue& bottom) {
        reached = bottom.Inches();
    };
    PlanTable.PrintGrid(print::pvInches, kTableLeft, tableTop, kTableWidth);
    PlanTable.OnFinishGrid = nullptr;

    // The comparison under its title, whole on the last page or on a new one.
    print::TPvExtended top = reached + 2 * kGap;
    if (top + kComparisonHeight > PlanTable.GridBottomLimit()) {
        pages_.NewPage();
        top = kTableTop;
    }
    canvas.Font = Cyrillic(print::PvFont("Arial", 10, print::pvBold));
    canvas.WordWrap = false;
    canvas.Pen.Style = print::pvPenClear;
    canvas.Brush.Style = print::pvBrushClear;
    const print::TPvExtended titleHeight =
        canvas.TextHeight(kComparisonTitle, print::pvInches, kTableWidth, 0);
    canvas.TextBox(kComparisonTitle, print::taLeftJustify, print::pvInches, print::pvTop, 0,
                   kTableLeft, top, kTableLeft + kTableWidth, top + titleHeight);
    comparison_ = planner.ComparisonTable();
    ComparisonTable.SetGrid(&comparison_);
    ComparisonTable.PrintGrid(print::pvInches, kTableLeft, top + titleHeight + kGap / 2,
                              kTableWidth);
    NumberPages(pages_);
}

}  // namespace gui
