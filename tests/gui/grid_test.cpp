// The schedule grid's drawing and selection, and how the window's height follows the rows.

#include <QDateEdit>
#include <QHeaderView>
#include <QScrollBar>
#include <QWheelEvent>

#include "gui/window_fit.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

TEST(CellTextColor, BlackSelectedWhiteAndGreyFromNextRowInPaymentInput) {
    struct NoDialogs : app::FormPort {
        void showMessage(const std::string&, const std::string&) override {}
        app::DialogAnswer askYesNoCancel(const std::string&, const std::string&) override {
            return app::kAnswerCancel;
        }
    } port;
    app::MainForm form(port, loan::Locale::withSeparator(','));
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(gui::CellTextColor(form, row, false), QColor(Qt::black)) << row;
    }
    EXPECT_EQ(gui::CellTextColor(form, 3, true), QColor(Qt::white));

    form.N16Click();
    form.NextRow = 4;  // three payments
    for (int row = 1; row <= 3; ++row) {
        EXPECT_EQ(gui::CellTextColor(form, row, false), QColor(Qt::black)) << row;
    }
    for (int row = 4; row <= 9; ++row) {
        EXPECT_EQ(gui::CellTextColor(form, row, false), gui::kGrayTextColor) << row;
    }
    EXPECT_EQ(gui::CellTextColor(form, 5, true), QColor(Qt::white));
    EXPECT_EQ(gui::CellTextColor(form, 0, true), QColor(Qt::black));
}

TEST(MaxWindowHeight, FollowsTheRowsAtNinetySixAndOneHundredTwentyOnly) {
    EXPECT_EQ(gui::MaxWindowHeight(10, 300, 96), 10 * 22 + 2 + 300);
    EXPECT_EQ(gui::MaxWindowHeight(40, 300, 120), 40 * 22 + 2 + 300);
    EXPECT_EQ(gui::MaxWindowHeight(10, 300, 144), std::nullopt);
    EXPECT_EQ(gui::MaxWindowHeight(10, 300, 72), std::nullopt);
}

TEST_F(WindowTest, SelectedRowIsPaintedInTheHighlightColour) {
    typeLoan("1000", "12", "3");
    click("Button1");
    gui::ScheduleGrid* grid = window->grid();
    const QRect second = grid->visualRect(grid->model()->index(1, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(form().SelectedRow, 2);

    const QImage image = grid->viewport()->grab().toImage();
    const QColor highlight = grid->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(image.pixelColor(second.left() + 2, second.top() + 2), highlight);
    const QRect first = grid->visualRect(grid->model()->index(0, 2));
    EXPECT_EQ(image.pixelColor(first.left() + 2, first.top() + 2), gui::kCellColor);
}

TEST_F(WindowTest, WheelDownWithNothingSelectedSelectsTheFirstRow) {
    click("Button5");  // nothing to clear yet, but the table is fresh and unselected
    gui::ScheduleGrid* grid = window->grid();
    const QPointF at = grid->viewport()->rect().center();
    QWheelEvent down(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &down);
    EXPECT_EQ(form().SelectedRow, 1);
    QApplication::sendEvent(grid->viewport(), &down);
    EXPECT_EQ(form().SelectedRow, 2);
    QWheelEvent up(at, grid->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &up);
    QApplication::sendEvent(grid->viewport(), &up);
    EXPECT_EQ(form().SelectedRow, 1);  // never onto the header
}

// The grid follows the model: a refilled table starts at its top, the current row is in view.
class GridFollowsTheTableTest : public WindowTest {
  protected:
    // A 24-month schedule, with the wheel turned down to its totals row.
    GridFollowsTheTableTest() {
        typeLoan("120000", "12", "24");
        click("Button1");
        gui::ScheduleGrid* grid = window->grid();
        const QPointF at = grid->viewport()->rect().center();
        QWheelEvent down(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        for (int turn = 0; turn < 25; ++turn) {
            QApplication::sendEvent(grid->viewport(), &down);
        }
        EXPECT_EQ(form().SelectedRow, 25);
        EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    }
    // Row `row` of the table is wholly inside the grid's viewport.
    bool rowInView(int row) {
        gui::ScheduleGrid* grid = window->grid();
        const QRect place = grid->visualRect(grid->model()->index(row - 1, 0));
        return place.top() >= 0 && place.bottom() < grid->viewport()->height();
    }
};

TEST_F(GridFollowsTheTableTest, ARecomputedShortScheduleIsShownFromItsTop) {
    typeLoan("12000", "12", "1");
    click("Button1");
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(window->grid()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(rowInView(1));
    EXPECT_TRUE(rowInView(2));          // the totals
    EXPECT_EQ(form().SelectedRow, -1);  // the totals row it was on is gone
}

TEST_F(GridFollowsTheTableTest, ANewPaymentsRowIsCurrentAndInView) {
    click("Button2");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    click("RadioButton4");
    click("Button4");
    ASSERT_EQ(cell(6, 1), "АП");
    EXPECT_EQ(window->grid()->currentIndex().row(), 0);
    EXPECT_TRUE(rowInView(1));
}

class HeightLimitTest : public WindowTest {
  protected:
    void calculate(const char* term) {
        typeLoan("120000", "12", term);
        click("Button1");
        QApplication::processEvents();
    }
    int limitFor(int rows) { return form().WindowExtraHeight + rows * 22 + 2; }
    bool lastRowVisible() {
        gui::ScheduleGrid* grid = window->grid();
        const int last = grid->model()->rowCount() - 1;
        return grid->visualRect(grid->model()->index(last, 0)).bottom() <
               grid->viewport()->height();
    }
};

TEST_F(HeightLimitTest, GrowingTableRaisesTheLimitWithoutEnlargingTheWindow) {
    const int before = window->height();
    EXPECT_EQ(window->maximumHeight(), limitFor(10));
    calculate("38");  // 40 rows
    EXPECT_EQ(window->height(), before);
    EXPECT_EQ(window->maximumHeight(), limitFor(40));
    window->resize(window->width(), 5000);
    QApplication::processEvents();
    EXPECT_EQ(window->height(), limitFor(40));
    EXPECT_TRUE(lastRowVisible());  // every row, the totals included
}

TEST_F(HeightLimitTest, ShrinkingTableCutsATallWindowDown) {
    calculate("38");
    window->resize(window->width(), limitFor(40));
    QApplication::processEvents();
    calculate("10");  // 12 rows
    EXPECT_EQ(window->height(), limitFor(12));
    EXPECT_TRUE(lastRowVisible());
    EXPECT_FALSE(window->grid()->verticalScrollBar()->isVisible());
}

TEST_F(HeightLimitTest, MaximisedWindowKeepsItsPlaceAndFollowsTheLimit) {
    window->move(40, 30);
    QApplication::processEvents();
    const int left = window->x();
    window->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(window->x(), left);
    EXPECT_EQ(window->width(), 659);

    calculate("38");
    const int desk = window->screen()->availableGeometry().height() -
                     (window->frameGeometry().height() - window->height());
    EXPECT_TRUE(window->maximised());
    EXPECT_EQ(window->x(), left);
    EXPECT_EQ(window->height(), std::min(limitFor(40), desk));
    calculate("10");
    EXPECT_TRUE(window->maximised());
    EXPECT_EQ(window->x(), left);
    EXPECT_EQ(window->height(), std::min(limitFor(12), desk));
}

TEST_F(WindowTest, ScreenSizeChangeScalesTheWindow) {
    const QRect button = find<QWidget>("Button1")->geometry();
    const int width = window->width();
    const QScreen* screen = QGuiApplication::primaryScreen();
    window->DisplayChanged(screen->geometry().width() * 2, screen->geometry().height() * 2);
    EXPECT_EQ(window->width(), width * 2);
    EXPECT_EQ(find<QWidget>("Button1")->geometry(),
              QRect(button.x() * 2, button.y() * 2, button.width() * 2, button.height() * 2));
    EXPECT_EQ(find<QWidget>("Button1")->font().pixelSize(), 22);
}

}  // namespace
