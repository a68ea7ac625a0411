#pragma once

#include <string>

#include "loan/payment_kind.h"
#include "support/fake_port.h"

namespace testing_support {

// A form in the payment-input mode with a loan typed in, ready for payments.
struct RegisterFixture : FormFixture {
    RegisterFixture(const std::string& sum = "12000", const std::string& rate = "12",
                    const std::string& term = "12", loan::Date date = {2005, 1, 10}) {
        enterLoan(sum, rate, term, date);
        form.N16Click();
    }

    // As a person does it: picks the date (the interest preview follows), types the amount,
    // checks the kind and presses "Внести платеж". True when a row was recorded.
    bool pay(loan::Date date, const std::string& amount, loan::PaymentKind kind) {
        const int before = form.NextRow;
        form.DateTimePicker2.Date = date;
        form.RunHandler([&] { form.DateTimePicker2Change(); });
        form.SpinEdit4.Text = amount;
        form.RadioButton1.Checked = kind == loan::PaymentKind::PrincipalPlusInterest;
        form.RadioButton3.Checked = kind == loan::PaymentKind::InterestDeducted;
        form.RadioButton4.Checked = kind == loan::PaymentKind::Automatic;
        form.RunHandler([&] { form.Button4Click(); });
        return form.NextRow == before + 1;
    }

    std::string lastMessage() const {
        return port.messages.empty()
                   ? ""
                   : port.messages.back().caption + ": " + port.messages.back().text;
    }
};

}  // namespace testing_support
