// The printed plan on its recorded pages: the balance after each row in the table's last
// column within the paper, the comparison in the table's fonts with the months saved, the
// plan's notes, and the chart drawn in its box.

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "print/qt_text_measurer.h"
#include "print/render_support.h"
#include "printouts/balance_chart_print.h"
#include "printouts/planner_pages.h"
#include "support/fake_port.h"

namespace {

using print::TPvExtended;
using print::TPvTextBoxObject;

struct PlacedText {
    int page;
    const TPvTextBoxObject* box;
};

class PlannerPagesTest : public testing::Test {
  protected:
    PlannerPagesTest() { pages.SetMeasurer(print::QtTextMeasurer()); }

    // 1 000 000 at 12 % from 31.01.2024, equal payments on their nominal dates, 500 000
    // early on 31.03.2024 lowering the payment.
    void computeExample(const char* term = "24", bool nominalDates = true) {
        planner.Sum.Text = "1000000";
        planner.Rate.Text = "12";
        planner.Term.Text = term;
        planner.LoanDate.Date = {2024, 1, 31};
        planner.EqualPaymentsClick();
        if (nominalDates)
            planner.Shift = loan::PaymentShift::None;
        ASSERT_TRUE(planner.Calculate());
        ASSERT_TRUE(planner.AddPrepayment(
            {{2024, 3, 31}, "500000", loan::PrepaymentMode::LowerPayment, false}));
        printout.Build(planner);
    }

    std::vector<PlacedText> texts() const {
        std::vector<PlacedText> found;
        for (int n = 1; n <= pages.PageCount(); ++n)
            for (const auto& object : pages.Page(n).Objects())
                if (auto* box = dynamic_cast<const TPvTextBoxObject*>(object.get()))
                    found.push_back({n, box});
        return found;
    }
    const TPvTextBoxObject* text(const std::string& wanted) const {
        for (const PlacedText& placed : texts())
            if (placed.box->Text == wanted)
                return placed.box;
        return nullptr;
    }
    const print::TPvFont& font(const TPvTextBoxObject* box) const {
        return pages.Resources.Fonts()[box->Font];
    }

    testing_support::FakePort port;
    app::PlannerForm planner{port, loan::Locale::withSeparator(',')};
    print::TPvPageList pages;
    gui::PlannerPages printout{pages};
};

TEST_F(PlannerPagesTest, TheLastColumnHoldsTheBalanceAfterEveryRowWithinThePaper) {
    computeExample("60");
    ASSERT_GE(pages.PageCount(), 3);
    const print::TPvDecimalList& widths = printout.PlanTable.ColumnWidths();
    ASSERT_EQ(widths.size(), 8u);
    TPvExtended lastLeft = printout.ContentLeft();
    for (std::size_t column = 0; column + 1 < widths.size(); ++column) lastLeft += widths[column];
    const TPvExtended right = pages.PageWidth(print::pvInches) - pages.Margins.Right.Inches();
    EXPECT_NEAR(lastLeft + widths.back(), right, 1e-9);

    // The cells of the last column, top to bottom and page by page: its title on every page
    // of the table, then the balance after each row.
    std::vector<std::string> column;
    std::vector<int> titlePages;
    TPvExtended widest = 0;
    for (const PlacedText& placed : texts()) {
        if (std::abs(placed.box->X1 - lastLeft) > 1e-9)
            continue;
        if (placed.box->Text == app::kBalanceAfterHeader) {
            titlePages.push_back(placed.page);
            continue;
        }
        column.push_back(placed.box->Text);
        EXPECT_LE(placed.box->X2, right + 1e-9);
        widest = std::max(widest, pages.Measurer().TextWidth(font(placed.box), placed.box->Text,
                                                             print::kPvReferenceDpi) /
                                      print::kPvReferenceDpi);
    }
    const std::vector<std::string> expected = planner.Report().lastColumn;
    ASSERT_EQ(column.size() + 1, expected.size());
    EXPECT_TRUE(std::equal(column.begin(), column.end(), expected.begin() + 1));
    // The prepayment's row: its balance less the 500 000 paid.
    EXPECT_EQ(planner.Table().cell(2, 3), "975053,78");
    EXPECT_EQ(column[2], "475053,78");
    EXPECT_EQ(column.back(), "0,00");
    EXPECT_GE(titlePages.size(), 2u);
    EXPECT_LT(widest, widths.back());
}

TEST_F(PlannerPagesTest, TheComparisonIsInTheTablesFontsAndCountsTheMonthsSaved) {
    computeExample();
    const TPvTextBoxObject* tableTitle = text("Остаток кредита");
    const TPvTextBoxObject* tableFigure = text("плановый");
    const TPvTextBoxObject* comparisonTitle = text("Вариант");
    const TPvTextBoxObject* comparisonFigure = text("Без досрочных погашений");
    ASSERT_TRUE(tableTitle && tableFigure && comparisonTitle && comparisonFigure);
    EXPECT_EQ(font(comparisonTitle), font(tableTitle));
    EXPECT_EQ(font(comparisonFigure), font(tableFigure));
    EXPECT_EQ(font(comparisonFigure).Name, "Arial");
    EXPECT_EQ(font(comparisonFigure).Size, 8);

    const std::vector<std::vector<std::string>>& rows = printout.ComparisonTable.Rows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0][1], "Плановых платежей");
    EXPECT_EQ(rows[0][2], "Срок короче, мес.");
    // Shortening the term after 500 000 early ends the loan a year sooner.
    EXPECT_EQ(rows[3][0], "Сокращение срока");
    EXPECT_EQ(rows[3][1], "12");
    EXPECT_EQ(rows[3][2], "12");
    EXPECT_EQ(rows[4][2], "0");
    EXPECT_NE(text("Срок короче, мес."), nullptr);
    // A plan on its nominal dates within approved years has nothing to note.
    EXPECT_TRUE(planner.Notes().empty());
    EXPECT_EQ(text(gui::kNotesTitle), nullptr);
}

TEST_F(PlannerPagesTest, ThePlansNotesArePrintedWhenItHasAny) {
    // Payments moved off days off into 2027, a year without an approved calendar.
    computeExample("36", false);
    const std::string note = loan::ProductionCalendar::NotApprovedText(2027);
    ASSERT_NE(std::find(planner.Notes().begin(), planner.Notes().end(), note),
              planner.Notes().end());
    const TPvTextBoxObject* title = text(gui::kNotesTitle);
    const TPvTextBoxObject* printed = text("– " + note);
    ASSERT_NE(title, nullptr);
    ASSERT_NE(printed, nullptr);
    EXPECT_GT(printed->Y1, title->Y1);
    EXPECT_TRUE(printed->WordWrap);
}

TEST_F(PlannerPagesTest, TheChartIsDrawnInItsBoxWithEveryVariantsColour) {
    computeExample();
    ASSERT_EQ(printout.ChartPage, pages.PageCount());
    EXPECT_NE(text(gui::kPrintedChartTitle), nullptr);
    constexpr int kDpi = 100;
    const QImage page = print::testing::RenderPage(pages, printout.ChartPage, kDpi);
    const QRect box(int(printout.ContentLeft() * kDpi), int(printout.ChartTop * kDpi),
                    int(printout.ContentWidth() * kDpi), int(gui::kPrintedChartHeight * kDpi));
    ASSERT_TRUE(page.rect().contains(box));
    int ink = 0;
    std::vector<QRgb> colours;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            ink += qGray(pixel) < 128;
            colours.push_back(pixel & 0xFFFFFF);
        }
    }
    std::sort(colours.begin(), colours.end());
    const auto has = [&](int red, int green, int blue) {
        return std::binary_search(colours.begin(), colours.end(),
                                  qRgb(red, green, blue) & 0xFFFFFF);
    };
    EXPECT_GT(ink, 2000);  // the frame, the labels and the legend
    EXPECT_TRUE(has(160, 196, 232));
    EXPECT_TRUE(has(110, 110, 110));
    EXPECT_TRUE(has(44, 160, 44));
    EXPECT_TRUE(has(214, 96, 0));
    // Nothing of the chart runs below its box.
    const QRect below(box.left(), box.bottom() + 1, box.width(),
                      int(print::TPvExtended(page.height()) -
                          (printout.ChartTop + gui::kPrintedChartHeight + 1.2L) * kDpi));
    EXPECT_TRUE(print::testing::InkBounds(page, below).isEmpty());
}

TEST(BalanceChartScales, TicksCoverTheLoanInRoundStepsAndDatesInWholeMonths) {
    for (const double top : {1.0, 999.0, 12000.0, 1500000.0, 1e11}) {
        const std::vector<double> ticks = gui::BalanceTicks(top);
        ASSERT_GE(ticks.size(), 2u) << top;
        EXPECT_LE(ticks.size(), 9u) << top;
        EXPECT_EQ(ticks.front(), 0);
        EXPECT_GE(ticks.back(), top);
        EXPECT_LT(ticks[ticks.size() - 2], top);
        // Whole roubles, so that no two labels read the same.
        EXPECT_GE(ticks[1], 1);
    }
    EXPECT_EQ(gui::BalanceTicks(1500000)[1], 200000);
    EXPECT_EQ(gui::BalanceTickText(1500000), "1 500 000");
    EXPECT_EQ(gui::BalanceTickText(250), "250");
    EXPECT_EQ(gui::BalanceTickText(100000000000.0), "100 000 000 000");

    // Five years: marked every six months; thirty: every five years, on New Year's Day.
    gui::DateTicks ticks = gui::DateTicksBetween({2019, 2, 1}, {2024, 2, 1}, 12);
    EXPECT_EQ(ticks.stepMonths, 6);
    ASSERT_FALSE(ticks.dates.empty());
    EXPECT_EQ(ticks.dates.front(), (loan::Date{2019, 7, 1}));
    EXPECT_EQ(ticks.dates.back(), (loan::Date{2024, 1, 1}));
    ticks = gui::DateTicksBetween({2024, 1, 31}, {2054, 1, 31}, 8);
    EXPECT_EQ(ticks.stepMonths, 60);
    EXPECT_EQ(ticks.dates.front(), (loan::Date{2025, 1, 1}));
    // A loan of one month taken on the first is marked on that day.
    ticks = gui::DateTicksBetween({2024, 3, 1}, {2024, 4, 1}, 8);
    EXPECT_EQ(ticks.dates, (std::vector<loan::Date>{{2024, 3, 1}, {2024, 4, 1}}));
}

}  // namespace
