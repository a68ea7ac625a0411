#include <gtest/gtest.h>

#include "app/register_fixture.h"
#include "support/temp_folder.h"

namespace {

using loan::PaymentKind;
using testing_support::FormFixture;
using testing_support::ReadBytes;
using testing_support::RegisterFixture;
using testing_support::TempFolder;

struct WindowState {
    bool calculationMark;
    std::string button2;
    bool button1, groupBox2, button4, button6, button5, inputs;
};

WindowState stateOf(const app::MainForm& f) {
    return {f.N13.Checked && !f.N16.Checked,
            f.Button2.Caption,
            f.Button1.Enabled,
            f.GroupBox2.Visible && f.GroupBox2.Enabled,
            f.Button4.Enabled,
            f.Button6.Enabled,
            f.Button5.Enabled,
            f.SpinEdit1.Enabled && f.SpinEdit2.Enabled && f.SpinEdit3.Enabled &&
                f.DateTimePicker1.Enabled};
}

void expectState(const app::MainForm& f, const WindowState& expected) {
    const WindowState actual = stateOf(f);
    EXPECT_EQ(actual.calculationMark, expected.calculationMark);
    EXPECT_EQ(actual.button2, expected.button2);
    EXPECT_EQ(actual.button1, expected.button1);
    EXPECT_EQ(actual.groupBox2, expected.groupBox2);
    EXPECT_EQ(actual.button4, expected.button4);
    EXPECT_EQ(actual.button6, expected.button6);
    EXPECT_EQ(actual.button5, expected.button5);
    EXPECT_EQ(actual.inputs, expected.inputs);
}

std::vector<std::string> headers(const app::MainForm& f) {
    std::vector<std::string> texts;
    for (int c = 0; c < 7; ++c) texts.push_back(f.StringGrid1.cell(c, 0));
    return texts;
}

const std::vector<std::string> kCalculationHeaderTexts = {
    "Месяц",    "Дата",         "Остаток кредита", "Основной платеж",
    "Проценты", "Обслуживание", "Всего за платеж"};
const std::vector<std::string> kPaymentHeaderTexts = {
    "№",          "Дата", "Остаток кредита", "Основной платеж", "Проценты", "Всего за платеж",
    "Тип платежа"};

TEST(Modes, EachStateShowsItsButtonsMarksAndHeaders) {
    FormFixture f;
    app::MainForm& form = f.form;
    EXPECT_EQ(form.Caption, "Ссудомер 2.0 - режим расчета");
    EXPECT_EQ(headers(form), kCalculationHeaderTexts);
    expectState(form, {true, "Режим ввода", true, false, false, false, false, true});

    f.enterLoan("12000", "12", "12");
    form.Button1Click();
    expectState(form, {true, "Режим ввода", true, false, false, false, true, true});

    form.Button2Click();  // nothing unsaved: no question
    EXPECT_TRUE(f.port.questions.empty());
    EXPECT_EQ(form.Caption, "Ссудомер 2.0 - режим ввода платежей");
    EXPECT_EQ(headers(form), kPaymentHeaderTexts);
    EXPECT_EQ(form.DateTimePicker2.Date, f.port.todayDate);
    EXPECT_FALSE(form.StringGrid1.rowHasText(1));
    EXPECT_EQ(form.Label15, "0");
    // "Очистить таблицу" keeps the state it had.
    expectState(form, {false, "Режим расчета", false, true, true, false, true, true});

    form.N13Click();
    EXPECT_EQ(headers(form), kCalculationHeaderTexts);
    expectState(form, {true, "Режим ввода", true, false, false, false, true, true});
}

TEST(Modes, PaymentsEnteredLockTheInputsUntilTheModeChanges) {
    RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    expectState(f.form, {false, "Режим расчета", false, true, true, true, true, false});
    EXPECT_TRUE(f.form.PaymentsModified);

    f.port.answers = {app::kAnswerNo};
    f.form.Button2Click();
    EXPECT_EQ(f.port.questions.size(), 1u);  // asked once, not again by the mode change
    EXPECT_EQ(f.port.questions[0].caption, "Сохранить изменения?");
    EXPECT_FALSE(f.form.PaymentsModified);
    EXPECT_FALSE(f.form.StringGrid1.rowHasText(1));
    // A mode change leaves "Очистить таблицу" as it was.
    expectState(f.form, {true, "Режим ввода", true, false, false, false, true, true});
}

TEST(Modes, CancellingTheQuestionChangesNothing) {
    RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    const WindowState before = stateOf(f.form);
    const std::string row1 = f.form.StringGrid1.cell(2, 1);

    f.port.answers = {app::kAnswerCancel, app::kAnswerCancel, app::kAnswerCancel};
    f.form.N13Click();
    f.form.Button5Click();
    f.form.N2Click();
    EXPECT_EQ(f.port.questions.size(), 3u);
    EXPECT_TRUE(f.form.N16.Checked);
    EXPECT_EQ(f.form.Caption, "Ссудомер 2.0 - режим ввода платежей");
    EXPECT_EQ(f.form.StringGrid1.cell(2, 1), row1);
    EXPECT_TRUE(f.form.PaymentsModified);
    expectState(f.form, before);
}

TEST(Modes, ChoosingThePaymentModeAgainEmptiesTheTableWithoutAsking) {
    RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    f.form.N16Click();
    EXPECT_TRUE(f.port.questions.empty());
    EXPECT_FALSE(f.form.StringGrid1.rowHasText(1));
    EXPECT_EQ(f.form.NextRow, 1);
    EXPECT_TRUE(f.form.PaymentsModified);
}

TEST(Modes, NewLoanZeroesTheInputsAndKeepsTheMode) {
    RegisterFixture f;
    f.form.N2Click();
    EXPECT_EQ(f.form.SpinEdit1.Text, "0");
    EXPECT_EQ(f.form.SpinEdit2.Text, "0");
    EXPECT_EQ(f.form.SpinEdit3.Text, "0");
    EXPECT_EQ(f.form.DateTimePicker1.Date, f.port.todayDate);
    EXPECT_TRUE(f.form.N16.Checked);
    EXPECT_TRUE(f.form.Button4.Enabled);
    EXPECT_FALSE(f.form.Button5.Enabled);
}

TEST(Modes, FeeBasisSetsTheCaptionAndBringsTheFeeWithinItsNewLimit) {
    FormFixture f;
    f.form.SpinEdit6.Text = "0,50";
    f.form.A1Click();
    EXPECT_EQ(f.form.Label21, "Обслуживание:");
    EXPECT_EQ(f.form.SpinEdit6.Text, "0,50");  // within the limits: as typed
    f.form.SpinEdit6.SetValue(250);
    EXPECT_EQ(f.form.SpinEdit6.Text, "250");
    f.form.N18Click();
    EXPECT_EQ(f.form.Label21, "Обслуживание (%):");
    EXPECT_EQ(f.form.SpinEdit6.Text, "100");  // not 250 % a month
    EXPECT_TRUE(f.form.N18.Checked && !f.form.N19.Checked && !f.form.A1.Checked);

    f.form.A1Click();
    f.form.SpinEdit6.Text = "-5";
    f.form.N19Click();
    EXPECT_EQ(f.form.SpinEdit6.Text, "0");
    f.form.SpinEdit6.Text = "abc";  // no number: left for leaving the field to settle
    f.form.N18Click();
    EXPECT_EQ(f.form.SpinEdit6.Text, "abc");
}

TEST(SaveQuestion, YesSavesUnderTheLoadedFileOrAsksForOne) {
    TempFolder folder;
    RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    f.port.answers = {app::kAnswerYes};
    f.port.filesToSave = {folder / "first.crp"};
    f.form.Button5Click();
    EXPECT_EQ(f.port.questions.size(), 1u);
    EXPECT_NE(ReadBytes(folder / "first.crp").find("1;10.02.2005;"), std::string::npos);
    EXPECT_FALSE(f.form.PaymentsModified);

    // A loaded file is written again under its own path without a dialog.
    f.form.LoadPaymentFile(folder / "first.crp");
    ASSERT_TRUE(f.pay({2005, 3, 10}, "0", PaymentKind::Automatic));
    f.port.answers = {app::kAnswerYes};
    f.form.Button5Click();
    EXPECT_NE(ReadBytes(folder / "first.crp").find("2;10.03.2005;"), std::string::npos);
    EXPECT_TRUE(f.port.filesToSave.empty());
}

TEST(SaveQuestion, ANewLoanNeverOverwritesTheLoadedFile) {
    TempFolder folder;
    RegisterFixture f;
    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    f.form.SaveFile(folder / "old.crp");
    f.form.LoadPaymentFile(folder / "old.crp");
    const std::string oldBytes = ReadBytes(folder / "old.crp");

    f.form.N2Click();
    f.enterLoan("5000", "10", "5", {2006, 1, 1});
    ASSERT_TRUE(f.pay({2006, 2, 1}, "0", PaymentKind::Automatic));
    f.port.answers = {app::kAnswerYes};
    f.port.filesToSave = {std::nullopt};  // the person cancels the dialog
    f.form.N13Click();
    EXPECT_EQ(ReadBytes(folder / "old.crp"), oldBytes);
    EXPECT_TRUE(f.port.filesToSave.empty());  // a dialog was shown instead
}

// "Yes" asks for the payments to be kept: when no file gets written, nothing may be cleared.
TEST(SaveQuestion, YesWithoutASaveCancelsEveryDestructiveOperation) {
    const std::pair<const char*, void (app::MainForm::*)()> operations[] = {
        {"Новый кредит", &app::MainForm::N2Click},
        {"Загрузить платежи", &app::MainForm::N3Click},
        {"Очистить таблицу", &app::MainForm::Button5Click},
        {"Режим расчета (button)", &app::MainForm::Button2Click},
        {"Режим расчета (menu)", &app::MainForm::N13Click},
    };
    TempFolder folder;
    for (const auto& [name, operation] : operations) {
        for (const bool failingSave : {false, true}) {
            RegisterFixture f;
            ASSERT_TRUE(f.pay({2005, 2, 10}, "1500", PaymentKind::PrincipalPlusInterest));
            ASSERT_TRUE(f.pay({2005, 3, 10}, "0", PaymentKind::Automatic));
            const std::vector<std::string> secondRow = f.row(2);
            f.port.answers = {app::kAnswerYes};
            if (failingSave) {
                f.port.filesToSave = {folder / "no-such-folder/loan.crp"};
            } else {
                f.port.filesToSave = {std::nullopt};  // Escape in the save dialog
            }
            f.port.filesToOpen = {folder / "never-opened.crp"};
            f.form.RunHandler([&, operation = operation] { (f.form.*operation)(); });

            const std::string what = std::string(name) + (failingSave ? ", failed save" : "");
            EXPECT_EQ(f.port.questions.size(), 1u) << what;
            EXPECT_EQ(f.port.filesToOpen.size(), 1u) << what;  // never got that far
            EXPECT_EQ(f.form.NextRow, 3) << what;
            EXPECT_EQ(f.row(2), secondRow) << what;
            EXPECT_TRUE(f.form.PaymentsModified) << what;
            EXPECT_TRUE(f.form.N16.Checked) << what;
            EXPECT_EQ(f.form.SpinEdit1.Text, "12000") << what;
            EXPECT_FALSE(f.form.SpinEdit1.Enabled) << what;
            EXPECT_EQ(f.port.messages.size(), failingSave ? 1u : 0u) << what;
        }
    }
}

TEST(SaveQuestion, ClosingAsksOnlyWithUnsavedPayments) {
    RegisterFixture f;
    EXPECT_TRUE(f.form.FormCloseQuery());
    EXPECT_TRUE(f.port.questions.empty());

    ASSERT_TRUE(f.pay({2005, 2, 10}, "0", PaymentKind::Automatic));
    f.port.answers = {app::kAnswerCancel};
    EXPECT_FALSE(f.form.FormCloseQuery());
    f.port.answers = {app::kAnswerYes};
    f.port.filesToSave = {std::nullopt};
    EXPECT_FALSE(f.form.FormCloseQuery());  // the save dialog was cancelled: stay open
    f.port.answers = {app::kAnswerNo};
    EXPECT_TRUE(f.form.FormCloseQuery());
    EXPECT_TRUE(f.form.PaymentsModified);  // closing does not touch the flag

    TempFolder folder;
    f.port.answers = {app::kAnswerYes};
    f.port.filesToSave = {folder / "closing.crp"};
    EXPECT_TRUE(f.form.FormCloseQuery());
    EXPECT_NE(ReadBytes(folder / "closing.crp").find("1;10.02.2005;"), std::string::npos);
}

}  // namespace
