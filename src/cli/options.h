#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "cli/table_output.h"
#include "loan/date.h"
#include "text/locale.h"

namespace cli {

// Bad arguments: the command prints the usage and exits with status 64.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

constexpr int kExitOk = 0;
constexpr int kExitRefused = 2;
constexpr int kExitUsage = 64;

struct Option {
    std::string name;  // without the leading "--"
    std::string value;
};

// Options in the order given. `known` maps each option name to whether it takes a value;
// words that are not options go to `positional` (or are refused when it is null).
std::vector<Option> ParseOptions(const std::vector<std::string>& args,
                                 const std::map<std::string, bool>& known,
                                 std::vector<std::string>* positional = nullptr);

const Option* FindOption(const std::vector<Option>& options, const std::string& name);
bool HasOption(const std::vector<Option>& options, const std::string& name);

// --csv, --decimal-separator and --pdf, shared by every command.
ReportFormat FormatOption(const std::vector<Option>& options);
loan::Locale LocaleOption(const std::vector<Option>& options);
inline const std::map<std::string, bool> kOutputOptions = {
    {"csv", false}, {"decimal-separator", true}, {"pdf", true}};

// A command's own options together with the output options.
inline std::map<std::string, bool> WithOutputOptions(std::map<std::string, bool> own) {
    own.insert(kOutputOptions.begin(), kOutputOptions.end());
    return own;
}

// A number argument ("." or "," as separator) or a DD.MM.YYYY date; UsageError otherwise.
std::string NumberArgument(const Option& option, const loan::Locale& locale);
std::string IntegerArgument(const Option& option);
loan::Date DateArgument(const Option& option);

// Refuses (UsageError naming the option, the value given and what the field takes) a text
// that would not leave the field holding the number given: a character the field drops
// while it is typed ("9e18" becomes 918), or a value it holds at one of its bounds.
void CheckFieldTakes(const widgets::FloatSpinEditModel& field, const Option& option,
                     const std::string& text, const loan::Locale& locale);
void CheckFieldTakes(const widgets::SpinEditModel& field, const Option& option,
                     const std::string& text);

// Types the text into an empty field and leaves it, as a person would.
template <class SpinEdit>
void TypeInto(SpinEdit& field, const std::string& text) {
    field.Text.clear();
    field.Type(text);
    field.Leave();
}

// CheckFieldTakes, then TypeInto.
template <class SpinEdit, class... Locale>
void TypeArgument(SpinEdit& field, const Option& option, const std::string& text,
                  const Locale&... locale) {
    CheckFieldTakes(field, option, text, locale...);
    TypeInto(field, text);
}

// --sum, --rate and --term typed into their fields. Each is required unless `required` is
// false (the fields already hold a loan): then only those given are typed.
void TypeLoanFields(widgets::FloatSpinEditModel& sum, widgets::FloatSpinEditModel& rate,
                    widgets::SpinEditModel& term, const std::vector<Option>& options,
                    const loan::Locale& locale, bool required = true);

// The loan fields shared by `schedule` and `register`: --sum, --rate, --term, --date.
void TypeLoanTerms(app::MainForm& form, const std::vector<Option>& options);

}  // namespace cli
