#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/planner_form.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace testing_support {

// A planner under the "," locale whose port answers the CSV dialog with `csvFile`.
// Payments stay on their nominal dates (the calendar's own tests say where they move), and
// no calendar of the user running the tests takes part.
struct PlannerFixture : testing::Test {
    PlannerFixture() { planner.Shift = loan::PaymentShift::None; }

    struct Port : FakePort {
        std::optional<std::string> chooseCsvFileToSave() override { return csvFile; }
        std::optional<std::string> csvFile;
    };

    // 1 000 000 at 12 % for 24 months from 31.01.2024, equal payments.
    void enterExampleLoan() {
        planner.Sum.Text = "1000000";
        planner.Rate.Text = "12";
        planner.Term.Text = "24";
        planner.LoanDate.Date = {2024, 1, 31};
        planner.EqualPaymentsClick();
        planner.Payment.Text = "0";
    }

    bool addPrepayment(loan::Date date, const std::string& amount, bool lowerPayment = false,
                       bool monthly = false) {
        planner.PrepaymentDate.Date = date;
        planner.PrepaymentAmount.Text = amount;
        if (lowerPayment) {
            planner.LowerPaymentClick();
        } else {
            planner.ShortenTermClick();
        }
        planner.Monthly.Checked = monthly;
        return planner.AddPrepaymentClick();
    }

    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < loan::ScheduleTable::kColumnCount; ++c)
            cells.push_back(planner.Table().cell(c, r));
        return cells;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const FakePort::Message& message : port.messages) texts.push_back(message.text);
        return texts;
    }

    std::string value(const std::string& caption) const {
        for (const auto& [name, text] : planner.Report().values) {
            if (name == caption)
                return text;
        }
        return "(none)";
    }

    TempFolder config;
    ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.path()};
    Port port;
    app::PlannerForm planner{port, loan::Locale::withSeparator(',')};
};

}  // namespace testing_support
