#pragma once

#include <string>

#include "app/forecast_settings.h"
#include "cli/options.h"

namespace cli {

// --forecast standard|average|fixed:AMOUNT, checked before anything runs.
struct ForecastChoice {
    app::ForecastMethod method = app::ForecastMethod::Standard;
    std::string amount;  // typed into the dialog's field for a fixed payment
};

// The amount of fixed:AMOUNT must be one the dialog's field takes as it is (CheckFieldTakes).
ForecastChoice ForecastArgument(const Option& option, const app::ForecastSettingsForm& settings,
                                const loan::Locale& locale);

// Does in the forecast settings what a person does to choose that method.
void ChooseForecast(app::ForecastSettingsForm& settings, const ForecastChoice& choice);

}  // namespace cli
