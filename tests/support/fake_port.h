#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/form_port.h"
#include "app/main_form.h"

namespace testing_support {

// Records every message and question and answers from queues set up by the test.
class FakePort : public app::FormPort {
  public:
    struct Message {
        std::string caption;
        std::string text;
    };

    void showMessage(const std::string& caption, const std::string& text) override {
        messages.push_back({caption, text});
    }
    app::DialogAnswer askYesNoCancel(const std::string& caption, const std::string& text) override {
        questions.push_back({caption, text});
        if (answers.empty())
            return app::kAnswerCancel;
        const app::DialogAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseFileToOpen() override { return take(filesToOpen); }
    std::optional<std::string> chooseFileToSave() override { return take(filesToSave); }
    std::optional<std::string> choosePlanFileToOpen() override { return take(plansToOpen); }
    std::optional<std::string> choosePlanFileToSave(const std::string& offered) override {
        offeredPlans.push_back(offered);
        return take(plansToSave);
    }
    void showForecastSettings() override {
        ++forecastSettingsShown;
        if (onForecastSettings)
            onForecastSettings();
    }
    void adjustWindowToRows() override { ++windowRefits; }
    loan::Date today() const override { return todayDate; }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<app::DialogAnswer> answers;
    std::deque<std::optional<std::string>> filesToOpen, filesToSave;
    std::deque<std::optional<std::string>> plansToOpen, plansToSave;
    std::vector<std::string> offeredPlans;
    std::function<void()> onForecastSettings;
    int forecastSettingsShown = 0;
    int windowRefits = 0;
    loan::Date todayDate{2026, 12, 8};

  private:
    static std::optional<std::string> take(std::deque<std::optional<std::string>>& queue) {
        if (queue.empty())
            return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A main form under the "," locale with a fake port, shown as at start.
struct FormFixture {
    explicit FormFixture(char separator = ',')
        : form(port, loan::Locale::withSeparator(separator)) {
        form.FormShow();
    }

    // Types the loan terms into their fields as a person would.
    void enterLoan(const std::string& sum, const std::string& rate, const std::string& term,
                   loan::Date date = {2004, 3, 10}) {
        form.SpinEdit1.Text = sum;
        form.SpinEdit2.Text = rate;
        form.SpinEdit3.Text = term;
        form.DateTimePicker1.Date = date;
    }

    std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < loan::ScheduleTable::kColumnCount; ++c) {
            cells.push_back(form.StringGrid1.cell(c, r));
        }
        return cells;
    }

    FakePort port;
    app::MainForm form;
};

}  // namespace testing_support
