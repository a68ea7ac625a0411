#include "cli/forecast_option.h"

#include <string_view>

#include "cli/messages.h"

namespace cli {

ForecastChoice ForecastArgument(const Option& option, const app::ForecastSettingsForm& settings,
                                const loan::Locale& locale) {
    constexpr std::string_view kFixed = "fixed:";
    if (option.value == "standard")
        return {app::ForecastMethod::Standard, {}};
    if (option.value == "average")
        return {app::ForecastMethod::AveragePayment, {}};
    if (option.value.rfind(kFixed, 0) == 0) {
        const Option amount{option.name, option.value.substr(kFixed.size())};
        const std::string text = NumberArgument(amount, locale);
        CheckFieldTakes(settings.FloatSpinEdit1, option, text, locale);
        return {app::ForecastMethod::FixedPayment, text};
    }
    throw UsageError(Tr("--forecast takes standard, average or fixed:AMOUNT"));
}

void ChooseForecast(app::ForecastSettingsForm& settings, const ForecastChoice& choice) {
    switch (choice.method) {
        case app::ForecastMethod::Standard:
            settings.RadioButton1Click();
            break;
        case app::ForecastMethod::AveragePayment:
            settings.RadioButton2Click();
            break;
        case app::ForecastMethod::FixedPayment:
            settings.RadioButton3Click();
            TypeInto(settings.FloatSpinEdit1, choice.amount);
            break;
    }
}

}  // namespace cli
