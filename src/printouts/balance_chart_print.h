#pragma once

// The planner's chart on paper: the remaining balance of the four variants over time, drawn
// with the page library's lines, rectangles and text boxes, so that it stays sharp at any
// zoom and in a PDF, and needs neither widgets nor a chart library. Like the window's chart
// the plan as entered is a broad pale band under the other three lines, the loan without
// prepayments a dashed grey line; dates run along the bottom, the legend is below.

#include <string>
#include <vector>

#include "app/planner_form.h"
#include "print/page_list.h"

namespace gui {

inline constexpr const char* kPrintedChartTitle = "Остаток кредита по вариантам";
// The height the chart takes with its title, axes and legend, in inches.
inline constexpr print::TPvExtended kPrintedChartHeight = 4.4L;

// The values of the balance axis: 0, step, 2·step, ... up to the first at or above `top`
// (whole roubles), the step being 1, 2, 2.5 or 5 times a power of ten, at least a rouble,
// so that there are at most eight of them besides 0.
std::vector<double> BalanceTicks(double top);
// "1 500 000": whole roubles with their thousands set apart.
std::string BalanceTickText(double roubles);

// The months the date axis marks between two days: the first days of months a whole number
// of `step` months apart (1, 2, 3, 6, 12, 24, 60 or 120), the smallest step with at most
// `most` marks. Years are marked on their first of January.
struct DateTicks {
    int stepMonths = 1;
    std::vector<loan::Date> dates;
};
DateTicks DateTicksBetween(const loan::Date& first, const loan::Date& last, int most);

// Draws the chart of the planner's plan on the current page with its top-left corner at
// (left, top) in inches, `width` wide and kPrintedChartHeight high. Nothing without a plan.
void PrintBalanceChart(print::TPvPageList& pages, const app::PlannerForm& planner,
                       print::TPvExtended left, print::TPvExtended top, print::TPvExtended width);

}  // namespace gui
