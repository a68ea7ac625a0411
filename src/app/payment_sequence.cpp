#include "app/payment_sequence.h"

#include <string>

#include "text/errors.h"
#include "loan/number_text.h"
#include "loan/schedule_table.h"

namespace app {

namespace {

constexpr int kHeaderLines = 4;
constexpr int kNumberColumn = 0, kDateColumn = 1, kBalanceColumn = 2, kPrincipalColumn = 3;

// The money text keeps every digit below 10^11 units; above, 15 significant digits, so an
// amount may read back off by up to half a unit of its 15th digit. This is that unit, which
// then bounds the error twice over.
loan::ScaledAmount textPrecision(loan::ScaledAmount amount) {
    if (loan::FormatsExactly(amount))
        return 0;
    constexpr std::uint64_t kExactDigits = 1'000'000'000'000'000;
    const std::uint64_t magnitude =
        amount < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(amount)
                   : static_cast<std::uint64_t>(amount);
    loan::ScaledAmount unit = 1;
    for (std::uint64_t rest = magnitude / kExactDigits; rest > 0; rest /= 10) unit *= 10;
    return unit;
}

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
    : locale_(locale), date_(loanDate), balance_(loanSum), slack_(textPrecision(loanSum)) {}

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
    const Wide difference = balance_ - line.balance;
    const Wide allowed = Wide{slack_} + textPrecision(line.balance);
    if (difference > allowed || difference < -allowed) {
        refuse(line, kBalanceColumn, line.balanceText,
               first ? "не равен сумме кредита " + money(static_cast<loan::ScaledAmount>(balance_))
                     : "не следует из предыдущей строки: " + money(before_) + " - " +
                           money(principal_) + " = " +
                           money(static_cast<loan::ScaledAmount>(balance_)));
    }
    // A payment never takes the balance below zero (within what large amounts' texts keep).
    const Wide after = Wide{line.balance} - line.principal;
    if (after < -(Wide{textPrecision(line.balance)} + textPrecision(line.principal))) {
        refuse(line, kPrincipalColumn, line.principalText,
               "больше остатка кредита " + money(line.balance));
    }

    ++rows_;
    date_ = line.date;
    before_ = line.balance;
    principal_ = line.principal;
    balance_ = after;
    slack_ = textPrecision(line.balance) + textPrecision(line.principal);
}

}  // namespace app
