#include <gtest/gtest.h>

#include "register_fixture.h"

// The handlers the command line drives say what they did, and a refusal names the very
// message the person saw.

namespace {

using app::HandlerOutcome;
using Kind = app::HandlerOutcome::Kind;

void expectRefusalShown(const HandlerOutcome& outcome, const testing_support::FakePort& port) {
    ASSERT_EQ(outcome.kind, Kind::Refused);
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(outcome.caption, port.messages.back().caption);
    EXPECT_EQ(outcome.text, port.messages.back().text);
}

class CalculationOutcome : public ::testing::Test, protected testing_support::FormFixture {};

TEST_F(CalculationOutcome, ScheduleRefusalsAndTheSuggestedAnnuity) {
    expectRefusalShown(form.Button1Click(), port);
    EXPECT_EQ(port.messages.back().text, app::kMissingInput);

    enterLoan("100000", "12", "1001");
    expectRefusalShown(form.Button1Click(), port);
    EXPECT_EQ(port.messages.back().caption, app::kTermTooLongCaption);

    enterLoan("100000", "12", "12");
    form.RadioButtonBClick();
    const HandlerOutcome suggested = form.Button1Click();
    expectRefusalShown(suggested, port);
    EXPECT_TRUE(suggested.refusedWith(app::kAttentionCaption));
    EXPECT_EQ(form.StringGrid1.cell(0, 1), "");

    port.messages.clear();
    EXPECT_TRUE(form.Button1Click().done());  // with the annuity now in the field
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(form.StringGrid1.cell(0, 12), "12");
}

class PaymentOutcome : public ::testing::Test, protected testing_support::RegisterFixture {};

TEST_F(PaymentOutcome, RecordedRefusedDeletedAndNothingToDelete) {
    EXPECT_EQ(form.Button6Click().kind, Kind::NothingToDo);

    form.DateTimePicker2.Date = {2005, 2, 10};
    form.SpinEdit4.Text = "1000";
    form.RadioButton1.Checked = form.RadioButton3.Checked = form.RadioButton4.Checked = false;
    expectRefusalShown(form.Button4Click(), port);
    EXPECT_EQ(form.NextRow, 1);

    form.RadioButton1.Checked = true;
    EXPECT_TRUE(form.Button4Click().done());
    EXPECT_EQ(form.NextRow, 2);
    // The same day twice: refused, nothing recorded.
    expectRefusalShown(form.Button4Click(), port);
    EXPECT_EQ(port.messages.back().text, "В один день вносить два платежа нельзя...");
    EXPECT_EQ(form.NextRow, 2);

    EXPECT_TRUE(form.Button6Click().done());
    EXPECT_EQ(form.NextRow, 1);
    EXPECT_EQ(form.Button6Click().kind, Kind::NothingToDo);
}

TEST_F(PaymentOutcome, ASaveRefusedOrCancelledSaysSo) {
    EXPECT_EQ(form.N4Click().kind, Kind::NothingToDo);  // the dialog cancelled

    enterLoan("", "12", "12", {2005, 1, 10});
    port.filesToSave.push_back("/nonexistent-folder/never-written.crp");
    expectRefusalShown(form.N4Click(), port);
    EXPECT_NE(port.messages.back().text.find("не записан"), std::string::npos);
}

}  // namespace
