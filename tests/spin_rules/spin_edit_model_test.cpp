#include <gtest/gtest.h>

#include "spin_rules/spin_edit_model.h"

namespace {

using widgets::FloatSpinEditModel;
using widgets::SpinEditModel;

const loan::Locale kComma = loan::Locale::withSeparator(',');

FloatSpinEditModel boundedField(double min, double max) {
    FloatSpinEditModel field(kComma);
    field.MinValue = min;
    field.MaxValue = max;
    return field;
}

TEST(FloatSpinEdit, WritingClampsOnlyWhenTheBoundsDiffer) {
    FloatSpinEditModel field = boundedField(0, 100);
    field.SetValue(150);
    EXPECT_EQ(field.Text, "100");
    field.SetValue(-5);
    EXPECT_EQ(field.Text, "0");
    FloatSpinEditModel unbounded = boundedField(0, 0);
    unbounded.SetValue(-5);
    EXPECT_EQ(unbounded.Text, "-5");
    unbounded.SetValue(250000);
    EXPECT_EQ(unbounded.Text, "250000");
}

TEST(FloatSpinEdit, ReadingFallsBackToTheMinimumAndNeverClamps) {
    FloatSpinEditModel field = boundedField(3, 100);
    field.Text = "";
    EXPECT_EQ(field.Value(), 3);
    field.Text = "abc";
    EXPECT_EQ(field.Value(), 3);
    field.Text = "150";
    EXPECT_EQ(field.Value(), 150);
    EXPECT_EQ(field.Text, "150");
    field.Text = "12.5";  // the other separator is no number here
    EXPECT_EQ(field.Value(), 3);
}

TEST(FloatSpinEdit, EnterAndLeavingRewriteTheText) {
    FloatSpinEditModel field = boundedField(0, 100);
    field.Text = "0012,50";
    field.PressEnter();
    EXPECT_EQ(field.Text, "12,5");
    field.Text = "007";
    field.Leave();
    EXPECT_EQ(field.Text, "7");
    field.Text = "";
    field.Leave();
    EXPECT_EQ(field.Text, "0");
    field.Text = "";
    field.Type("150");
    field.Leave();
    EXPECT_EQ(field.Text, "100");
}

TEST(FloatSpinEdit, StepsFollowTheIncrementUnlessReadOnly) {
    FloatSpinEditModel field = boundedField(0, 0);
    field.Text = "2,5";
    EXPECT_TRUE(field.StepUp());
    EXPECT_EQ(field.Text, "3,5");
    EXPECT_TRUE(field.StepDown());
    EXPECT_TRUE(field.StepDown());
    EXPECT_EQ(field.Text, "1,5");
    field.ReadOnly = true;
    EXPECT_FALSE(field.StepUp());
    EXPECT_EQ(field.Text, "1,5");
    FloatSpinEditModel capped = boundedField(0, 100);
    capped.Text = "99,5";
    capped.StepUp();
    EXPECT_EQ(capped.Text, "100");
}

TEST(FloatSpinEdit, TypingAcceptsNumberCharactersOnly) {
    FloatSpinEditModel field(kComma);
    field.Text.clear();
    EXPECT_EQ(field.Type("125"), 0);
    EXPECT_EQ(field.Type(",7"), 0);
    EXPECT_EQ(field.Text, "125,7");
    EXPECT_EQ(field.Type("\r"), 1);  // Enter never reaches the text
    EXPECT_EQ(field.Type("ab-"), 2);
    EXPECT_EQ(field.Type("\b"), 0);  // Backspace
    EXPECT_EQ(field.Text, "125,7");
    EXPECT_EQ(field.Type("Ю"), 1);
    EXPECT_EQ(field.Type(";e "), 3);
    EXPECT_TRUE(field.AcceptsChar(9));  // control characters pass
}

TEST(FloatSpinEdit, DisabledEditorRefusesTypingButStillSteps) {
    FloatSpinEditModel field(kComma);
    field.EditorEnabled = false;
    EXPECT_FALSE(field.AcceptsChar('5'));
    EXPECT_FALSE(field.AcceptsChar(8));
    EXPECT_FALSE(field.CanPasteOrCut());
    EXPECT_TRUE(field.StepUp());
    EXPECT_EQ(field.Text, "1");
    field.EditorEnabled = true;
    field.ReadOnly = true;
    EXPECT_FALSE(field.CanPasteOrCut());
}

TEST(SpinEdit, WholeNumbersLeaveAnUnparsableTextAlone) {
    SpinEditModel field(kComma);
    field.MaxValue = 100000;
    field.Text = "";
    EXPECT_EQ(field.Value(), 0);
    field.Leave();
    EXPECT_EQ(field.Text, "");  // the value 0 is within the bounds, so nothing is rewritten
    field.Text = "12,5";
    EXPECT_EQ(field.Value(), 0);
    field.Text = "200000";
    field.Leave();
    EXPECT_EQ(field.Text, "100000");
    field.Text = "-5";
    field.Leave();
    EXPECT_EQ(field.Text, "0");
    field.SetValue(5000000000LL);
    EXPECT_EQ(field.Text, "100000");
    field.Text = "7";
    field.StepDown();
    EXPECT_EQ(field.Text, "6");
    EXPECT_TRUE(field.AcceptsChar(','));  // the separator is accepted, as by the decimal one
}

}  // namespace
