// Plan files: every setting written and read back, hand-written variants, the version line,
// bad lines named by line and field, and the planner's open, save and save question.

#include <gtest/gtest.h>

#include <cerrno>

#include "app/plan_file.h"
#include "loan/amount_limit.h"
#include "planner_fixture.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "text/errors.h"

namespace {

using testing_support::PlannerFixture;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

app::PlanFileData fullPlan() {
    app::PlanFileData plan;
    plan.sum = 100000050LL * 100;  // 1 000 000,50
    plan.rate = 12.35;
    plan.term = 24;
    plan.loanDate = {2024, 1, 31};
    plan.scheme = loan::PlanScheme::Annuity;
    plan.payment = 4800001 * 100;  // 48 000,01
    plan.shift = loan::PaymentShift::Modified;
    plan.paymentDay = 15;
    plan.prepayments = {{{2024, 3, 31}, 500000LL * 10000, loan::PrepaymentMode::LowerPayment, false},
                        {{2024, 2, 29}, 1005 * 100, loan::PrepaymentMode::ShortenTerm, true}};
    plan.rateChanges = {{{2024, 6, 1}, 10.5}, {{2024, 5, 1}, 0}};
    plan.budget = loan::PlanBudget{60000LL * 10000, loan::PrepaymentMode::ShortenTerm};
    plan.targetDate = loan::Date{2025, 12, 31};
    return plan;
}

constexpr const char* kFullPlanText =
    "ssudomer-plan 1\n"
    "sum = 1000000.50\n"
    "rate = 12.35\n"
    "term = 24\n"
    "date = 31.01.2024\n"
    "scheme = equal\n"
    "payment = 48000.01\n"
    "shift = modified\n"
    "payment-day = 15\n"
    "prepay = 31.03.2024 500000.00 payment\n"
    "prepay = 29.02.2024 10.05 term monthly\n"
    "rate-change = 01.06.2024 10.5\n"
    "rate-change = 01.05.2024 0\n"
    "budget = 60000.00 term\n"
    "target-date = 31.12.2025\n";

TEST(PlanFileFormat, WritesEverySettingAndReadsItBack) {
    EXPECT_EQ(app::FormatPlanFile(fullPlan()), kFullPlanText);
    EXPECT_TRUE(app::SamePlan(app::ParsePlanText(kFullPlanText), fullPlan()));

    // Without the settings that may be left out: no payment, budget or target lines.
    app::PlanFileData plain = fullPlan();
    plain.scheme = loan::PlanScheme::Differentiated;
    plain.budget.reset();
    plain.targetDate.reset();
    plain.prepayments.clear();
    plain.rateChanges.clear();
    const std::string text = app::FormatPlanFile(plain);
    EXPECT_EQ(text.find("payment ="), std::string::npos);
    EXPECT_EQ(text.find("budget"), std::string::npos);
    EXPECT_NE(text.find("scheme = differentiated\n"), std::string::npos);
    app::PlanFileData read = app::ParsePlanText(text);
    plain.payment.reset();  // the contract's payment goes with equal payments only
    EXPECT_TRUE(app::SamePlan(read, plain));
}

TEST(PlanFileFormat, ReadsWhatAPersonWritesByHand) {
    // A signature, CR LF, comments, blank lines, any order, "," and missing kopecks, the
    // defaults for what is left out, a budget without its mode.
    const app::PlanFileData plan = app::ParsePlanText(
        "\xEF\xBB\xBFssudomer-plan   1\r\n"
        "# my mortgage\r\n"
        "\r\n"
        "date = 1.2.2024   # the day the money came\r\n"
        "\tterm=360\r\n"
        "rate = 9,9\r\n"
        "sum = 4500000,5\r\n"
        "rate-change = 01.01.2025   8\r\n"
        "budget = 50000\r\n");
    EXPECT_EQ(plan.sum, 450000050LL * 100);
    EXPECT_EQ(plan.rate, 9.9);
    EXPECT_EQ(plan.term, 360);
    EXPECT_EQ(plan.loanDate, (loan::Date{2024, 2, 1}));
    EXPECT_EQ(plan.scheme, loan::PlanScheme::Differentiated);
    EXPECT_EQ(plan.shift, loan::PaymentShift::Next);
    EXPECT_EQ(plan.paymentDay, 0);
    ASSERT_EQ(plan.rateChanges.size(), 1u);
    EXPECT_EQ(plan.rateChanges[0].annualRate, 8);
    ASSERT_TRUE(plan.budget);
    EXPECT_EQ(plan.budget->mode, loan::PrepaymentMode::LowerPayment);
    EXPECT_FALSE(plan.targetDate);
}

TEST(PlanFileFormat, RatesAndAmountsAreWrittenExactly) {
    app::PlanFileData plan = fullPlan();
    plan.rate = 0.1 + 0.2;  // 0.30000000000000004
    plan.rateChanges = {{{2024, 6, 1}, 1e-7}};
    plan.sum = loan::kMaxScaledAmount;
    const std::string text = app::FormatPlanFile(plan);
    EXPECT_NE(text.find("rate = 0.30000000000000004\n"), std::string::npos);
    EXPECT_NE(text.find("rate-change = 01.06.2024 0.0000001\n"), std::string::npos);
    EXPECT_NE(text.find("sum = 100000000000.00\n"), std::string::npos);
    EXPECT_TRUE(app::SamePlan(app::ParsePlanText(text), plan));
}

// Each line after a good beginning, with what its message must say.
struct BadLine {
    const char* line;
    const char* message;
};

TEST(PlanFileFormat, ABadLineIsNamedByItsNumberAndField) {
    const std::string head = "ssudomer-plan 1\nsum = 1000\nrate = 12\nterm = 12\ndate = 10.01.2024\n";
    const BadLine cases[] = {
        {"sum = 1OOO", "Строка 6, поле \"sum\" (сумма кредита): \"1OOO\" не является числом."},
        {"rate = 12%", "Строка 6, поле \"rate\" (процентная ставка): \"12%\" не является числом."},
        {"rate-change = 01.02.2024 100001",
         "Строка 6, поле \"rate-change\" (изменение ставки), ставка: ставка должна быть числом "
         "от 0 до 100000, а не \"100001\"."},
        {"term = 1001", "Строка 6, поле \"term\" (срок, месяцев): нужно целое число от 1 до 1000, "
                        "а не \"1001\"."},
        {"prepay = 31.02.2024 100 term",
         "Строка 6, поле \"prepay\" (досрочное погашение), дата: \"31.02.2024\" не является "
         "датой."},
        {"prepay = 29.02.2024 100.005 term", "Строка 6, поле \"prepay\" (досрочное погашение), "
                                             "сумма: \"100.005\" — суммы задаются в рублях и "
                                             "копейках"},
        {"prepay = 29.02.2024 0 term", "сумма: сумма должна быть больше нуля."},
        {"prepay = 29.02.2024 100 sooner", "режим: нужно term (сокращение срока) или payment"},
        {"prepay = 29.02.2024 100 term weekly", "повтор: нужно monthly или ничего"},
        {"prepay = 29.02.2024 100", "нужно \"ДД.ММ.ГГГГ сумма term|payment [monthly]\""},
        {"prepay = 10.01.2024 100 term",
         "Строка 6, поле \"prepay\" (досрочное погашение), дата: должна быть позже даты "
         "получения кредита (10.01.2024)."},
        {"budget = 100000000000.01", "\"100000000000.01\" — больше предела 100000000000.00."},
        {"shift = later", "Строка 6, поле \"shift\" (перенос с выходных): нужно next, modified"},
        {"payment-day = 32", "нужно целое число от 0 до 31"},
        {"payment = 5000", "Строка 6, поле \"payment\" (платеж по договору): платеж по договору "
                           "задается только при \"scheme = equal\"."},
        {"scheme = annuity", "Строка 6, поле \"scheme\" (схема платежей): нужно equal"},
        {"sum = 2000", "Строка 6, поле \"sum\" (сумма кредита): задано второй раз (уже в строке 2)."},
        {"early-fee = 1", "Строка 6: неизвестное поле \"early-fee\"."},
        {"just words", "Строка 6: нужно \"поле = значение\", а не \"just words\"."},
        {"target-date = tomorrow", "поле \"target-date\" (погасить к): \"tomorrow\" не является датой."},
    };
    for (const BadLine& bad : cases) {
        try {
            app::ParsePlanText(head + bad.line + "\n");
            ADD_FAILURE() << bad.line << " was read";
        } catch (const loan::ConversionError& error) {
            EXPECT_NE(std::string(error.what()).find(bad.message), std::string::npos)
                << bad.line << ": " << error.what();
        }
    }
    // A setting that is missing is named too.
    EXPECT_THROW(app::ParsePlanText("ssudomer-plan 1\nsum = 1\nrate = 1\nterm = 1\n"),
                 loan::ConversionError);
}

TEST(PlanFileFormat, TheVersionLineComesFirstAndALaterVersionIsRefused) {
    const std::string rest = "sum = 1000\nrate = 12\nterm = 12\ndate = 10.01.2024\n";
    EXPECT_NO_THROW(app::ParsePlanText("ssudomer-plan 1\n" + rest));
    const std::pair<std::string, std::string> cases[] = {
        {"ssudomer-plan 2\n" + rest,
         "Строка 1: план версии 2 записан более новой программой; эта читает планы версии 1."},
        {"ssudomer-plan 0\n" + rest, "Строка 1: \"0\" — не номер версии плана"},
        {rest, "Строка 1: это не план Ссудомера: первой должна быть строка \"ssudomer-plan 1\""},
        {"", "Файл пуст"},
    };
    for (const auto& [text, message] : cases) {
        try {
            app::ParsePlanText(text);
            ADD_FAILURE() << text;
        } catch (const loan::ConversionError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

TEST(PlanFileFormat, NamesPlanFilesWhateverTheCaseOfTheExtension) {
    EXPECT_TRUE(app::NamesPlanFile("/home/a/план.crplan"));
    EXPECT_TRUE(app::NamesPlanFile("PLAN.CrPlan"));
    EXPECT_FALSE(app::NamesPlanFile("loan.crp"));
    EXPECT_FALSE(app::NamesPlanFile("plan.crplan.bak"));
}

class PlannerPlanFile : public PlannerFixture {
  protected:
    void enterPlanWithEntries() {
        enterExampleLoan();
        ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
        ASSERT_TRUE(addPrepayment({2024, 4, 30}, "10000", false, true));
        planner.RateChangeDate.Date = {2024, 6, 1};
        planner.RateChangeRate.Text = "10,5";
        ASSERT_TRUE(planner.AddRateChangeClick());
        planner.Budget.Text = "60000";
        planner.HasTarget = true;
        planner.TargetDate.Date = {2025, 12, 31};
        ASSERT_TRUE(planner.Calculate());
    }

    TempFolder folder;
};

TEST_F(PlannerPlanFile, ASavedPlanOpensInAnotherPlannerAsItWas) {
    enterPlanWithEntries();
    const std::string path = folder / "mortgage.crplan";
    port.plansToSave.push_back(path);
    ASSERT_TRUE(planner.RunHandler([&] { EXPECT_TRUE(planner.SavePlanClick()); }));
    EXPECT_EQ(planner.Caption(), "Досрочное погашение - mortgage.crplan");
    EXPECT_FALSE(planner.PlanModified());
    EXPECT_EQ(ReadBytes(path),
              "ssudomer-plan 1\nsum = 1000000.00\nrate = 12\nterm = 24\ndate = 31.01.2024\n"
              "scheme = equal\nshift = none\npayment-day = 0\n"
              "prepay = 31.03.2024 500000.00 payment\nprepay = 30.04.2024 10000.00 term monthly\n"
              "rate-change = 01.06.2024 10.5\nbudget = 60000.00 payment\n"
              "target-date = 31.12.2025\n");

    testing_support::FakePort otherPort;
    app::PlannerForm other(otherPort, loan::Locale::withSeparator('.'));
    otherPort.plansToOpen.push_back(path);
    ASSERT_TRUE(other.RunHandler([&] { EXPECT_TRUE(other.OpenPlanClick()); }));
    EXPECT_TRUE(other.HasPlan());
    EXPECT_EQ(other.Sum.Text, "1000000.00");
    EXPECT_EQ(other.RateChangeTexts(0)[1], "10.5");
    EXPECT_EQ(other.Prepayments().size(), 2u);
    EXPECT_TRUE(other.EqualPayments.Checked);
    EXPECT_EQ(other.Budget.Value(), 60000);
    EXPECT_TRUE(other.HasTarget);
    EXPECT_EQ(other.Table().rowCount(), planner.Table().rowCount());
    EXPECT_FALSE(other.PlanModified());
    other.Term.Text = "25";
    EXPECT_TRUE(other.PlanModified());
}

TEST_F(PlannerPlanFile, ABrokenFileIsRefusedWholeAndThePlannerStaysAsItWas) {
    enterPlanWithEntries();
    const std::string path = folder / "bad.crplan";
    WriteBytes(path, "ssudomer-plan 1\nsum = 5000\nrate = 7\nterm = 12\ndate = 10.01.2024\n"
                     "prepay = 10.02.2024 100 term\nrate-change = 01.03.2024 x\n");
    const int rows = planner.Table().rowCount();
    port.answers.push_back(app::kAnswerNo);  // the question about the plan on screen
    port.plansToOpen.push_back(path);
    EXPECT_FALSE(planner.RunHandler([&] { planner.OpenPlanClick(); }));
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(port.messages.back().text,
              "Файл \"" + path + "\" не загружен; ничего не изменено.\rСтрока 7, поле "
              "\"rate-change\" (изменение ставки), ставка: \"x\" не является числом.");
    EXPECT_EQ(planner.Sum.Text, "1000000");
    EXPECT_EQ(planner.Prepayments().size(), 2u);
    EXPECT_EQ(planner.RateChanges().size(), 1u);
    EXPECT_TRUE(planner.HasPlan());
    EXPECT_EQ(planner.Table().rowCount(), rows);
    EXPECT_EQ(planner.Caption(), "Досрочное погашение");
    EXPECT_TRUE(planner.PlanModified());  // still offered for saving
}

TEST_F(PlannerPlanFile, AFailedSaveLeavesTheOldFileAndThePlanUnsaved) {
    enterPlanWithEntries();
    const std::string path = folder / "plan.crplan";
    ASSERT_TRUE(planner.RunHandler([&] { planner.SavePlanFile(path); }));
    const std::string saved = ReadBytes(path);
    planner.RemovePrepayment(0);
    EXPECT_TRUE(planner.PlanModified());
    for (const storage::WriteStage stage : {storage::WriteStage::Write, storage::WriteStage::Replace}) {
        storage::ScopedWriteFault fault([stage](storage::WriteStage at) { return at == stage ? ENOSPC : 0; });
        EXPECT_FALSE(planner.RunHandler([&] { planner.SavePlanClick(); }));
        EXPECT_NE(port.messages.back().text.find("прежнее содержимое файла не изменено"),
                  std::string::npos)
            << port.messages.back().text;
        EXPECT_EQ(ReadBytes(path), saved);
        EXPECT_TRUE(planner.PlanModified());
    }
    // A folder under the name is refused and left alone.
    std::filesystem::create_directory(folder / "folder.crplan");
    EXPECT_FALSE(planner.RunHandler([&] { planner.SavePlanFile(folder / "folder.crplan"); }));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "folder.crplan"));
    EXPECT_EQ(planner.PlanFilePath(), path);
}

TEST_F(PlannerPlanFile, TheQuestionOnClosingCancelKeepsNoDiscardsYesSaves) {
    enterPlanWithEntries();
    const std::string path = folder / "plan.crplan";
    ASSERT_TRUE(planner.RunHandler([&] { planner.SavePlanFile(path); }));
    const std::string saved = ReadBytes(path);
    EXPECT_TRUE(planner.ClosePlanQuery(false));  // nothing changed: no question
    EXPECT_TRUE(port.questions.empty());

    planner.RemovePrepayment(0);
    planner.Rate.Text = "15";
    port.answers = {app::kAnswerCancel};
    EXPECT_FALSE(planner.ClosePlanQuery(false));
    ASSERT_EQ(port.questions.size(), 1u);
    EXPECT_EQ(port.questions[0].caption, "Сохранить изменения?");
    EXPECT_EQ(port.questions[0].text,
              "Сохранить изменения в плане \"plan.crplan\"?\rВсе несохраненные изменения будут "
              "утеряны!!!");
    EXPECT_EQ(planner.Prepayments().size(), 1u);
    EXPECT_EQ(planner.Rate.Text, "15");

    port.answers = {app::kAnswerNo};
    EXPECT_TRUE(planner.ClosePlanQuery(false));
    EXPECT_EQ(planner.Prepayments().size(), 2u);  // back to the file's plan
    EXPECT_EQ(planner.Rate.Value(), 12);
    EXPECT_FALSE(planner.PlanModified());
    EXPECT_EQ(ReadBytes(path), saved);

    planner.Rate.Text = "15";
    port.answers = {app::kAnswerYes};
    EXPECT_TRUE(planner.ClosePlanQuery(false));
    EXPECT_NE(ReadBytes(path).find("rate = 15\n"), std::string::npos);
}

TEST_F(PlannerPlanFile, WithoutAFileOnlyEntriesAreAskedAboutAndACancelledDialogKeepsThem) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    EXPECT_FALSE(planner.PlanModified());  // the loan alone is the main window's
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    EXPECT_TRUE(planner.PlanModified());
    // The window closes without a question and keeps its lists; the program's end asks.
    EXPECT_TRUE(planner.ClosePlanQuery(false));
    EXPECT_TRUE(port.questions.empty());

    port.answers = {app::kAnswerYes};  // "Да", then the dialog is cancelled
    port.plansToSave.push_back(std::nullopt);
    EXPECT_FALSE(planner.ClosePlanQuery(true));
    EXPECT_EQ(planner.Prepayments().size(), 1u);
    EXPECT_EQ(port.offeredPlans, std::vector<std::string>{""});

    port.answers = {app::kAnswerNo};
    EXPECT_TRUE(planner.ClosePlanQuery(true));
    EXPECT_TRUE(planner.Prepayments().empty());
    EXPECT_FALSE(planner.PlanModified());

    // An incomplete loan is said before any dialog, and nothing is written.
    planner.Sum.Text = "";
    EXPECT_TRUE(planner.RunHandler([&] { EXPECT_FALSE(planner.SavePlanAsClick()); }));
    EXPECT_EQ(port.offeredPlans.size(), 1u);
    EXPECT_EQ(port.messages.back().text, app::kMissingInput);
}

}  // namespace
