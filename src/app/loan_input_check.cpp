#include "app/loan_input_check.h"

#include <algorithm>

#include "loan/amount_limit.h"

namespace app {

InputCheck CheckTermLimit(std::int64_t months) {
    if (months > kMaxTermMonths)
        return InputRefusal{kTermTooLongCaption, kTermTooLong};
    return std::nullopt;
}

InputCheck CheckLastDate(const loan::Date& start, std::int64_t months) {
    // Beyond kMaxTermMonths it is refused for its term anyway; the bound keeps IncMonth in
    // range for any count.
    const auto clamped = static_cast<int>(std::clamp<std::int64_t>(months, 0, 120'000));
    if (start > kLastDate || loan::IncMonth(start, clamped) > kLastDate)
        return InputRefusal{kErrorCaption, kPastLastDate};
    return std::nullopt;
}

InputCheck CheckLoanSum(double sum) {
    if (!loan::FitsScaled(sum))
        return InputRefusal{kErrorCaption, kLoanSumTooLarge};
    return std::nullopt;
}

InputCheck CheckWholeKopecks(loan::ScaledAmount amount) {
    if (amount % 100 != 0)
        return InputRefusal{kErrorCaption, kWholeKopecks};
    return std::nullopt;
}

std::string AmountLimitText(char decimalSeparator) {
    const std::string units = std::to_string(static_cast<long long>(loan::kMaxAmountUnits));
    std::string grouped;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            grouped += ' ';
        grouped += units[i];
    }
    return grouped + decimalSeparator + "00";
}

bool RateWithinLimit(double ratePercent) {
    return ratePercent <= kMaxRatePercent;
}

}  // namespace app
