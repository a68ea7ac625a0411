// The print window over the planner's printed plan: every showing starts at the top of
// page 1, whatever page and place the previous showing was left on.

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "gui/plan_document.h"
#include "gui/print_window.h"
#include "print/preview.h"
#include "support/fake_port.h"

namespace {

TEST(PlanPrintWindow, ShowingThePlanAgainStartsAtTheTopOfPageOne) {
    testing_support::FakePort port;
    app::PlannerForm planner(port, loan::Locale::withSeparator(','));
    planner.Sum.Text = "1000000";
    planner.Rate.Text = "12";
    planner.Term.Text = "120";
    planner.LoanDate.Date = {2024, 1, 31};
    planner.EqualPaymentsClick();
    ASSERT_TRUE(planner.Calculate());

    gui::TForm2 window(gui::PlanDocumentMaker(planner), nullptr);
    window.show();
    print::TPvPreview& preview = *window.PvPreview1;
    const int pageCount = preview.PageCount();
    ASSERT_GE(pageCount, 4);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(window.PageNumberLabel->text(), QString("Стр. 1 из %1").arg(pageCount));

    // Left on a later page, scrolled down at a larger zoom.
    window.Button4->click();
    window.Button4->click();
    window.Button5->click();
    window.Button5->click();
    ASSERT_EQ(preview.CurrentPage(), 3);
    ASSERT_GT(preview.verticalScrollBar()->maximum(), 0);
    preview.verticalScrollBar()->setValue(preview.verticalScrollBar()->maximum());
    window.hide();

    // The plan changed in between: one page more or less, still page 1 at its top.
    ASSERT_TRUE(
        planner.AddPrepayment({{2025, 1, 31}, "300000", loan::PrepaymentMode::ShortenTerm, false}));
    window.show();
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.verticalScrollBar()->value(), 0);
    EXPECT_EQ(preview.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(window.PageNumberLabel->text(), QString("Стр. 1 из %1").arg(preview.PageCount()));
    window.hide();
}

}  // namespace
