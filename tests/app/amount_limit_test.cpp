// The amount limit: sums up to 10^11 are computed with every figure exact to the kopeck,
// anything beyond is refused with a message instead of shown with digits lost.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/loan_header.h"
#include "text/errors.h"
#include "app/register_fixture.h"
#include "support/fake_port.h"

namespace {

using loan::ScaledAmount;
using Wide = __int128;

// A money text read digit by digit, without any floating point: "-123,4567" is -1234567.
// Empty for a text that is not a whole amount with two to four decimals after ",".
std::optional<ScaledAmount> exactAmount(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t comma = text.find(',');
    const std::size_t start = negative ? 1 : 0;
    if (comma == std::string::npos || comma == start || text.size() - comma - 1 < 2 ||
        text.size() - comma - 1 > 4)
        return std::nullopt;
    Wide value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (i == comma)
            continue;
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    for (std::size_t decimals = text.size() - comma - 1; decimals < 4; ++decimals) value *= 10;
    return static_cast<ScaledAmount>(negative ? -value : value);
}

// A percentage given with at most two decimals, in hundredths of a percent.
Wide hundredths(const std::string& percent) {
    const std::size_t comma = percent.find(',');
    std::string digits = percent.substr(0, comma);
    std::string decimals = comma == std::string::npos ? "" : percent.substr(comma + 1);
    decimals.resize(2, '0');
    return std::stoll(digits + decimals);
}

// Whether `figure` is `numerator / denominator` (scaled) to the kopeck: the rules round to
// a ten-thousandth first and then to the kopeck, so the figure may lie half a kopeck and
// one ten-thousandth away, never more.
bool withinKopeck(ScaledAmount figure, Wide numerator, Wide denominator) {
    Wide difference = static_cast<Wide>(figure) * denominator - numerator;
    if (difference < 0)
        difference = -difference;
    return difference <= 51 * denominator;
}

class AmountLimit : public ::testing::Test, protected testing_support::FormFixture {
  protected:
    ScaledAmount cellAmount(int column, int row) {
        const std::string text = form.StringGrid1.cell(column, row);
        const auto amount = exactAmount(text);
        EXPECT_TRUE(amount) << "column " << column << " row " << row << ": '" << text << "'";
        return amount.value_or(0);
    }

    // Checks every figure of the computed schedule against integer arithmetic: the balance
    // falls by exactly the principal part, a row's total is its parts, interest and fee are
    // the rate's and the fee's share of the balance to the kopeck, and the totals row and
    // the labels are the exact sums of the rows as written.
    void expectExactSchedule(const std::string& sum, const std::string& rate,
                             const std::string& feePercent, int term) {
        SCOPED_TRACE("sum " + sum + ", rate " + rate + ", fee " + feePercent);
        ASSERT_TRUE(port.messages.empty()) << port.messages.back().text;
        const Wide loan = *exactAmount(sum.find(',') == std::string::npos ? sum + ",00" : sum);
        const Wide rate100 = hundredths(rate);
        const Wide fee100 = hundredths(feePercent);
        EXPECT_TRUE(withinKopeck(*exactAmount(form.Label9), loan, term));

        ScaledAmount balance = static_cast<ScaledAmount>(loan);
        std::vector<ScaledAmount> sums(7, 0);
        int row = 1;
        for (; row <= term && form.StringGrid1.cell(0, row) == std::to_string(row); ++row) {
            ASSERT_EQ(cellAmount(2, row), balance) << "row " << row;
            const ScaledAmount principal = cellAmount(3, row);
            const ScaledAmount interest = cellAmount(4, row);
            const ScaledAmount fee = cellAmount(5, row);
            ASSERT_EQ(cellAmount(6, row), principal + interest + fee) << "row " << row;
            ASSERT_TRUE(withinKopeck(interest, Wide{balance} * rate100, 120000)) << "row " << row;
            ASSERT_TRUE(withinKopeck(fee, Wide{balance} * fee100, 10000)) << "row " << row;
            for (int column = 3; column <= 6; ++column) sums[column] += cellAmount(column, row);
            balance -= principal;
        }
        const int totals = row;
        ASSERT_EQ(form.StringGrid1.cell(0, totals), "Всего:");
        for (int column = 3; column <= 6; ++column)
            EXPECT_EQ(cellAmount(column, totals), sums[column]) << "column " << column;
        EXPECT_EQ(exactAmount(form.Label15), sums[6]);
        EXPECT_EQ(exactAmount(form.Label17), sums[4]);
        EXPECT_EQ(exactAmount(form.Label11), balance);
    }
};

// Sums at and below the limit, with kopecks, at rates whose totals pass 10^13 (where a text
// of 15 significant digits has no room for the kopecks).
TEST_F(AmountLimit, EveryFigureNearTheLimitIsExactToTheKopeck) {
    std::vector<std::string> sums = {"100000000000", "99999999999,99", "99999999999,01"};
    std::mt19937_64 random(20240131);
    std::uniform_int_distribution<std::int64_t> kopecks(9'900'000'000'000, 9'999'999'999'999);
    for (int i = 0; i < 3; ++i) {
        const std::int64_t k = kopecks(random);
        sums.push_back(std::to_string(k / 100) + "," + std::to_string(k % 100 + 100).substr(1));
    }
    for (const std::string& sum : sums) {
        for (const char* rate : {"12", "30", "1000"}) {
            enterLoan(sum, rate, "1000");
            form.N19Click();  // the fee on the balance: one more share per row
            form.SpinEdit6.Text = "0,5";
            form.Button1Click();
            expectExactSchedule(sum, rate, "0,5", 1000);
        }
    }
}

TEST_F(AmountLimit, EqualPaymentsAtTheLimitAreExactToTheKopeck) {
    enterLoan("100000000000", "12", "1000");
    form.RadioButtonBClick();
    form.Button1Click();  // the annuity comes into the payment field
    ASSERT_EQ(port.messages.size(), 1u);
    port.messages.clear();
    form.Button1Click();
    expectExactSchedule("100000000000", "12", "0", 1000);
}

TEST_F(AmountLimit, ASumPastTheLimitIsRefusedAndTheFieldStopsAtIt) {
    for (const char* sum : {"100000000000,01", "100000000001", "99999999999999",
                            "100000000000000", "99999999999999999999"}) {
        enterLoan(sum, "12", "12");
        form.Button1Click();
        ASSERT_FALSE(port.messages.empty()) << sum;
        EXPECT_EQ(port.messages.back().text, "Слишком большая сумма кредита...") << sum;
        EXPECT_FALSE(form.StringGrid1.rowHasText(1)) << sum;
    }
    form.SpinEdit1.Text = "99999999999999999999";
    form.SpinEdit1.Leave();
    EXPECT_EQ(form.SpinEdit1.Text, "100000000000");
}

// A rate high enough puts a row's interest past the limit, where its figures would lose
// ten-thousandths: the schedule is refused, whatever the sum.
TEST_F(AmountLimit, RowFiguresPastTheLimitRefuseTheSchedule) {
    for (const char* sum : {"100000000000", "2000000000"}) {
        enterLoan(sum, "100000", "1000");
        form.Button1Click();
        ASSERT_FALSE(port.messages.empty()) << sum;
        EXPECT_EQ(port.messages.back().text, "Суммы слишком велики для расчета...") << sum;
        EXPECT_FALSE(form.StringGrid1.rowHasText(1)) << sum;
        EXPECT_EQ(form.Label15, "0,00");
    }
    port.messages.clear();
    enterLoan("1000000000", "100000", "1000");  // every row within the limit: computed
    form.Button1Click();
    expectExactSchedule("1000000000", "100000", "0", 1000);
}

TEST(RegisterLimit, APaymentPastTheLimitIsRefusedAndOneAtItIsTaken) {
    testing_support::RegisterFixture f("100000000000", "12", "12");
    EXPECT_FALSE(f.pay({2005, 2, 10}, "100000000000,01", loan::PaymentKind::PrincipalPlusInterest));
    EXPECT_EQ(f.lastMessage(), "Ошибка!!!: Слишком большая сумма платежа...");
    f.port.messages.clear();
    EXPECT_TRUE(f.pay({2005, 2, 10}, "100000000000", loan::PaymentKind::PrincipalPlusInterest))
        << f.lastMessage();
}

TEST(LoanHeaderLimit, ASumPastTheLimitIsRefusedAndOneAtItIsRead) {
    const loan::Locale locale = loan::Locale::withSeparator(',');
    const auto header = app::ReadLoanHeader({"100000000000", "12", "12", "10.03.2004"}, locale);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->amount, 1'000'000'000'000'000);
    try {
        app::ReadLoanHeader({"100000000000,01", "12", "12", "10.03.2004"}, locale);
        FAIL() << "a sum past the limit was read";
    } catch (const loan::ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("сумма слишком велика для расчета"),
                  std::string::npos)
            << error.what();
    }
}

}  // namespace
