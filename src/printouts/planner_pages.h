#pragma once

// The printed plan of the prepayment planner: the loan with its prepayments and rate
// changes as text on page 1, the plan's table below it with the prepayment rows tinted and
// the balance after each row in its last column, then the comparison of the four variants
// under its title, the plan's notes when it has any and the chart of the remaining balance.
// The document has the settings of the payment printout (paper, margins, bands, fonts); the
// planner's print window shows it and the command line writes it into a PDF.

#include <array>
#include <string>
#include <vector>

#include "app/planner_form.h"
#include "print/page_list.h"
#include "print/text_pages.h"
#include "printouts/grid_print.h"
#include "printouts/text_grid_print.h"

namespace gui {

inline constexpr const char* kPlanJobTitle = "План досрочного погашения";
inline constexpr const char* kPlanHeaderCaption = "План погашения кредита.";
inline constexpr const char* kComparisonTitle = "Сравнение вариантов";
inline constexpr const char* kNotesTitle = "Примечания";
// The background of a prepayment row, on paper and on the screen (red, green, blue).
inline constexpr std::array<int, 3> kPrepaymentRowRgb = {255, 240, 200};

// The plan's table: the columns of the planner's table, then the balance after the row.
class PlanGridPrint : public TPvGridPrint {
  public:
    static constexpr int kColumnCount = loan::ScheduleTable::kColumnCount + 1;

    const app::PlannerForm* Planner = nullptr;
    // The last column's texts, one per table row (the title at 0).
    std::vector<std::string> BalanceAfter;

  protected:
    std::string ClassName() const override { return "TPvPlanGridPrint"; }
    std::string CellText(int column, int row) const override;
    int ColumnCount() const override { return kColumnCount; }
    print::TPvExtended NaturalColumnWidth(int column) const override;
    bool CustomDrawingWanted() const override { return true; }
    void CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                        const print::TPvRectInches& cell) override;
};

// The comparison's rows: the headers, then the four variants, with the months each saves
// on the term after its count of regular payments.
std::vector<std::vector<std::string>> ComparisonRows(const app::PlannerForm& planner);

class PlannerPages {
  public:
    // Gives the document its settings; its font engine should be installed first.
    explicit PlannerPages(print::TPvPageList& pages);

    // Rebuilds the document from the planner's last plan; its last page is current
    // afterwards. The comparison, the notes and the chart each start on a new page when the
    // rest of the last one would not hold them whole.
    void Build(const app::PlannerForm& planner);

    print::TPvPageList& pages() { return pages_; }

    // Where the tables and the chart stand across the page: between the margins.
    print::TPvExtended ContentLeft() const;
    print::TPvExtended ContentWidth() const;

    print::TPvRtfPreview LoanLines;
    PlanGridPrint PlanTable;
    TextGridPrint ComparisonTable;
    // Where the last build drew the chart: its page and its top, in inches (page 0: none).
    int ChartPage = 0;
    print::TPvExtended ChartTop = 0;

  private:
    print::TPvExtended layLoanLines(const app::PlannerForm& planner);
    print::TPvExtended layPlanTable(const app::PlannerForm& planner, print::TPvExtended top);
    // A bold title at `top` over the width of the tables; returns the height it took.
    print::TPvExtended layTitle(const char* title, print::TPvExtended top);
    // Where a block `height` high goes `gap` below `reached`: there, or at the top of a new
    // page.
    print::TPvExtended placeBlock(print::TPvExtended reached, print::TPvExtended height,
                                  print::TPvExtended gap = 0.3L);
    print::TPvExtended layComparison(const app::PlannerForm& planner, print::TPvExtended reached);
    print::TPvExtended layNotes(const app::PlannerForm& planner, print::TPvExtended reached);
    void layChart(const app::PlannerForm& planner, print::TPvExtended reached);

    print::TPvPageList& pages_;
};

}  // namespace gui
