// ssudomer-cli register: payments entered and deleted one after another in the
// payment-input mode, as a person would at the window.

#include <optional>

#include "app/main_form.h"
#include "cli/commands.h"
#include "cli/console_port.h"
#include "cli/forecast_option.h"
#include "cli/handler_run.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output_files.h"
#include "cli/pdf_option.h"
#include "text/errors.h"

namespace cli {

namespace {

const std::map<std::string, bool> kRegisterOptions = WithOutputOptions({
    {"sum", true},
    {"rate", true},
    {"term", true},
    {"date", true},
    {"overdue", false},
    {"forecast", true},
    {"pay", true},
    {"delete", false},
    {"save", true},
});

// One --pay or --delete, checked before anything runs.
struct Step {
    bool isDelete = false;
    std::string text;  // the argument as given, for the notes on standard error
    loan::Date date;
    std::optional<std::string> amount;  // empty AMOUNT: the field is left as it is
    loan::PaymentKind kind = loan::PaymentKind::InterestDeducted;
};

Step paymentArgument(const Option& option, const loan::Locale& locale) {
    const std::string& value = option.value;
    const auto first = value.find(':');
    const auto second = first == std::string::npos ? first : value.find(':', first + 1);
    if (second == std::string::npos || value.find(':', second + 1) != std::string::npos) {
        throw UsageError(
            Format(Tr("--pay takes DD.MM.YYYY:AMOUNT:KIND, not '%s'"), {loan::Excerpt(value)}));
    }
    Step step;
    step.text = value;
    step.date = DateArgument({option.name, value.substr(0, first)});
    const std::string amount = value.substr(first + 1, second - first - 1);
    if (!amount.empty())
        step.amount = NumberArgument({option.name, amount}, locale);
    const std::string kind = value.substr(second + 1);
    if (kind == "pi") {
        step.kind = loan::PaymentKind::PrincipalPlusInterest;
    } else if (kind == "deducted") {
        step.kind = loan::PaymentKind::InterestDeducted;
    } else if (kind == "auto") {
        step.kind = loan::PaymentKind::Automatic;
    } else {
        throw UsageError(
            Format(Tr("--pay KIND is pi, deducted or auto, not '%s'"), {loan::Excerpt(kind)}));
    }
    return step;
}

// The console, whose forecast dialog picks the method given and whose save dialog answers
// the file given.
class RegisterPort : public ConsolePort {
  public:
    RegisterPort(std::ostream& errors, std::optional<std::string> saveFile)
        : ConsolePort(errors), saveFile_(std::move(saveFile)) {}

    void attach(app::ForecastSettingsForm& settings, ForecastChoice forecast) {
        settings_ = &settings;
        forecast_ = std::move(forecast);
    }

    void showForecastSettings() override {
        if (settings_)
            ChooseForecast(*settings_, forecast_);
    }
    std::optional<std::string> chooseFileToSave() override { return saveFile_; }

  private:
    ForecastChoice forecast_;
    std::optional<std::string> saveFile_;
    app::ForecastSettingsForm* settings_ = nullptr;
};

// True when the payment was recorded.
bool enterPayment(app::MainForm& form, const Step& step, std::ostream& err) {
    if (!form.Button4.Enabled) {
        err << "ssudomer-cli: "
            << Format(Tr("--pay %s: \"Внести платеж\" is disabled (the loan is paid off)"),
                      {loan::Excerpt(step.text)})
            << '\n';
        return false;
    }
    form.DateTimePicker2.Date = step.date;
    form.RunHandler([&] { form.DateTimePicker2Change(); });
    if (step.amount)
        TypeInto(form.SpinEdit4, *step.amount);
    form.RadioButton1.Checked = step.kind == loan::PaymentKind::PrincipalPlusInterest;
    form.RadioButton3.Checked = step.kind == loan::PaymentKind::InterestDeducted;
    form.RadioButton4.Checked = step.kind == loan::PaymentKind::Automatic;
    return OutcomeOf(form, [&] { return form.Button4Click(); }).done();
}

// True when a payment was taken back.
bool deletePayment(app::MainForm& form, std::ostream& err) {
    if (!form.Button6.Enabled) {
        err << "ssudomer-cli: "
            << Tr("--delete: \"Удалить платеж\" is disabled (no payment recorded)") << '\n';
        return false;
    }
    return OutcomeOf(form, [&] { return form.Button6Click(); }).done();
}

}  // namespace

int RunRegister(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<Option> options = ParseOptions(args, kRegisterOptions);
    RefuseSharedOutputFiles(options);
    if (!HasOption(options, "date"))
        throw UsageError(Format(Tr("--%s is required"), {"date"}));
    const loan::Locale locale = LocaleOption(options);

    // Every argument is checked before the first step runs; the amounts against the fields
    // they go into, once the form is there.
    std::vector<Step> steps;
    for (const Option& option : options) {
        if (option.name == "pay")
            steps.push_back(paymentArgument(option, locale));
        if (option.name == "delete") {
            Step remove;
            remove.isDelete = true;
            steps.push_back(remove);
        }
    }
    const Option* save = FindOption(options, "save");
    if (save && save->value.empty())
        throw UsageError(Tr("--save takes a file name"));

    RegisterPort port(err, save ? std::optional(save->value) : std::nullopt);
    app::MainForm form(port, locale);
    const Option* forecast = FindOption(options, "forecast");
    if (forecast)
        port.attach(form.Form3, ForecastArgument(*forecast, form.Form3, locale));
    for (const Step& step : steps) {
        if (step.amount)
            CheckFieldTakes(form.SpinEdit4, {"pay", step.text}, *step.amount, locale);
    }
    form.FormShow();
    TypeLoanTerms(form, options);
    form.N16Click();
    if (HasOption(options, "overdue"))
        form.N14Click();
    if (forecast)
        form.RunHandler([&] { form.N12Click(); });

    bool refused = false;
    for (const Step& step : steps) {
        const bool done = step.isDelete ? deletePayment(form, err) : enterPayment(form, step, err);
        refused = refused || !done;
    }
    if (save) {
        const bool saved = OutcomeOf(form, [&] { return form.N4Click(); }).done();
        refused = refused || !saved;
    }
    PrintReport(form, FormatOption(options), out);
    refused = !WritePdfOption(form, options, err) || refused;
    return refused ? kExitRefused : kExitOk;
}

}  // namespace cli
