#include "cli/options.h"

#include "cli/messages.h"
#include "text/errors.h"
#include "loan/number_text.h"
#include "text/text.h"

namespace cli {

namespace {

// What a field takes, said whole, with its bounds or without them (equal bounds stand for
// none at all).
std::string fieldTakes(const char* bounded, const char* unbounded, double min, double max,
                       const loan::Locale& locale, std::string_view separator = {}) {
    if (min == max)
        return Format(unbounded, {separator});
    return Format(bounded, {loan::GeneralNumberText(min, locale),
                            loan::GeneralNumberText(max, locale), separator});
}

[[noreturn]] void refuseValue(const Option& option, const std::string& accepted) {
    throw UsageError(Format(Tr("--%s '%s' is not what its field takes: %s"),
                            {option.name, loan::Excerpt(option.value), accepted}));
}

// Types into a copy of the field: true when a character was dropped.
template <class SpinEdit>
bool typingDrops(SpinEdit& copy, const std::string& text) {
    copy.Text.clear();
    const bool dropped = copy.Type(text) > 0;
    copy.Leave();
    return dropped;
}

// The options that add an entry each time they are given; any other that takes a value
// holds one, and a second would silently override the first.
bool addsEntries(const std::string& name) {
    return name == "prepay" || name == "rate-change" || name == "pay";
}

}  // namespace

std::vector<Option> ParseOptions(const std::vector<std::string>& args,
                                 const std::map<std::string, bool>& known,
                                 std::vector<std::string>* positional) {
    std::vector<Option> options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            if (!positional)
                throw UsageError(Format(Tr("unexpected argument '%s'"), {loan::Excerpt(word)}));
            positional->push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        const auto found = known.find(name);
        if (found == known.end())
            throw UsageError(Format(Tr("unknown option '%s'"), {loan::Excerpt(word)}));
        Option option{name, {}};
        if (found->second) {
            if (i + 1 >= args.size())
                throw UsageError(Format(Tr("option '%s' needs a value"), {loan::Excerpt(word)}));
            option.value = args[++i];
            if (!addsEntries(name) && FindOption(options, name))
                throw UsageError(Format(Tr("option '%s' is given twice"), {loan::Excerpt(word)}));
        }
        options.push_back(std::move(option));
    }
    return options;
}

const Option* FindOption(const std::vector<Option>& options, const std::string& name) {
    const Option* last = nullptr;
    for (const Option& option : options) {
        if (option.name == name)
            last = &option;
    }
    return last;
}

bool HasOption(const std::vector<Option>& options, const std::string& name) {
    return FindOption(options, name) != nullptr;
}

ReportFormat FormatOption(const std::vector<Option>& options) {
    return HasOption(options, "csv") ? ReportFormat::Csv : ReportFormat::Aligned;
}

loan::Locale LocaleOption(const std::vector<Option>& options) {
    const Option* separator = FindOption(options, "decimal-separator");
    if (!separator)
        return loan::systemLocale();
    if (separator->value != "," && separator->value != ".") {
        throw UsageError(Tr("--decimal-separator takes ',' or '.'"));
    }
    return loan::Locale::withSeparator(separator->value[0]);
}

std::string NumberArgument(const Option& option, const loan::Locale& locale) {
    const std::string text = loan::NormalizeDecimalSeparator(option.value, locale);
    if (!loan::TryParseNumber(text, locale)) {
        throw UsageError(Format(Tr("--%s takes a number, not '%s'"),
                                {option.name, loan::Excerpt(option.value)}));
    }
    return text;
}

std::string IntegerArgument(const Option& option) {
    // A whole number beyond 32 bits is still a whole number: the field's own check then
    // names the range it takes.
    const std::string& text = option.value;
    const std::size_t digits = text.find_first_not_of("+-") == 1 ? 1 : 0;
    const bool wholeNumber =
        text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
    if (!wholeNumber && !loan::TryParseInteger(text)) {
        throw UsageError(Format(Tr("--%s takes a whole number, not '%s'"),
                                {option.name, loan::Excerpt(option.value)}));
    }
    return option.value;
}

loan::Date DateArgument(const Option& option) {
    const std::string& text = option.value;
    const auto date = loan::TryParseShortDate(text);
    if (text.size() != 10 || !date) {
        throw UsageError(Format(Tr("--%s takes a date DD.MM.YYYY, not '%s'"),
                                {option.name, loan::Excerpt(text)}));
    }
    return *date;
}

void CheckFieldTakes(const widgets::FloatSpinEditModel& field, const Option& option,
                     const std::string& text, const loan::Locale& locale) {
    widgets::FloatSpinEditModel typed = field;
    const bool dropped = typingDrops(typed, text);
    const auto given = loan::TryParseNumber(text, locale);
    if (dropped || !given || typed.Value() != static_cast<double>(*given)) {
        refuseValue(option,
                    fieldTakes(Tr("a number from %s to %s, written with digits, a sign and '%s'"),
                               Tr("a number, written with digits, a sign and '%s'"), field.MinValue,
                               field.MaxValue, locale, std::string(1, locale.decimalSeparator)));
    }
}

void CheckFieldTakes(const widgets::SpinEditModel& field, const Option& option,
                     const std::string& text) {
    widgets::SpinEditModel typed = field;
    const bool dropped = typingDrops(typed, text);
    const auto given = loan::TryParseInteger(text);
    if (dropped || !given || typed.Value() != *given) {
        refuseValue(option,
                    fieldTakes(Tr("a whole number from %s to %s, written with digits and a sign"),
                               Tr("a whole number, written with digits and a sign"), field.MinValue,
                               field.MaxValue, loan::Locale()));
    }
}

void TypeLoanFields(widgets::FloatSpinEditModel& sum, widgets::FloatSpinEditModel& rate,
                    widgets::SpinEditModel& term, const std::vector<Option>& options,
                    const loan::Locale& locale, bool required) {
    for (const char* name : {"sum", "rate", "term"}) {
        if (required && !HasOption(options, name))
            throw UsageError(Format(Tr("--%s is required"), {name}));
    }
    if (const Option* sumOption = FindOption(options, "sum"))
        TypeArgument(sum, *sumOption, NumberArgument(*sumOption, locale), locale);
    if (const Option* rateOption = FindOption(options, "rate"))
        TypeArgument(rate, *rateOption, NumberArgument(*rateOption, locale), locale);
    if (const Option* termOption = FindOption(options, "term"))
        TypeArgument(term, *termOption, IntegerArgument(*termOption));
}

void TypeLoanTerms(app::MainForm& form, const std::vector<Option>& options) {
    TypeLoanFields(form.SpinEdit1, form.SpinEdit2, form.SpinEdit3, options, form.locale());
    if (const Option* date = FindOption(options, "date")) {
        form.DateTimePicker1.Date = DateArgument(*date);
    }
}

}  // namespace cli
