#pragma once

// What the payment lines of a file must say of one another. The register writes every
// payment from the one before: the payment's number is its row, its date is not before the
// previous payment's (nor the loan's), and the balance it starts from is the balance left by
// the payment before (the loan sum for the first one), never below zero. A hand-edited file
// that breaks this would load a register whose balance, interest and advance belong to no
// loan, so such a file is refused.

#include <string_view>

#include "loan/date.h"
#include "text/locale.h"
#include "loan/money.h"

namespace app {

// One payment line: its fields as the file holds them and what they read as.
struct PaymentLine {
    int row = 0;  // table row: 1 for the first payment
    std::string_view number, dateText, balanceText, principalText;
    loan::Date date;
    // As the cells read back (see loan::WrittenAmountValue).
    loan::ScaledAmount balance = 0, principal = 0;
};

class PaymentSequence {
  public:
    PaymentSequence(loan::ScaledAmount loanSum, const loan::Date& loanDate,
                    const loan::Locale& locale);

    // The next line; throws loan::ConversionError naming the line and the field that does
    // not follow from the lines before.
    void add(const PaymentLine& line);

  private:
    using Wide = __int128;  // a balance less a principal always fits

    const loan::Locale& locale_;
    int rows_ = 0;
    loan::Date date_;           // the previous payment's, or the loan's
    Wide balance_ = 0;          // what the next line must start from
    loan::ScaledAmount before_ = 0, principal_ = 0;  // of the previous line
};

}  // namespace app
