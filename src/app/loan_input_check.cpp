#include "app/loan_input_check.h"

namespace app {

InputCheck CheckTermLimit(std::int64_t months) {
    if (months > kMaxTermMonths)
        return InputRefusal{kTermTooLongCaption, kTermTooLong};
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

bool RateWithinLimit(double ratePercent) {
    return ratePercent <= kMaxRatePercent;
}

}  // namespace app
