#include "app/payment_sequence.h"

#include <string>

#include "text/errors.h"
#include "loan/number_text.h"
#include "loan/schedule_table.h"

namespace app {

namespace {

constexpr int kHeaderLines = 4;
constexpr int kNumberColumn = 0, kDateColumn = 1, kBalanceColumn = 2, kPrincipalColumn = 3;

[[noreturn]] void refuse(const PaymentLine& line, int column, std::string_view text,
                         const std::string& why) {
    throw loan::ConversionError(
        "Строка " + std::to_string(line.row + kHeaderLines) + ", поле \"" +
        loan::kPaymentHeaders[static_cast<std::size_t>(column)] + "\": \"" + loan::Excerpt(text) +
        "\" — " + why + ".");
}

}  // namespace

PaymentSequence::PaymentSequence(loan::ScaledAmount loanSum, const loan::Date& loanDate,
                                 const loan::Locale& locale)
    : locale_(locale), date_(loanDate), balance_(loanSum) {}

void PaymentSequence::add(const PaymentLine& line) {
    const bool first = rows_ == 0;
    const auto money = [&](loan::ScaledAmount amount) {
        return loan::FormatMoney(amount, locale_);
    };

    // The register numbers its payments 1, 2, 3 …: a gap is a payment taken out.
    if (loan::TryParseInteger(line.number) != line.row) {
        refuse(line, kNumberColumn, line.number,
               "платежи нумеруются подряд, здесь нужен номер " + std::to_string(line.row));
    }
    if (line.date < date_) {
        refuse(line, kDateColumn, line.dateText,
               (first ? "раньше даты получения кредита " : "раньше даты предыдущего платежа ") +
                   loan::FormatShortDate(date_));
    }
    if (balance_ != line.balance) {
        refuse(line, kBalanceColumn, line.balanceText,
               first ? "не равен сумме кредита " + money(static_cast<loan::ScaledAmount>(balance_))
                     : "не следует из предыдущей строки: " + money(before_) + " - " +
                           money(principal_) + " = " +
                           money(static_cast<loan::ScaledAmount>(balance_)));
    }
    // A payment never takes the balance below zero.
    const Wide after = Wide{line.balance} - line.principal;
    if (after < 0) {
        refuse(line, kPrincipalColumn, line.principalText,
               "больше остатка кредита " + money(line.balance));
    }

    ++rows_;
    date_ = line.date;
    before_ = line.balance;
    principal_ = line.principal;
    balance_ = after;
}

}  // namespace app
