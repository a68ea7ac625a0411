#pragma once

// The limits a loan's inputs are held to and the refusals for them, the same in the main
// window's form and in the planner: the term, the rate, the sum and amounts in whole kopecks.

#include <cstdint>
#include <optional>
#include <string>

#include "loan/date.h"
#include "loan/money.h"

namespace app {

inline constexpr const char* kErrorCaption = "Ошибка!!!";
inline constexpr const char* kMissingInput = "Что-то забыли ввести...";
inline constexpr const char* kLoanSumTooLarge = "Слишком большая сумма кредита...";
inline constexpr const char* kWholeKopecks =
    "Суммы задаются в рублях и копейках: не больше двух знаков после запятой.";

// The longest term a schedule is computed for, and what a longer one gets: the joke, then
// the limit itself, so that the person knows what to enter.
inline constexpr int kMaxTermMonths = 1000;
inline constexpr const char* kTermTooLongCaption = "Вот это да!!!";
inline constexpr const char* kTermTooLong =
    "Вы серьезно думаете, что на такой срок вам дадут кредит?!?! %)\r"
    "Срок погашения — не больше 1000 месяцев.";

// The highest annual rate, in percent, that the rate fields take.
inline constexpr double kMaxRatePercent = 100000;

// The last date the program writes: its dates have four-digit years.
inline constexpr loan::Date kLastDate{9999, 12, 31};
inline constexpr const char* kPastLastDate =
    "Платежи по кредиту пришлись бы на даты после 31.12.9999, а даты в программе — не позже "
    "этого дня.\rУменьшите срок или выберите более раннюю дату.";

// What a form shows instead of going on.
struct InputRefusal {
    const char* caption;
    std::string text;
};
using InputCheck = std::optional<InputRefusal>;

// A term past kMaxTermMonths.
InputCheck CheckTermLimit(std::int64_t months);
// Payments `months` months after `start` that would fall after kLastDate.
InputCheck CheckLastDate(const loan::Date& start, std::int64_t months);
// A loan sum past the amount limit (or no number at all): it would lose kopecks on its way.
InputCheck CheckLoanSum(double sum);
// An amount with fractions of a kopeck.
InputCheck CheckWholeKopecks(loan::ScaledAmount amount);

bool RateWithinLimit(double ratePercent);

// The amount limit as a person reads it, in thousands: "100 000 000 000,00" (the locale's
// decimal separator), for refusals that say how much an amount may be.
std::string AmountLimitText(char decimalSeparator);

}  // namespace app
