#include "cli/options.h"

#include "loan/number_text.h"
#include "loan/text.h"

namespace cli {

std::vector<Option> ParseOptions(const std::vector<std::string>& args,
                                 const std::map<std::string, bool>& known,
                                 std::vector<std::string>* positional) {
    std::vector<Option> options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            if (!positional)
                throw UsageError("unexpected argument '" + word + "'");
            positional->push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        const auto found = known.find(name);
        if (found == known.end())
            throw UsageError("unknown option '" + word + "'");
        Option option{name, {}};
        if (found->second) {
            if (i + 1 >= args.size())
                throw UsageError("option '" + word + "' needs a value");
            option.value = args[++i];
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
        throw UsageError("--decimal-separator takes ',' or '.'");
    }
    return loan::Locale::withSeparator(separator->value[0]);
}

std::string NumberArgument(const Option& option, const loan::Locale& locale) {
    const std::string text = loan::NormalizeDecimalSeparator(option.value, locale);
    if (!loan::TryParseNumber(text, locale)) {
        throw UsageError("--" + option.name + " takes a number, not '" + option.value + "'");
    }
    return text;
}

std::string IntegerArgument(const Option& option) {
    if (!loan::TryParseInteger(option.value)) {
        throw UsageError("--" + option.name + " takes a whole number, not '" + option.value + "'");
    }
    return option.value;
}

loan::Date DateArgument(const Option& option) {
    const std::string& text = option.value;
    const auto date = loan::TryParseShortDate(text);
    if (text.size() != 10 || !date) {
        throw UsageError("--" + option.name + " takes a date DD.MM.YYYY, not '" + text + "'");
    }
    return *date;
}

void TypeLoanTerms(app::MainForm& form, const std::vector<Option>& options) {
    for (const char* required : {"sum", "rate", "term"}) {
        if (!HasOption(options, required))
            throw UsageError(std::string("--") + required + " is required");
    }
    TypeInto(form.SpinEdit1, NumberArgument(*FindOption(options, "sum"), form.locale()));
    TypeInto(form.SpinEdit2, NumberArgument(*FindOption(options, "rate"), form.locale()));
    TypeInto(form.SpinEdit3, IntegerArgument(*FindOption(options, "term")));
    if (const Option* date = FindOption(options, "date")) {
        form.DateTimePicker1.Date = DateArgument(*date);
    }
}

}  // namespace cli
