// The spin edits as a person uses them: typing, keys, Enter, leaving, the buttons.

#include <QClipboard>

#include "spin_edit_fixture.h"

namespace {

class SpinEditTest : public testing::Test, public gui_testing::SpinEditFields {
  protected:
    SpinEditTest() : SpinEditFields(',') {}
};

TEST_F(SpinEditTest, TypingKeepsNumberCharactersAndBeepsAtTheRest) {
    retype(decimal, "12a,5;x");
    EXPECT_EQ(decimal->text(), "12,5");
    EXPECT_EQ(decimalModel.Text, "12,5");
    EXPECT_EQ(decimalBeeps.count(), 3);  // "a", ";", "x"

    retype(whole, "-7+,");
    EXPECT_EQ(whole->text(), "-7+,");  // the same characters pass, the separator included
    EXPECT_EQ(wholeBeeps.count(), 0);
    QTest::keyClick(whole, Qt::Key_Backspace);
    EXPECT_EQ(wholeModel.Text, "-7+");
}

TEST_F(SpinEditTest, ArrowKeysStepUnlessReadOnly) {
    retype(decimal, "2,5");
    QTest::keyClick(decimal, Qt::Key_Up);
    EXPECT_EQ(decimal->text(), "3,5");
    QTest::keyClick(decimal, Qt::Key_Down);
    QTest::keyClick(decimal, Qt::Key_Down);
    EXPECT_EQ(decimal->text(), "1,5");

    decimalModel.ReadOnly = true;
    refresh();
    QTest::keyClick(decimal, Qt::Key_Up);
    EXPECT_EQ(decimal->text(), "1,5");
    EXPECT_EQ(decimalBeeps.count(), 1);
}

TEST_F(SpinEditTest, EnterRewritesOnlyTheDecimalField) {
    retype(decimal, "0012,50");
    QTest::keyClick(decimal, Qt::Key_Return);
    EXPECT_EQ(decimal->text(), "12,5");
    EXPECT_EQ(decimalBeeps.count(), 1);  // Enter itself is refused

    retype(whole, "007");
    QTest::keyClick(whole, Qt::Key_Return);
    EXPECT_EQ(whole->text(), "007");
    EXPECT_EQ(wholeBeeps.count(), 1);
}

TEST_F(SpinEditTest, LeavingAppliesTheBounds) {
    decimalModel.MaxValue = 100;
    retype(decimal, "150");
    leave();
    EXPECT_EQ(decimal->text(), "100");
    retype(decimal, "");
    QTest::keyClick(decimal, Qt::Key_Backspace);
    leave();
    EXPECT_EQ(decimal->text(), "0");  // an empty text reads as the minimum

    decimalModel.MaxValue = 0;  // no bounds
    retype(decimal, "-5");
    leave();
    EXPECT_EQ(decimal->text(), "-5");

    wholeModel.MaxValue = 100000;
    retype(whole, "250000");
    leave();
    EXPECT_EQ(whole->text(), "100000");
    whole->setFocus();
    whole->selectAll();
    QTest::keyClick(whole, Qt::Key_Backspace);
    leave();
    EXPECT_EQ(whole->text(), "");  // in range as its minimum: left as it is
}

TEST_F(SpinEditTest, EditorDisabledRefusesTypingAndPasteButSteps) {
    decimalModel.EditorEnabled = false;
    refresh();
    decimal->setFocus();
    decimal->selectAll();
    QTest::keyClicks(decimal, "5");
    QTest::keyClick(decimal, Qt::Key_Backspace);
    EXPECT_EQ(decimal->text(), "0");
    EXPECT_EQ(decimalBeeps.count(), 2);

    QApplication::clipboard()->setText("42");
    QTest::keySequence(decimal, QKeySequence::Paste);
    QTest::keySequence(decimal, QKeySequence::Cut);
    EXPECT_EQ(decimal->text(), "0");
    EXPECT_EQ(decimalBeeps.count(), 2);  // ignored without a sound

    QTest::keyClick(decimal, Qt::Key_Up);
    EXPECT_EQ(decimal->text(), "1");
    QTest::mouseClick(decimal->upButton(), Qt::LeftButton);
    EXPECT_EQ(decimal->text(), "2");
}

TEST_F(SpinEditTest, PasteIsNotFiltered) {
    QApplication::clipboard()->setText("1x");
    decimal->setFocus();
    decimal->selectAll();
    QTest::keySequence(decimal, QKeySequence::Paste);
    EXPECT_EQ(decimalModel.Text, "1x");
    leave();
    EXPECT_EQ(decimal->text(), "0");  // not a number: the minimum
}

TEST_F(SpinEditTest, ButtonsStepTakeTheFocusAndRepeatWhileHeld) {
    other->setFocus();
    QTest::mouseClick(whole->downButton(), Qt::LeftButton);
    EXPECT_EQ(whole->text(), "-1");
    EXPECT_TRUE(whole->hasFocus());

    retype(decimal, "0");
    QTest::mousePress(decimal->upButton(), Qt::LeftButton);
    QTest::qWait(250);
    EXPECT_EQ(decimal->text(), "1");  // the first step at once, no repeat before 400 ms
    QTest::qWait(500);                // repeats at 400, 500, 600, 700 ms
    QTest::mouseRelease(decimal->upButton(), Qt::LeftButton);
    const double value = decimalModel.Value();
    EXPECT_GE(value, 3);
    EXPECT_LE(value, 6);
    QTest::qWait(250);
    EXPECT_EQ(decimalModel.Value(), value);  // released: no more steps
}

TEST_F(SpinEditTest, EnteringSelectsTheTextUnlessALeftClickPlacesTheCaret) {
    EXPECT_TRUE(decimal->hasFocus());  // entered as the window was first activated
    EXPECT_EQ(decimal->selectedText(), "0");

    retype(decimal, "12,5");
    leave();
    decimal->setFocus();  // the program moves the focus
    EXPECT_EQ(decimal->selectedText(), "12,5");

    leave();
    QTest::mouseClick(decimal->upButton(), Qt::LeftButton);
    EXPECT_TRUE(decimal->hasFocus());
    EXPECT_EQ(decimal->text(), "13,5");
    EXPECT_EQ(decimal->selectedText(), "13,5");  // a step keeps the whole text selected
    QTest::keyClicks(decimal, "7");
    EXPECT_EQ(decimal->text(), "7");

    leave();
    QTest::mouseClick(decimal, Qt::LeftButton, {}, QPoint(5, decimal->height() / 2));
    EXPECT_TRUE(decimal->hasFocus());
    EXPECT_FALSE(decimal->hasSelectedText());
}

TEST_F(SpinEditTest, NeverLowerThanItsMinimumHeight) {
    auto* placed = new gui::TFloatSpinEdit(decimalModel, &host);  // placed by hand
    placed->show();
    placed->setGeometry(0, 0, 90, 5);
    EXPECT_EQ(placed->height(), placed->MinimumHeight());
    EXPECT_GT(placed->MinimumHeight(), QFontMetrics(placed->font()).height());
    placed->setGeometry(0, 0, 90, 40);
    EXPECT_EQ(placed->height(), 40);
    // The buttons sit at the right edge, inside the field.
    EXPECT_LE(placed->upButton()->geometry().right(), placed->width() - 1);
    EXPECT_EQ(placed->upButton()->width(), gui::SpinEditBase::kButtonWidth);
}

// A field on a page not yet shown (a tab behind another) once showed its buttons at the left
// over an empty field: its height was corrected while hidden and the buttons never placed.
TEST_F(SpinEditTest, AFieldSizedWhileHiddenHasItsButtonsAtTheRightWhenShown) {
    auto* page = new QWidget(&host);
    auto* placed = new gui::TFloatSpinEdit(decimalModel, page);
    page->hide();
    placed->setGeometry(0, 0, 120, 5);
    page->show();
    ASSERT_TRUE(placed->isVisible());
    EXPECT_EQ(placed->height(), placed->MinimumHeight());
    EXPECT_GT(placed->upButton()->x(), placed->width() / 2);
    EXPECT_LE(placed->downButton()->geometry().right(), placed->width() - 1);
}

}  // namespace
