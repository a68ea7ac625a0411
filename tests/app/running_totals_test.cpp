// The totals, the advance and the payment months are kept as running values beside the
// table. Random histories of payments, deletions, forecasts and reloads run on two forms: one
// keeps its running values, the other has them computed again from the table before every
// step. Everything the person can see must be the same after every step.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>

#include "loan/date.h"
#include "register_fixture.h"
#include "support/random_amount.h"
#include "support/temp_folder.h"

namespace {

using loan::PaymentKind;
using testing_support::RegisterFixture;

// A thousandth of SSUDOMER_DIFFERENTIAL_COUNT, as a history holds many steps.
int historyCount() {
    return std::max(1, testing_support::RandomCaseCount(12000) / 1000);
}

// Everything a step can change that the person sees or that later steps read.
std::string visibleState(const RegisterFixture& f) {
    const app::MainForm& form = f.form;
    std::ostringstream out;
    out << form.Label9 << '|' << form.Label11 << '|' << form.Label13 << '|' << form.Label15 << '|'
        << form.Label17 << '|' << form.Label19 << "|next " << form.NextRow << "|balance "
        << form.Balance << "|principal " << form.Principal << "|advance " << form.PaymentAdvance
        << "|distance " << form.MonthDistance << "|buttons " << form.Button4.Enabled
        << form.Button5.Enabled << form.Button6.Enabled << "|modified " << form.PaymentsModified
        << "|rows " << form.StringGrid1.rowCount() << '\n';
    for (int row = 0; row <= form.StringGrid1.rowCount(); ++row) {
        for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column) {
            out << form.StringGrid1.cell(column, row) << ';';
        }
        out << '\n';
    }
    for (const auto& message : f.port.messages)
        out << message.caption << ": " << message.text << '\n';
    return out.str();
}

// One random history, the same on both forms.
class History {
  public:
    explicit History(unsigned seed) : random_(seed) {
        const char* sums[] = {"12000", "150000", "1000000", "2500,5", "99999,99"};
        const char* rates[] = {"12", "7,5", "24", "0,1"};
        const char* terms[] = {"12", "36", "120", "360"};
        sum_ = sums[random_() % 5];
        rate_ = rates[random_() % 4];
        term_ = terms[random_() % 4];
        date_ =
            loan::Date{2004 + static_cast<int>(random_() % 3), 1 + static_cast<int>(random_() % 12),
                       1 + static_cast<int>(random_() % 28)};
    }

    void start(RegisterFixture& f) const {
        f.enterLoan(sum_, rate_, term_, date_);
        f.form.N16Click();
    }

    // Draws the next step; apply() then runs it on either form.
    void draw() {
        step_ = static_cast<int>(random_() % 100);
        days_ = static_cast<int>(random_() % 50) - 3;  // now and then before the last payment
        kind_ = static_cast<PaymentKind>(random_() % 3);
        const unsigned cents = static_cast<unsigned>(random_() % 400000);
        amount_ = random_() % 10 == 0
                      ? "0"
                      : std::to_string(cents / 100) + "," + std::to_string(cents / 10 % 10) +
                            std::to_string(cents % 10);
        method_ = static_cast<int>(random_() % 3);
        fixedAmount_ = std::to_string(random_() % 3000);
    }

    void apply(RegisterFixture& f, const std::string& file) const {
        app::MainForm& form = f.form;
        if (step_ < 62) {
            form.DateTimePicker2.Date =
                loan::DateFromSerial(loan::DaySerial(lastDate(form)) + days_);
            f.pay(form.DateTimePicker2.Date, amount_, kind_);
        } else if (step_ < 80) {
            form.RunHandler([&] { form.Button6Click(); });
        } else if (step_ < 87) {
            f.port.onForecastSettings = [&, this] { chooseForecast(form); };
            form.RunHandler([&] { form.N12Click(); });
        } else if (step_ < 91) {
            f.port.onForecastSettings = [&, this] { chooseForecast(form); };
            form.RunHandler([&] { form.N20Click(); });
        } else if (step_ < 95) {
            form.RunHandler([&] { form.N14Click(); });
        } else {
            // Saved and loaded again: the totals are then read from the loaded rows.
            f.port.filesToOpen.push_back(file);
            form.RunHandler([&] {
                form.SaveFile(file);
                form.N3Click();
            });
        }
    }

  private:
    static loan::Date lastDate(const app::MainForm& form) {
        if (form.NextRow <= 1)
            return form.DateTimePicker1.Date;
        return loan::ParseShortDate(form.StringGrid1.cell(1, form.NextRow - 1));
    }

    void chooseForecast(app::MainForm& form) const {
        app::ForecastSettingsForm& settings = form.Form3;
        if (method_ == 0)
            settings.RadioButton1Click();
        if (method_ == 1)
            settings.RadioButton2Click();
        if (method_ == 2) {
            settings.RadioButton3Click();
            settings.FloatSpinEdit1.Text = fixedAmount_;
        }
    }

    std::mt19937 random_;
    std::string sum_, rate_, term_;
    loan::Date date_;
    int step_ = 0, days_ = 0, method_ = 0;
    PaymentKind kind_ = PaymentKind::Automatic;
    std::string amount_, fixedAmount_;
};

TEST(RunningTotals, EveryStepShowsWhatTheTableItselfGives) {
    const testing_support::TempFolder folder;
    const int histories = historyCount();
    for (int h = 0; h < histories; ++h) {
        History history(1000u + static_cast<unsigned>(h));
        RegisterFixture running, recounted;
        history.start(running);
        history.start(recounted);
        for (int step = 0; step < 250; ++step) {
            history.draw();
            history.apply(running, folder / "running.crp");
            // Writing a row makes every running value start again from row 1.
            recounted.form.StringGrid1.setCell(0, 0, recounted.form.StringGrid1.cell(0, 0));
            history.apply(recounted, folder / "recounted.crp");
            const std::string expected = visibleState(recounted);
            ASSERT_EQ(visibleState(running), expected) << "history " << h << ", step " << step;
        }
    }
}

}  // namespace
