#pragma once

// The printed plan of the prepayment planner: the loan with its prepayments and rate
// changes as text on page 1, the plan's table below it with the prepayment rows tinted, then
// the comparison of the four variants under its title. The document has the settings of the
// payment printout (paper, margins, bands, fonts); the planner's print window shows it and
// the command line writes it into a PDF.

#include <array>
#include <string>

#include "app/planner_form.h"
#include "printouts/grid_print.h"
#include "loan/schedule_table.h"
#include "print/page_list.h"
#include "print/text_pages.h"

namespace gui {

inline constexpr const char* kPlanJobTitle = "План досрочного погашения";
inline constexpr const char* kPlanHeaderCaption = "План погашения кредита.";
inline constexpr const char* kComparisonTitle = "Сравнение вариантов";
// The background of a prepayment row, on paper and on the screen (red, green, blue).
inline constexpr std::array<int, 3> kPrepaymentRowRgb = {255, 240, 200};

// The plan's table in the columns of the schedule table, its prepayment rows tinted.
class PlanGridPrint : public TPvGridPrint {
  public:
    const app::PlannerForm* Planner = nullptr;

  protected:
    std::string ClassName() const override { return "TPvPlanGridPrint"; }
    bool CustomDrawingWanted() const override { return true; }
    void CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                        const print::TPvRectInches& cell) override;
};

// The comparison: the variant's name in a wide first column, long titles wrapped.
class ComparisonGridPrint : public TPvGridPrint {
  public:
    ComparisonGridPrint();

  protected:
    std::string ClassName() const override { return "TPvComparisonGridPrint"; }
    print::TPvExtended NaturalColumnWidth(int column) const override;
};

class PlannerPages {
  public:
    // Gives the document its settings; its font engine should be installed first.
    explicit PlannerPages(print::TPvPageList& pages);

    // Rebuilds the document from the planner's last plan; its last page is current
    // afterwards. The comparison starts on a new page when the rest of the last one would
    // not hold it whole.
    void Build(const app::PlannerForm& planner);

    print::TPvPageList& pages() { return pages_; }

    print::TPvRtfPreview LoanLines;
    PlanGridPrint PlanTable;
    ComparisonGridPrint ComparisonTable;

  private:
    print::TPvPageList& pages_;
    loan::ScheduleTable comparison_;
};

}  // namespace gui
