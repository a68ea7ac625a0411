#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "planner_fixture.h"
#include "support/temp_folder.h"

namespace {

using loan::Date;
using testing_support::PlannerFixture;

TEST_F(PlannerFixture, OpensWithTheMainWindowsLoanWithoutItsCalculation) {
    testing_support::FormFixture main;
    main.enterLoan("1000000", "12", "24", {2024, 1, 31});
    main.form.RadioButtonBClick();
    ASSERT_TRUE(planner.TakeLoanFrom(main.form));
    EXPECT_TRUE(planner.EqualPayments.Checked);
    EXPECT_TRUE(planner.Payment.Enabled);
    EXPECT_EQ(row(0), (std::vector<std::string>{"№", "Дата", "Остаток кредита", "Основной платеж",
                                                "Проценты", "Всего за платеж", "Вид платежа"}));
    EXPECT_EQ(row(1), (std::vector<std::string>{"1", "29.02.2024", "1000000,00", "37565,27",
                                                "9508,20", "47073,47", "плановый"}));
    EXPECT_EQ(planner.Table().rowCount(), 26);
    EXPECT_EQ(row(25), (std::vector<std::string>{"Всего:", "", "", "1000000,00", "129306,34",
                                                 "1129306,34", ""}));
    // The editors start after the loan date.
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 2, 29}));

    // The whole-rouble payment of the main window is taken as the contract's figure.
    main.form.SpinEdit5.Text = "47074";
    ASSERT_TRUE(planner.TakeLoanFrom(main.form));
    EXPECT_EQ(row(1)[5], "47074,00");

    main.form.RadioButtonAClick();
    ASSERT_TRUE(planner.TakeLoanFrom(main.form));
    EXPECT_TRUE(planner.Differentiated.Checked);
    EXPECT_FALSE(planner.Payment.Enabled);
    EXPECT_EQ(row(1)[3], "41666,67");

    // An empty main window opens an empty planner, without a message.
    testing_support::FormFixture empty;
    empty.enterLoan("0", "0", "0");
    EXPECT_FALSE(planner.TakeLoanFrom(empty.form));
    EXPECT_FALSE(planner.HasPlan());
    EXPECT_EQ(planner.Table().rowCount(), 1);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(PlannerFixture, AnIncompleteLoanIsToldAndClearsTheEarlierPlan) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    struct Case {
        const char* sum;
        const char* rate;
        const char* term;
        const char* payment;
        const char* message;
    };
    const Case cases[] = {
        {"0", "12", "24", "0", "Что-то забыли ввести..."},
        {"1000000", "", "24", "0", "Что-то забыли ввести..."},  // 0 % is an instalment plan
        {"1000000", "12", "", "0", "Что-то забыли ввести..."},
        {"1000000", "12", "1001", "0",
         "Вы серьезно думаете, что на такой срок вам дадут кредит?!?! %)\r"
         "Срок погашения — не больше 1000 месяцев."},
        {"1e300", "12", "24", "0", "Слишком большая сумма кредита..."},
        {"1000000,005", "12", "24", "0",
         "Суммы задаются в рублях и копейках: не больше двух знаков после запятой."},
        {"1000000", "12", "24", "-1", "Платеж должен быть не меньше нуля (0 - рассчитать)."},
        {"1000000", "12", "24", "1e300",
         "Слишком большой платеж: он должен быть не больше 100 000 000 000,00."},
        {"1000000", "12", "24", "47073,475",
         "Суммы задаются в рублях и копейках: не больше двух знаков после запятой."},
        {"100000000000", "100000", "1000", "0", "Суммы слишком велики для расчета..."},
        {"100000000000,01", "12", "24", "0", "Слишком большая сумма кредита..."},
        {"1000000", "12", "24", "100000000000,01",
         "Слишком большой платеж: он должен быть не больше 100 000 000 000,00."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.sum) + " / " + c.rate + " / " + c.term);
        enterExampleLoan();
        ASSERT_TRUE(planner.Calculate());
        planner.Sum.Text = c.sum;
        planner.Rate.Text = c.rate;
        planner.Term.Text = c.term;
        planner.Payment.Text = c.payment;
        port.messages.clear();
        EXPECT_FALSE(planner.Calculate()) << c.message;
        EXPECT_EQ(messageTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(planner.HasPlan());
        EXPECT_EQ(planner.Table().rowCount(), 1);
        EXPECT_TRUE(planner.Report().values.empty());
    }
}

TEST_F(PlannerFixture, ALoanWhosePaymentsPassTheLastDateIsRefused) {
    enterExampleLoan();
    planner.LoanDate.Date = {9997, 12, 31};
    ASSERT_TRUE(planner.Calculate());
    planner.LoanDate.Date = {9998, 1, 1};
    port.messages.clear();
    EXPECT_FALSE(planner.Calculate());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{app::kPastLastDate});
    EXPECT_FALSE(planner.HasPlan());
}

TEST_F(PlannerFixture, PrepaymentsAreAddedChangedAndRemovedAndThePlanFollows) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    EXPECT_EQ(planner.SelectedPrepayment, 0);
    EXPECT_EQ(planner.PrepaymentTexts(0),
              (std::array<std::string, 4>{"31.03.2024", "500000,00", "уменьшение платежа", ""}));
    EXPECT_EQ(row(3), (std::vector<std::string>{"3", "31.03.2024", "925143,38", "500000,00", "0,00",
                                                "500000,00", "досрочный"}));
    EXPECT_EQ(planner.RowKind(3), loan::PlanRowKind::Prepayment);
    EXPECT_EQ(planner.RowKind(4), loan::PlanRowKind::Regular);
    EXPECT_EQ(row(4)[5], "21624,37");
    EXPECT_EQ(value("Уменьшение платежа: первый платеж"), "47073,47");
    EXPECT_EQ(value("Уменьшение платежа: сумма последнего платежа"), "21608,38");

    // The row selected goes into the editor; "Изменить" puts the editor back into the list.
    planner.SelectPrepayment(-1);
    planner.SelectPrepayment(0);
    EXPECT_EQ(planner.PrepaymentAmount.Text, "500000,00");
    EXPECT_TRUE(planner.LowerPayment.Checked);
    planner.ShortenTermClick();
    ASSERT_TRUE(planner.ChangePrepaymentClick());
    EXPECT_EQ(value("Последний платеж"), "31.01.2025");
    EXPECT_EQ(value("Плановых платежей"), "12");
    const std::string saved = value("Экономия на процентах");
    EXPECT_NE(saved, "0,00");

    ASSERT_TRUE(addPrepayment({2024, 6, 15}, "5000", false, true));
    EXPECT_EQ(planner.PrepaymentTexts(1)[3], "ежемесячно");
    EXPECT_NE(value("Экономия на процентах"), saved);

    planner.SelectPrepayment(0);
    planner.RemovePrepaymentClick();
    ASSERT_EQ(planner.Prepayments().size(), 1u);
    EXPECT_EQ(planner.SelectedPrepayment, 0);
    planner.RemovePrepaymentClick();
    EXPECT_TRUE(planner.Prepayments().empty());
    EXPECT_EQ(planner.SelectedPrepayment, -1);
    EXPECT_EQ(value("Экономия на процентах"), "0,00");
    EXPECT_EQ(planner.Table().rowCount(), 26);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(PlannerFixture, BadEntriesAreToldAndTheListsStayAsTheyWere) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 5, 10}, "1000"));
    const std::vector<loan::Prepayment> before = planner.Prepayments();
    struct Case {
        Date date;
        const char* amount;
        const char* message;
    };
    const Case cases[] = {
        {{2024, 5, 10}, "", "Сумма досрочного погашения должна быть числом, а не \"\"."},
        {{2024, 5, 10}, "12a", "Сумма досрочного погашения должна быть числом, а не \"12a\"."},
        {{2024, 5, 10}, "0", "Сумма досрочного погашения должна быть больше нуля."},
        {{2024, 5, 10}, "-5", "Сумма досрочного погашения должна быть больше нуля."},
        {{2024, 5, 10},
         "1000,001",
         "Суммы задаются в рублях и копейках: не больше двух знаков после запятой."},
        {{2024, 1, 31},
         "1000",
         "Дата досрочного погашения должна быть позже даты получения кредита (31.01.2024)."},
    };
    for (const Case& c : cases) {
        port.messages.clear();
        EXPECT_FALSE(addPrepayment(c.date, c.amount)) << c.message;
        planner.SelectedPrepayment = 0;
        EXPECT_FALSE(planner.ChangePrepaymentClick());
        EXPECT_EQ(messageTexts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_EQ(planner.Prepayments().size(), before.size());
        EXPECT_EQ(planner.Prepayments()[0].amount, before[0].amount);
    }
    port.messages.clear();
    planner.SelectedPrepayment = -1;
    EXPECT_FALSE(planner.ChangePrepaymentClick());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Выберите досрочное погашение в списке."});

    const char* rateMessage = "Новая ставка должна быть числом от 0 до 100000, а не \"";
    for (const char* rate : {"x", "-1", "100001"}) {
        port.messages.clear();
        planner.RateChangeDate.Date = {2024, 6, 1};
        planner.RateChangeRate.Text = rate;
        EXPECT_FALSE(planner.AddRateChangeClick());
        EXPECT_EQ(messageTexts(),
                  std::vector<std::string>{rateMessage + std::string(rate) + "\"."});
    }
    port.messages.clear();
    planner.RateChangeDate.Date = {2024, 1, 1};
    planner.RateChangeRate.Text = "10";
    EXPECT_FALSE(planner.AddRateChangeClick());
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "Дата изменения ставки должна быть позже даты получения кредита (31.01.2024)."});
    EXPECT_TRUE(planner.RateChanges().empty());
}

TEST_F(PlannerFixture, RateChangesAreListedAndChangeThePlan) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    planner.RateChangeDate.Date = {2024, 3, 10};
    planner.RateChangeRate.Text = "18";
    ASSERT_TRUE(planner.AddRateChangeClick());
    EXPECT_EQ(planner.RateChangeTexts(0), (std::array<std::string, 2>{"10.03.2024", "18"}));
    EXPECT_EQ(row(3)[5], "49683,27");

    planner.SelectRateChange(0);
    planner.RateChangeRate.Text = "12,5";
    ASSERT_TRUE(planner.ChangeRateChangeClick());
    EXPECT_EQ(planner.RateChangeTexts(0)[1], "12,5");
    planner.RemoveRateChangeClick();
    EXPECT_TRUE(planner.RateChanges().empty());
    EXPECT_EQ(row(3)[5], "47073,47");
}

TEST_F(PlannerFixture, APrepaymentThatTakesNoPartIsToldOnceAndKept) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    // 4 000 on 15.03.2024 does not cover the 4 733,29 of interest due that day.
    ASSERT_TRUE(addPrepayment({2024, 3, 15}, "4000"));
    const std::string refusal =
        "Досрочное погашение 15.03.2024 на сумму 4000,00 не учтено: оно не больше процентов на "
        "эту дату (4733,29).";
    EXPECT_EQ(messageTexts(), std::vector<std::string>{refusal});
    EXPECT_EQ(planner.Prepayments().size(), 1u);
    EXPECT_EQ(planner.Table().rowCount(), 26);

    // Other changes do not tell it again, but the planner keeps saying it.
    ASSERT_TRUE(addPrepayment({2024, 7, 31}, "100"));
    EXPECT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(planner.Refusals(), std::vector<std::string>{refusal});

    // A monthly one failing in many months is told once, with the repeats counted.
    port.messages.clear();
    ASSERT_TRUE(addPrepayment({2024, 4, 15}, "10", false, true));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text.rfind("Ежемесячное досрочное погашение с 15.04.2024 на сумму "
                                          "10,00 не учтено",
                                          0),
              0u);
    EXPECT_NE(port.messages[0].text.find("повторений: 21."), std::string::npos);

    // A loan date moved past an entry leaves it out, and says so.
    port.messages.clear();
    planner.LoanDate.Date = {2024, 3, 20};
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(messageTexts()[0],
              "Досрочное погашение 15.03.2024 не учтено: оно не позже даты получения кредита "
              "(20.03.2024).");
}

TEST_F(PlannerFixture, PrepaymentsAfterTheLoanIsRepaidAreNoted) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 6, 10}, "2000000"));
    ASSERT_TRUE(addPrepayment({2024, 7, 10}, "1000", false, true));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(planner.Notes(),
              std::vector<std::string>{"Ежемесячное досрочное погашение с 10.07.2024 не учтено: "
                                       "кредит к этой дате уже погашен."});
    EXPECT_EQ(value("Последний платеж"), "10.06.2024");
    EXPECT_EQ(value("Сокращение срока: последний платеж"), "10.06.2024");
    EXPECT_EQ(value("Без досрочных погашений: последний платеж"), "31.01.2026");
}

// Rate changes the plan never reaches are noted like prepayments: one dated after the last
// payment, and one dated before it that would take hold on a regular date after it.
TEST_F(PlannerFixture, RateChangesAfterTheLoanIsRepaidAreNoted) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    planner.RateChangeDate.Date = {2026, 6, 1};
    planner.RateChangeRate.Text = "5";
    ASSERT_TRUE(planner.AddRateChangeClick());
    EXPECT_EQ(planner.Notes(), std::vector<std::string>{"Изменение ставки с 01.06.2026 не учтено: "
                                                        "кредит к этой дате уже погашен."});
    planner.RateChangeDate.Date = {2024, 5, 15};
    planner.RateChangeRate.Text = "10";
    ASSERT_TRUE(planner.AddRateChangeClick());
    ASSERT_TRUE(addPrepayment({2024, 5, 20}, "2000000"));
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(planner.Notes(),
              (std::vector<std::string>{
                  "Изменение ставки с 01.06.2026 не учтено: кредит к этой дате уже погашен.",
                  "Изменение ставки с 15.05.2024 не учтено: кредит погашен 20.05.2024, раньше, "
                  "чем новая ставка вступила бы в силу."}));
}

// A monthly prepayment's notes name it by the date it was entered with, and the repetition
// they speak of by its own.
TEST_F(PlannerFixture, MonthlyPrepaymentNotesQuoteTheEnteredDate) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 2, 29}, "50000", false, true));
    EXPECT_EQ(planner.Notes(),
              std::vector<std::string>{"Ежемесячное досрочное погашение с 29.02.2024 не учтено с "
                                       "29.01.2025: кредит к этой дате уже погашен."});
    planner.RemovePrepayment(0);
    port.messages.clear();
    ASSERT_TRUE(addPrepayment({2024, 2, 29}, "5000", false, true));
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].text.rfind("Ежемесячное досрочное погашение с 29.02.2024 на сумму "
                                          "5000,00 не учтено 29.03.2024: оно не больше процентов "
                                          "на эту дату (",
                                          0),
              0u)
        << port.messages[0].text;
}

// At the amount limit every row of the plan is exact: the balance falls by the principal,
// each total is its parts, and the totals row is the sum of the rows.
TEST_F(PlannerFixture, APlanAtTheAmountLimitIsExact) {
    const auto amount = [](const std::string& text) {
        const std::size_t comma = text.find(',');
        EXPECT_EQ(text.size() - comma, 3u) << text;
        return std::stoll(text.substr(0, comma) + text.substr(comma + 1));
    };
    for (const bool equal : {false, true}) {
        enterExampleLoan();
        planner.Sum.Text = "100000000000";
        planner.Term.Text = "1000";
        if (!equal)
            planner.DifferentiatedClick();
        ASSERT_TRUE(planner.Calculate()) << (port.messages.empty() ? "" : port.messages.back().text);
        const int count = planner.Table().rowCount() - 2;
        long long balance = 10'000'000'000'000, principal = 0, interest = 0;
        for (int r = 1; r <= count; ++r) {
            ASSERT_EQ(amount(planner.Table().cell(2, r)), balance) << r;
            const long long part = amount(planner.Table().cell(3, r));
            const long long due = amount(planner.Table().cell(4, r));
            ASSERT_EQ(amount(planner.Table().cell(5, r)), part + due) << r;
            balance -= part;
            principal += part;
            interest += due;
        }
        EXPECT_EQ(balance, 0);
        EXPECT_EQ(amount(planner.Table().cell(3, count + 1)), principal);
        EXPECT_EQ(amount(planner.Table().cell(4, count + 1)), interest);
        EXPECT_EQ(amount(planner.Table().cell(5, count + 1)), principal + interest);
    }
    planner.Sum.Text = "100000000000,01";
    port.messages.clear();
    EXPECT_FALSE(planner.Calculate());
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Слишком большая сумма кредита..."});

    enterExampleLoan();
    port.messages.clear();
    EXPECT_FALSE(addPrepayment({2024, 6, 1}, "100000000000,01"));
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{
                  "Слишком большая сумма досрочного погашения: она должна быть не больше "
                  "100 000 000 000,00."});
}

TEST_F(PlannerFixture, CsvExportWritesTheReportWithAByteOrderMarkAndCrLf) {
    testing_support::TempFolder folder;
    port.csvFile = folder / "plan.csv";
    planner.ExportCsvClick();
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"План не рассчитан: заполните данные по кредиту."});
    EXPECT_FALSE(std::filesystem::exists(*port.csvFile));

    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    ASSERT_TRUE(planner.RunHandler([&] { planner.ExportCsvClick(); }));
    const std::string bytes = testing_support::ReadBytes(*port.csvFile);
    EXPECT_EQ(bytes, app::CsvFileBytes(planner.Report()));
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за "
                          "платеж;Вид платежа;Остаток после платежа\r\n1;29.02.2024;",
                          0),
              0u);
    EXPECT_NE(bytes.find("\r\n3;31.03.2024;925143,38;500000,00;0,00;500000,00;досрочный;425143,38\r\n"),
              std::string::npos);

    // A file that cannot be written is told through the handler; the earlier one stays.
    port.messages.clear();
    port.csvFile = folder.path();
    EXPECT_FALSE(planner.RunHandler([&] { planner.ExportCsvClick(); }));
    EXPECT_EQ(port.messages.size(), 1u);
    port.csvFile = std::nullopt;
    EXPECT_TRUE(planner.RunHandler([&] { planner.ExportCsvClick(); }));
}

// The form hands its shift rule, payment day and calendar (with the user's file) to the plan.
TEST_F(PlannerFixture, PaymentsDueOnDaysOffMoveByTheCalendarAndTheUsersFile) {
    enterExampleLoan();
    planner.Shift = loan::PaymentShift::Next;
    ASSERT_TRUE(planner.Calculate());
    // Sunday 31.03.2024 is paid on Monday 01.04.2024, its interest counting the extra day.
    EXPECT_EQ(row(2)[1], "01.04.2024");
    EXPECT_EQ(row(2)[4], "10097,68");  // 962 434,73 x 12 % x 32 / 366: one day more
    // 29 and 30 April 2024 were days off by the Government's decree, 1 May a holiday.
    EXPECT_EQ(row(3)[1], "02.05.2024");
    planner.Shift = loan::PaymentShift::Modified;
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(2)[1], "29.03.2024");
    EXPECT_TRUE(planner.Notes().empty());

    // The user's file makes Friday 29.03.2024 a day off as well: back to Thursday.
    std::filesystem::create_directories(config / "ssudomer");
    testing_support::WriteBytes(config / "ssudomer/calendar.txt", "29.03.2024 нерабочий\n");
    ASSERT_TRUE(planner.LoadUserCalendar());
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(2)[1], "28.03.2024");
    planner.AddCalendarChanges({{{2024, 3, 28}, false}});
    EXPECT_EQ(row(2)[1], "27.03.2024");

    // A bad line is told with the file and the line; the calendar stays as it was.
    testing_support::WriteBytes(config / "ssudomer/calendar.txt",
                                "29.03.2024 нерабочий\n30.02.2024 рабочий\n");
    port.messages.clear();
    EXPECT_FALSE(planner.LoadUserCalendar());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].text.find("calendar.txt"), std::string::npos);
    EXPECT_NE(port.messages[0].text.find("Строка 2"), std::string::npos);
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(2)[1], "27.03.2024");
}

TEST_F(PlannerFixture, ARateOfZeroAndAPaymentDayAreTaken) {
    enterExampleLoan();
    planner.Rate.Text = "0";
    planner.PaymentDay.Text = "10";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(1), (std::vector<std::string>{"1", "10.02.2024", "1000000,00", "41666,67",
                                                "0,00", "41666,67", "плановый"}));
    EXPECT_EQ(value("Выплачено процентов"), "0,00");
    EXPECT_EQ(planner.Table().cell(1, 24), "10.01.2026");
}

TEST_F(PlannerFixture, AYearWithoutAnApprovedCalendarIsNotedOncePerYear) {
    enterExampleLoan();
    planner.LoanDate.Date = {2026, 6, 15};
    planner.Shift = loan::PaymentShift::Next;
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(planner.Notes(),
              (std::vector<std::string>{
                  "календарь на 2027 год не утвержден: выходные по Трудовому кодексу",
                  "календарь на 2028 год не утвержден: выходные по Трудовому кодексу"}));
    EXPECT_TRUE(port.messages.empty());  // a note, not a box
}

}  // namespace

namespace {

// The planner's editors and what its window shows beside the table's cells.
class PlannerEditorsTest : public PlannerFixture {};

TEST_F(PlannerEditorsTest, TheEditorsFollowTheLoanDateUnlessGivenADateOfTheirOwn) {
    enterExampleLoan();
    planner.LoanDateChange({2024, 1, 31});
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 2, 29}));
    EXPECT_EQ(planner.RateChangeDate.Date, (Date{2024, 2, 29}));
    // "Добавить" takes the editor's date at once.
    planner.PrepaymentAmount.Text = "1000";
    EXPECT_TRUE(planner.AddPrepaymentClick());
    EXPECT_TRUE(port.messages.empty());

    // A date of the person's own stays while it is after the loan date; the other follows.
    planner.PrepaymentDate.Date = {2024, 6, 15};
    planner.LoanDateChange({2024, 3, 10});
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 6, 15}));
    EXPECT_EQ(planner.RateChangeDate.Date, (Date{2024, 4, 10}));
    planner.LoanDateChange({2024, 7, 1});
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 8, 1}));

    // The payment day and the shift decide the next payment date too: Saturday 16.03.2024
    // is paid on Monday.
    planner.PaymentDayChange(16);
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 8, 16}));
    planner.LoanDateChange({2024, 2, 1});
    EXPECT_EQ(planner.RateChangeDate.Date, (Date{2024, 3, 16}));
    planner.ShiftChange(loan::PaymentShift::Next);
    EXPECT_EQ(planner.RateChangeDate.Date, (Date{2024, 3, 18}));
    EXPECT_EQ(planner.PrepaymentDate.Date, (Date{2024, 3, 18}));
}

TEST_F(PlannerEditorsTest, PrepaymentsAreShownByDateWithThePaymentThatFollows) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 6, 30}, "100000"));
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "1000"));
    // One date keeps the order given: the plan makes them in it.
    EXPECT_EQ(planner.PrepaymentOrder(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(planner.Prepayments()[0].date, (Date{2024, 6, 30}));

    // The regular payment after 31.03.2024 is that of 30.04.2024, after both prepayments.
    const int nextRow = 5;
    ASSERT_EQ(row(nextRow)[1], "30.04.2024");
    EXPECT_EQ(planner.NextPaymentText(1), row(nextRow)[5]);
    EXPECT_EQ(planner.NextPaymentText(2), row(nextRow)[5]);
    EXPECT_EQ(planner.NextPaymentText(0), row(9)[5]);
    ASSERT_EQ(row(9)[1], "31.07.2024");

    // Past the last payment there is none to show; without a plan neither.
    ASSERT_TRUE(addPrepayment({2027, 1, 1}, "1000"));
    EXPECT_EQ(planner.NextPaymentText(3), "");
    planner.Sum.Text = "0";
    EXPECT_FALSE(planner.Calculate());
    EXPECT_EQ(planner.NextPaymentText(0), "");
}

TEST_F(PlannerEditorsTest, MovedPaymentsSayFromWhereAndEveryRowItsBalanceAfter) {
    enterExampleLoan();
    planner.Shift = loan::PaymentShift::Next;
    ASSERT_TRUE(planner.Calculate());
    ASSERT_NE(planner.RowMarks(1), nullptr);
    EXPECT_EQ(planner.RowMarks(1)->moved, "");
    EXPECT_EQ(planner.RowMarks(1)->balanceAfter, "962434,73");  // 1 000 000 - 37 565,27
    EXPECT_EQ(row(2)[1], "01.04.2024");
    EXPECT_EQ(planner.RowMarks(2)->moved, "перенесено с 31.03.2024: нерабочий день");
    EXPECT_EQ(planner.RowMarks(24)->balanceAfter, "0,00");
    EXPECT_EQ(planner.RowMarks(25), nullptr);  // the totals row
    EXPECT_EQ(planner.RowMarks(0), nullptr);
    // The report's last column is the same figure.
    EXPECT_EQ(planner.Report().lastColumn[1], "962434,73");

    // A payment day of its own: the nominal date is that day.
    planner.PaymentDay.Text = "16";
    ASSERT_TRUE(planner.Calculate());
    EXPECT_EQ(row(1)[1], "16.02.2024");
    EXPECT_EQ(row(2)[1], "18.03.2024");
    EXPECT_EQ(planner.RowMarks(2)->moved, "перенесено с 16.03.2024: нерабочий день");
    // Prepayment rows are made on their own date: never marked as moved.
    ASSERT_TRUE(addPrepayment({2024, 3, 16}, "100000"));
    EXPECT_EQ(row(2)[6], "досрочный");
    EXPECT_EQ(planner.RowMarks(2)->moved, "");
}

TEST_F(PlannerEditorsTest, APaymentBelowItsInterestIsMarkedInItsRowsAndToldOnce) {
    // At 1000 % the interest of a first period of 31 days is above the computed annuity.
    enterExampleLoan();
    planner.Rate.Text = "1000";
    planner.LoanDate.Date = {2024, 1, 15};
    ASSERT_TRUE(planner.Calculate());
    const int rows = planner.Table().rowCount() - 2;
    int marked = 0;
    for (int r = 1; r <= rows; ++r) {
        const app::PlanRowMarks* marks = planner.RowMarks(r);
        ASSERT_NE(marks, nullptr);
        if (marks->interestOnly.empty()) {
            EXPECT_NE(row(r)[3], "0,00") << r;
            continue;
        }
        ++marked;
        EXPECT_EQ(row(r)[3], "0,00") << r;
        EXPECT_EQ(marks->interestOnly, "платеж не больше процентов за период (" + row(r)[4] +
                                           "): платятся только проценты, долг не уменьшается");
    }
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(row(rows)[3], row(rows)[2]);  // the last one pays the debt
    const auto warnings = std::count_if(
        planner.Notes().begin(), planner.Notes().end(),
        [](const std::string& note) { return note.find("не покрывает проценты") != std::string::npos; });
    EXPECT_EQ(warnings, 1);
    // The payment was computed, not agreed: the warning does not call it the contract's.
    EXPECT_EQ(planner.Notes()[0].rfind("Ежемесячный платеж ", 0), 0u) << planner.Notes()[0];

    // A differentiated plan pays principal in every row.
    planner.DifferentiatedClick();
    ASSERT_TRUE(planner.Calculate());
    for (int r = 1; r <= planner.Table().rowCount() - 2; ++r)
        EXPECT_EQ(planner.RowMarks(r)->interestOnly, "") << r;
}

TEST_F(PlannerEditorsTest, TheComparisonGivesTheTermSavedAndBothPaymentsApart) {
    enterExampleLoan();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(addPrepayment({2024, 3, 31}, "500000", true));
    const std::array<app::ComparisonLine, 4> lines = planner.ComparisonLines();
    EXPECT_EQ(lines[0][0], "Введенный план");
    EXPECT_EQ(lines[0][2], value("Срок короче, мес."));
    EXPECT_EQ(lines[0][2], "0");  // lowering the payment keeps the term
    EXPECT_EQ(lines[1][2], "0");
    EXPECT_EQ(lines[2][1], value("Сокращение срока: плановых платежей"));
    EXPECT_EQ(lines[2][2], value("Сокращение срока: срок короче, мес."));
    EXPECT_EQ(lines[2][2], "12");
    EXPECT_EQ(lines[2][3], "31.01.2025");
    EXPECT_EQ(lines[3][4], "47073,47");
    EXPECT_EQ(lines[3][5], value("Уменьшение платежа: сумма последнего платежа"));
    EXPECT_EQ(lines[3][8], value("Уменьшение платежа: экономия"));
}

TEST_F(PlannerEditorsTest, ACalendarEditedIsTakenAndThePlanComputedAgain) {
    enterExampleLoan();
    planner.Shift = loan::PaymentShift::Next;
    ASSERT_TRUE(planner.Calculate());
    ASSERT_EQ(row(2)[1], "01.04.2024");
    std::filesystem::create_directories(config / "ssudomer");
    testing_support::WriteBytes(config / "ssudomer/calendar.txt", "01.04.2024 нерабочий\n");
    planner.CalendarEdited();
    EXPECT_EQ(row(2)[1], "02.04.2024");
    // The change removed again: the file is gone and so is its mark.
    std::filesystem::remove(config / "ssudomer/calendar.txt");
    planner.CalendarEdited();
    EXPECT_EQ(row(2)[1], "01.04.2024");
    EXPECT_TRUE(port.messages.empty());
}

}  // namespace
