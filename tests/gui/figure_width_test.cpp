// Every figure of the summary and of the table is shown whole, up to the widest one the
// fields allow.

#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>

#include "gui/schedule_grid.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

const char* const kValueLabels[] = {"Label9", "Label11", "Label13", "Label15", "Label17",
                                    "Label19"};

// The label shows its whole text: the text fits its box, which lies inside the summary
// group and clear of every caption of the group.
void expectShownWhole(QLabel* label) {
    const QString text = label->text();
    SCOPED_TRACE(label->objectName().toStdString() + " '" + text.toStdString() + "'");
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(text), label->width());
    EXPECT_GE(label->font().pixelSize(), 8);  // still readable
    const QRect box = label->geometry();
    EXPECT_TRUE(label->parentWidget()->rect().contains(box));
    for (const char* caption :
         {"Label14", "Label16", "Label10", "Label8", "Label12", "Label18"}) {
        const auto* other = label->parentWidget()->findChild<QLabel*>(caption);
        ASSERT_NE(other, nullptr);
        EXPECT_FALSE(box.intersects(other->geometry())) << caption;
    }
}

class FigureWidth : public WindowTest {
  protected:
    // Every data cell of the grid fits its column.
    void expectCellsWhole() {
        const QTableView* grid = window->grid();
        const QFontMetrics metrics(grid->font());
        for (int row = 0; row < grid->model()->rowCount(); ++row) {
            for (int column = 2; column < 7; ++column) {
                const QString text = grid->model()->index(row, column).data().toString();
                ASSERT_LT(metrics.horizontalAdvance(text), grid->columnWidth(column))
                    << "row " << row + 1 << " column " << column << " '" << text.toStdString()
                    << "'";
            }
        }
    }
};

// The example of the report: the total has eleven digits before the comma.
TEST_F(FigureWidth, TheTotalOfALongLoanIsShownWholeAtTheLabelsSize) {
    typeLoan("999999999", "30", "1000");
    click("Button1");
    ASSERT_TRUE(modals.seen.empty());
    EXPECT_EQ(text("Label15"), "13512499973,63");
    EXPECT_EQ(text("Label17"), "12512499974,63");
    for (const char* name : kValueLabels) {
        expectShownWhole(find<QLabel>(name));
        EXPECT_EQ(find<QLabel>(name)->font().pixelSize(), 13) << name;
    }
    expectCellsWhole();
}

// The widest figures the fields allow: a sum at the limit, at the highest rate whose rows
// stay within it, over 1000 months: the totals run to fourteen digits.
TEST_F(FigureWidth, TheWidestTotalsAreShownWholeInTheLabelsAndTheTable) {
    typeLoan("100000000000", "1000", "1000");
    click("Button1");
    ASSERT_TRUE(modals.seen.empty()) << modals.seen[0].text.toStdString();
    EXPECT_EQ(text("Label15").size(), 17) << text("Label15").toStdString();  // 14 digits
    for (const char* name : kValueLabels) expectShownWhole(find<QLabel>(name));
    expectCellsWhole();

    // The widest text each label can get: a total of 1000 rows on the left; on the right a
    // single figure (regular part, interest, advance) within the amount limit.
    for (std::string* total : {&form().Label15, &form().Label17, &form().Label11})
        *total = "-99999999999999,9999";
    for (std::string* figure : {&form().Label9, &form().Label13, &form().Label19})
        *figure = "-100000000000,00";
    window->refresh();
    for (const char* name : kValueLabels) expectShownWhole(find<QLabel>(name));
}

}  // namespace
