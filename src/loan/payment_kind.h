#pragma once

namespace loan {

// How an entered amount is split into principal and interest.
enum class PaymentKind {
    PrincipalPlusInterest,  // the amount is principal, the interest comes on top
    InterestDeducted,       // the interest is taken out of the amount
    Automatic,              // the standard principal, corrected by the advance
};

// The text of the kind in the payment row's last column.
constexpr const char* PaymentKindText(PaymentKind kind) {
    switch (kind) {
        case PaymentKind::PrincipalPlusInterest:
            return "П+%";
        case PaymentKind::InterestDeducted:
            return "П+%(вычет)";
        case PaymentKind::Automatic:
            return "АП";
    }
    return "";
}

}  // namespace loan
