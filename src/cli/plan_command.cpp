// ssudomer-cli plan: the prepayment planner on the given loan, prepayments and rate changes.

#include "app/calendar_changes_file.h"
#include "app/plan_file.h"
#include "app/planner_form.h"
#include "cli/commands.h"
#include "cli/console_port.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output_files.h"
#include "cli/plan_outputs.h"
#include "text/errors.h"
#include "loan/number_text.h"

namespace cli {

namespace {

const std::map<std::string, bool> kPlanOptions = {
    {"sum", true},    {"rate", true},
    {"term", true},   {"date", true},
    {"equal", false}, {"payment", true},
    {"prepay", true}, {"rate-change", true},
    {"csv", false},   {"decimal-separator", true},
    {"pdf", true},    {"chart", true},
    {"shift", true},  {"payment-day", true},
    {"calendar", true}, {"budget", true},
    {"target-date", true}, {"plan-file", true},
    {"save-plan", true},
};

loan::PaymentShift shiftArgument(const Option& option) {
    if (option.value == "next")
        return loan::PaymentShift::Next;
    if (option.value == "modified")
        return loan::PaymentShift::Modified;
    if (option.value == "none")
        return loan::PaymentShift::None;
    throw UsageError(Format(Tr("--shift takes next, modified or none, not '%s'"),
                            {loan::Excerpt(option.value)}));
}

// One --prepay or --rate-change, checked before anything runs.
struct Entry {
    std::string text;  // the argument as given
    loan::Date date;
    std::string number;  // the amount or the rate, with the locale's separator
    loan::PrepaymentMode mode = loan::PrepaymentMode::ShortenTerm;
    bool monthly = false;
};

std::vector<std::string> splitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        fields.push_back(text.substr(start, colon - start));
    fields.push_back(text.substr(start));
    return fields;
}

loan::Date dateAfterLoan(const Option& option, const std::string& text,
                         const loan::Date& loanDate) {
    const loan::Date date = DateArgument({option.name, text});
    if (date <= loanDate) {
        throw UsageError(Format(Tr("--%s date %s is not after the loan date %s"),
                                {option.name, text, loan::FormatShortDate(loanDate)}));
    }
    return date;
}

// The date and the number that every entry starts with.
Entry dateAndNumber(const Option& option, const std::vector<std::string>& fields,
                    const loan::Locale& locale, const loan::Date& loanDate) {
    Entry entry;
    entry.text = option.value;
    entry.date = dateAfterLoan(option, fields[0], loanDate);
    entry.number = NumberArgument({option.name, fields[1]}, locale);
    return entry;
}

Entry prepaymentArgument(const Option& option, const loan::Locale& locale,
                         const loan::Date& loanDate) {
    const std::vector<std::string> fields = splitFields(option.value);
    const bool monthly = fields.size() == 4 && fields[3] == "monthly";
    if ((fields.size() != 3 && !monthly) || (fields[2] != "term" && fields[2] != "payment")) {
        throw UsageError(
            Format(Tr("--prepay takes DD.MM.YYYY:AMOUNT:term|payment[:monthly], not '%s'"),
                   {loan::Excerpt(option.value)}));
    }
    // An amount that is a number goes to the planner, which refuses it as its window does.
    Entry entry = dateAndNumber(option, fields, locale, loanDate);
    entry.mode = fields[2] == "payment" ? loan::PrepaymentMode::LowerPayment
                                        : loan::PrepaymentMode::ShortenTerm;
    entry.monthly = monthly;
    return entry;
}

Entry rateChangeArgument(const Option& option, const loan::Locale& locale,
                         const loan::Date& loanDate) {
    const std::vector<std::string> fields = splitFields(option.value);
    if (fields.size() != 2) {
        throw UsageError(Format(Tr("--rate-change takes DD.MM.YYYY:RATE, not '%s'"),
                                {loan::Excerpt(option.value)}));
    }
    return dateAndNumber(option, fields, locale, loanDate);
}

// --budget AMOUNT[:term|payment]: the amount as typed (checked against its field later) and
// the mode, lowering the payment unless told otherwise.
std::pair<std::string, loan::PrepaymentMode> budgetArgument(const Option& option,
                                                            const loan::Locale& locale) {
    const std::vector<std::string> fields = splitFields(option.value);
    if (fields.size() > 2 || (fields.size() == 2 && fields[1] != "term" && fields[1] != "payment")) {
        throw UsageError(Format(Tr("--budget takes AMOUNT[:term|payment], not '%s'"),
                                {loan::Excerpt(option.value)}));
    }
    const bool term = fields.size() == 2 && fields[1] == "term";
    return {NumberArgument({option.name, fields[0]}, locale),
            term ? loan::PrepaymentMode::ShortenTerm : loan::PrepaymentMode::LowerPayment};
}

// "Подобрать" for the target date, then "Добавить в план" with its amount; a date the loan
// meets already is told as a note. False when the goal was refused.
bool findGoal(app::PlannerForm& planner, std::ostream& err) {
    bool found = false;
    if (!planner.RunHandler([&] { found = planner.FindGoalClick(); }) || !found)
        return false;
    if (planner.Goal()->monthly > 0)
        return planner.RunHandler([&] { found = planner.AddGoalClick(); }) && found;
    err << "Примечание: " << planner.GoalNote() << '\n';
    return true;
}

// --plan-file: the plan read whole before anything else; empty without the option. False,
// with the message on the console, for a file that cannot be read or is no plan.
bool readPlanFileOption(const std::vector<Option>& options, app::FormPort& port,
                        std::optional<app::PlanFileData>& plan) {
    const Option* file = FindOption(options, "plan-file");
    if (!file)
        return true;
    if (file->value.empty())
        throw UsageError(Format(Tr("--%s takes a file name"), {"plan-file"}));
    return app::RunReportingErrors(port, [&] { plan = app::ReadPlanFile(file->value); });
}

// --save-plan FILE: the plan as computed, through the planner's own save.
bool savePlanOption(app::PlannerForm& planner, const std::vector<Option>& options) {
    const Option* file = FindOption(options, "save-plan");
    bool saved = true;
    if (file && !planner.RunHandler([&] { saved = planner.SavePlanFile(file->value); }))
        return false;
    return saved;
}

}  // namespace

int RunPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<Option> options = ParseOptions(args, kPlanOptions);
    RefuseSharedOutputFiles(options);
    ConsolePort port(err);
    std::optional<app::PlanFileData> file;
    if (!readPlanFileOption(options, port, file))
        return kExitRefused;
    const bool equal =
        HasOption(options, "equal") || (file && file->scheme == loan::PlanScheme::Annuity);
    if (!equal && HasOption(options, "payment"))
        throw UsageError(Tr("--payment goes with --equal"));
    const Option* date = FindOption(options, "date");
    if (!date && !file)
        throw UsageError(Format(Tr("--%s is required"), {"date"}));
    const loan::Locale locale = LocaleOption(options);
    const loan::Date loanDate = date ? DateArgument(*date) : file->loanDate;

    // Every argument is checked before the planner runs; the numbers against the fields
    // they go into, once the planner is there.
    std::vector<Entry> prepayments, rateChanges;
    for (const Option& option : options) {
        if (option.name == "prepay")
            prepayments.push_back(prepaymentArgument(option, locale, loanDate));
        if (option.name == "rate-change")
            rateChanges.push_back(rateChangeArgument(option, locale, loanDate));
    }
    const loan::PaymentShift shift = FindOption(options, "shift")
                                         ? shiftArgument(*FindOption(options, "shift"))
                                         : (file ? file->shift : loan::PaymentShift::Next);
    app::PlannerForm planner(port, locale);
    if (file)
        planner.ApplyPlan(*file);
    if (const Option* day = FindOption(options, "payment-day"))
        TypeArgument(planner.PaymentDay, *day, IntegerArgument(*day));
    planner.Shift = shift;
    for (const Entry& entry : prepayments)
        CheckFieldTakes(planner.PrepaymentAmount, {"prepay", entry.text}, entry.number, locale);
    for (const Entry& entry : rateChanges)
        CheckFieldTakes(planner.RateChangeRate, {"rate-change", entry.text}, entry.number, locale);
    if (const Option* budget = FindOption(options, "budget")) {
        const auto [amount, mode] = budgetArgument(*budget, locale);
        TypeArgument(planner.Budget, *budget, amount, locale);
        planner.BudgetMode = mode;
    }
    if (const Option* target = FindOption(options, "target-date")) {
        planner.TargetDate.Date = DateArgument(*target);
        planner.HasTarget = true;
    }

    // Beside a plan file, only the loan fields given are typed over the file's.
    TypeLoanFields(planner.Sum, planner.Rate, planner.Term, options, locale, !file.has_value());
    planner.LoanDate.Date = loanDate;
    if (equal) {
        planner.EqualPaymentsClick();
        if (const Option* payment = FindOption(options, "payment"))
            TypeArgument(planner.Payment, *payment, NumberArgument(*payment, locale), locale);
    } else {
        planner.DifferentiatedClick();
    }
    // The changes of --calendar go on top of the user's own.
    if (const Option* calendar = FindOption(options, "calendar")) {
        if (!planner.RunHandler([&] {
                planner.AddCalendarChanges(app::ReadCalendarChangesFile(calendar->value));
            }))
            return kExitRefused;
    }
    bool refused = false;
    for (const Entry& entry : prepayments) {
        planner.PrepaymentDate.Date = entry.date;
        TypeInto(planner.PrepaymentAmount, entry.number);
        if (entry.mode == loan::PrepaymentMode::LowerPayment) {
            planner.LowerPaymentClick();
        } else {
            planner.ShortenTermClick();
        }
        planner.Monthly.Checked = entry.monthly;
        refused = !planner.AddPrepaymentClick() || refused;
    }
    for (const Entry& entry : rateChanges) {
        planner.RateChangeDate.Date = entry.date;
        TypeInto(planner.RateChangeRate, entry.number);
        refused = !planner.AddRateChangeClick() || refused;
    }

    // The goal computes the plan itself, then again with its prepayment.
    const bool computed = planner.HasTarget ? findGoal(planner, err)
                                            : planner.RunHandler([&] { planner.Calculate(); });
    if (!computed || !planner.HasPlan())
        return kExitRefused;
    for (const std::string& note : planner.Notes()) err << "Примечание: " << note << '\n';
    app::TableReport report = planner.Report();
    if (planner.Goal())
        report.values.push_back(planner.GoalValue());
    PrintReport(report, FormatOption(options), out);
    refused = !WritePlanOutputs(planner, options, err) || refused;
    refused = !savePlanOption(planner, options) || refused;
    return refused || !planner.Refusals().empty() ? kExitRefused : kExitOk;
}

}  // namespace cli
