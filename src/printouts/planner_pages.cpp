#include "printouts/planner_pages.h"

#include <algorithm>

#include "print/canvas.h"
#include "printouts/balance_chart_print.h"
#include "printouts/grid_geometry.h"
#include "printouts/payment_pages.h"

namespace gui {

namespace {

// The text starts this far below the header band (as the text pages place it) and the table
// a little below the text.
constexpr print::TPvExtended kTextOffset = 90.0L / 1440;
constexpr print::TPvExtended kGap = 0.15L;
// Widths of the plan's columns in pixels at 96 dots per inch, before the table is brought to
// the width between the margins: each holds the widest amount the planner takes whole.
constexpr std::array<int, PlanGridPrint::kColumnCount> kPlanColumnWidths = {40, 72, 90, 90,
                                                                            82, 90, 70, 96};
constexpr const char* kNoteMark = "– ";

}  // namespace

std::string PlanGridPrint::CellText(int column, int row) const {
    if (column < loan::ScheduleTable::kColumnCount)
        return TPvGridPrint::CellText(column, row);
    const auto index = static_cast<std::size_t>(row);
    return index < BalanceAfter.size() ? BalanceAfter[index] : std::string();
}

print::TPvExtended PlanGridPrint::NaturalColumnWidth(int column) const {
    return print::TPvExtended(kPlanColumnWidths[static_cast<std::size_t>(column)]) /
           kDesignDotsPerInch;
}

void PlanGridPrint::CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                                   const print::TPvRectInches& cell) {
    if (Planner && Planner->RowKind(row) == loan::PlanRowKind::Prepayment) {
        canvas.Brush = {
            print::PvRgb(kPrepaymentRowRgb[0], kPrepaymentRowRgb[1], kPrepaymentRowRgb[2]),
            print::pvBrushSolid};
    }
    DrawCell(cell, column, row);
}

std::vector<std::vector<std::string>> ComparisonRows(const app::PlannerForm& planner) {
    // The months saved stand after the count of regular payments they are counted from.
    constexpr std::size_t kShorterAt = 2;
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> headers(app::kComparisonHeaders.begin(),
                                     app::kComparisonHeaders.end());
    headers.insert(headers.begin() + kShorterAt, app::kShorterTermHeader);
    rows.push_back(std::move(headers));
    if (!planner.HasPlan())
        return rows;
    const std::array<app::ComparisonRow, 4> texts = planner.ComparisonTexts();
    const std::array<int, 4> shorter = planner.ShorterTermMonths();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::vector<std::string> row(texts[i].begin(), texts[i].end());
        row.insert(row.begin() + kShorterAt, std::to_string(shorter[i]));
        rows.push_back(std::move(row));
    }
    return rows;
}

PlannerPages::PlannerPages(print::TPvPageList& pages) : pages_(pages) {
    ConfigureDocument(pages_, kPlanJobTitle);
    ConfigureTextPrint(LoanLines, pages_);
    ConfigureTablePrint(PlanTable, pages_);
    ConfigureTablePrint(ComparisonTable, pages_);
    // Titles too long for their column wrap between their words.
    PlanTable.WordWrap = true;
    ComparisonTable.WordWrap = true;
    // The variant's name reads from the left, like a line of text.
    ComparisonTable.OnGetCellAlignment = [](print::TPvAbstractGridPrint&, int column, int row,
                                            print::TPvAlignment& alignment,
                                            print::TPvVertAlignment& vertical) {
        if (column == 0 && row > 0)
            alignment = print::taLeftJustify;
        vertical = print::pvMiddle;
    };
    // Every continuation page starts the table at the height of the payment printout, however
    // far down the text of page 1 pushed it there.
    PlanTable.OnGridNewPage = [](print::TPvAbstractGridPrint&, print::TPvValue& pageTop,
                                 print::TPvValue&) { pageTop.SetInches(kTableTop); };
    ComparisonTable.OnGridNewPage = PlanTable.OnGridNewPage;
}

print::TPvExtended PlannerPages::ContentLeft() const {
    return pages_.Margins.Left.Inches();
}

print::TPvExtended PlannerPages::ContentWidth() const {
    return pages_.PageWidth(print::pvInches) - pages_.Margins.Left.Inches() -
           pages_.Margins.Right.Inches();
}

print::TPvExtended PlannerPages::layLoanLines(const app::PlannerForm& planner) {
    const std::vector<std::string> lines = planner.InformationLines();
    LoanLines.LoadTextLines(lines);
    print::TPvCanvas& canvas = pages_.Canvas;
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    canvas.Font = LoanLines.TextFileFont;
    canvas.WordWrap = false;
    const print::TPvExtended textBottom = LoanLines.TopReserve().Inches() + kTextOffset +
                                          canvas.TextHeight(text, print::pvInches, ContentWidth());
    return std::max(kTableTop, textBottom + kGap);
}

print::TPvExtended PlannerPages::layPlanTable(const app::PlannerForm& planner,
                                              print::TPvExtended top) {
    PlanTable.Planner = &planner;
    PlanTable.BalanceAfter = planner.Report().lastColumn;
    PlanTable.SetGrid(&planner.Table());
    print::TPvExtended reached = top;
    PlanTable.OnFinishGrid = [&reached](print::TPvAbstractGridPrint&,
                                        const print::TPvValue& bottom) {
        reached = bottom.Inches();
    };
    PlanTable.PrintGrid(print::pvInches, ContentLeft(), top, ContentWidth());
    PlanTable.OnFinishGrid = nullptr;
    return reached;
}

print::TPvExtended PlannerPages::layTitle(const char* title, print::TPvExtended top) {
    print::TPvCanvas& canvas = pages_.Canvas;
    canvas.Font = Cyrillic(print::PvFont("Arial", 10, print::pvBold));
    canvas.WordWrap = false;
    canvas.Pen.Style = print::pvPenClear;
    canvas.Brush.Style = print::pvBrushClear;
    const print::TPvExtended height = canvas.TextHeight(title, print::pvInches, ContentWidth(), 0);
    canvas.TextBox(title, print::taLeftJustify, print::pvInches, print::pvTop, 0, ContentLeft(),
                   top, ContentLeft() + ContentWidth(), top + height);
    return height;
}

print::TPvExtended PlannerPages::placeBlock(print::TPvExtended reached, print::TPvExtended height,
                                            print::TPvExtended gap) {
    const print::TPvExtended top = reached + gap;
    if (top + height <= PlanTable.GridBottomLimit())
        return top;
    pages_.NewPage();
    return kTableTop;
}

print::TPvExtended PlannerPages::layComparison(const app::PlannerForm& planner,
                                               print::TPvExtended reached) {
    // The same fonts as the plan's table, title row and figures alike.
    ComparisonTable.Font = PlanTable.Font;
    ComparisonTable.FixedCellFont = PlanTable.FixedCellFont;
    ComparisonTable.SetRows(ComparisonRows(planner));
    // What the comparison with its title takes at most: five rows of up to three lines.
    pages_.Canvas.Font = ComparisonTable.Font;
    pages_.Canvas.WordWrap = false;
    const print::TPvExtended line = pages_.Canvas.TextHeight("0", print::pvInches, 1);
    const print::TPvExtended top = placeBlock(reached, 0.3L + kGap + 15 * line);
    const print::TPvExtended titleHeight = layTitle(kComparisonTitle, top);
    print::TPvExtended bottom = top;
    ComparisonTable.OnFinishGrid = [&bottom](print::TPvAbstractGridPrint&,
                                             const print::TPvValue& reachedRow) {
        bottom = reachedRow.Inches();
    };
    ComparisonTable.PrintGrid(print::pvInches, ContentLeft(), top + titleHeight + kGap / 2,
                              ContentWidth());
    ComparisonTable.OnFinishGrid = nullptr;
    return bottom;
}

print::TPvExtended PlannerPages::layNotes(const app::PlannerForm& planner,
                                          print::TPvExtended reached) {
    std::vector<std::string> notes = planner.Refusals();
    notes.insert(notes.end(), planner.Notes().begin(), planner.Notes().end());
    if (notes.empty())
        return reached;
    print::TPvCanvas& canvas = pages_.Canvas;
    const print::TPvFont titleFont = Cyrillic(print::PvFont("Arial", 10, print::pvBold));
    canvas.Font = titleFont;
    canvas.WordWrap = false;
    const print::TPvExtended titleHeight = canvas.TextHeight(kNotesTitle, print::pvInches, 1, 0);
    bool first = true;
    for (const std::string& note : notes) {
        const std::string text = kNoteMark + note;
        canvas.Font = PlanTable.Font;
        canvas.WordWrap = true;
        const print::TPvExtended height =
            canvas.TextHeight(text, print::pvInches, ContentWidth(), 0);
        // The title stays with the first note.
        print::TPvExtended top = first ? placeBlock(reached, titleHeight + kGap / 2 + height)
                                       : placeBlock(reached, height, kGap / 3);
        if (first)
            top += layTitle(kNotesTitle, top) + kGap / 2;
        canvas.Font = PlanTable.Font;
        canvas.WordWrap = true;
        canvas.Pen.Style = print::pvPenClear;
        canvas.Brush.Style = print::pvBrushClear;
        canvas.TextBox(text, print::taLeftJustify, print::pvInches, print::pvTop, 0, ContentLeft(),
                       top, ContentLeft() + ContentWidth(), top + height);
        reached = top + height;
        first = false;
    }
    return reached;
}

void PlannerPages::layChart(const app::PlannerForm& planner, print::TPvExtended reached) {
    ChartPage = 0;
    if (!planner.HasPlan())
        return;
    ChartTop = placeBlock(reached, kPrintedChartHeight);
    ChartPage = pages_.CurrentPage();
    PrintBalanceChart(pages_, planner, ContentLeft(), ChartTop, ContentWidth());
}

void PlannerPages::Build(const app::PlannerForm& planner) {
    StartDocument(pages_, kPlanHeaderCaption);
    const print::TPvExtended tableTop = layLoanLines(planner);
    print::TPvExtended reached = layPlanTable(planner, tableTop);
    reached = layComparison(planner, reached);
    reached = layNotes(planner, reached);
    layChart(planner, reached);
    NumberPages(pages_);
}

}  // namespace gui
