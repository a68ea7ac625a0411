// ssudomer-cli schedule: the calculation mode's "Расчет" on the given loan.

#include "app/full_cost_menu.h"
#include "app/main_form.h"
#include "cli/commands.h"
#include "cli/console_port.h"
#include "cli/handler_run.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output_files.h"
#include "cli/pdf_option.h"

namespace cli {

namespace {

const std::map<std::string, bool> kScheduleOptions = WithOutputOptions({
    {"sum", true},
    {"rate", true},
    {"term", true},
    {"date", true},
    {"equal", false},
    {"payment", true},
    {"own", false},
    {"fee", true},
    {"fee-basis", true},
    {"psk", false},
});

void chooseFeeBasis(app::MainForm& form, const std::string& basis) {
    if (basis == "sum") {
        form.N18Click();
    } else if (basis == "balance") {
        form.N19Click();
    } else if (basis == "fixed") {
        form.A1Click();
    } else {
        throw UsageError(Tr("--fee-basis takes sum, balance or fixed"));
    }
}

bool hasSchedule(const app::MainForm& form) {
    return !form.StringGrid1.cell(0, 1).empty();
}

}  // namespace

int RunSchedule(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<Option> options = ParseOptions(args, kScheduleOptions);
    RefuseSharedOutputFiles(options);
    const bool equal = HasOption(options, "equal");
    if (!equal && (HasOption(options, "payment") || HasOption(options, "own"))) {
        throw UsageError(Tr("--payment and --own go with --equal"));
    }

    ConsolePort port(err);
    app::MainForm form(port, LocaleOption(options));
    form.FormShow();
    // A command-line user cannot see the window's designed start date: a loan taken today.
    form.DateTimePicker1.Date = port.today();
    TypeLoanTerms(form, options);
    if (equal) {
        form.RadioButtonBClick();
        if (HasOption(options, "own"))
            form.CheckBox1.Checked = true;
        if (const Option* payment = FindOption(options, "payment")) {
            TypeArgument(form.SpinEdit5, *payment, IntegerArgument(*payment));
        }
    }
    if (const Option* basis = FindOption(options, "fee-basis"))
        chooseFeeBasis(form, basis->value);
    if (const Option* fee = FindOption(options, "fee")) {
        TypeArgument(form.SpinEdit6, *fee, NumberArgument(*fee, form.locale()), form.locale());
    }

    const app::HandlerOutcome calculated = OutcomeOf(form, [&] { return form.Button1Click(); });
    // With no payment of one's own, take the annuity the program suggests, as a person would.
    if (equal && !HasOption(options, "payment") &&
        calculated.refusedWith(app::kAttentionCaption)) {
        OutcomeOf(form, [&] { return form.Button1Click(); });
    }
    if (!hasSchedule(form))
        return kExitRefused;
    app::TableReport report = app::MakeTableReport(form);
    int status = kExitOk;
    if (HasOption(options, "psk")) {
        const app::FullCostOutcome cost = app::ScheduleFullCost(form);
        if (cost.figures) {
            report.values.emplace_back(app::kFullCostPercentCaption, cost.figures->percent);
            report.values.emplace_back(app::kFullCostMoneyCaption, cost.figures->money);
        } else {
            port.showMessage(app::kFullCostCaption, cost.refusal);
            status = kExitRefused;
        }
    }
    PrintReport(report, FormatOption(options), out);
    if (!WritePdfOption(form, options, err))
        status = kExitRefused;
    return status;
}

}  // namespace cli
