#pragma once

#include "app/controls.h"
#include "spin_rules/spin_edit_model.h"

namespace app {

enum class ForecastMethod { Standard, AveragePayment, FixedPayment };

// The forecast settings dialog (TForm3): lives as long as the program, its choice with it.
struct ForecastSettingsForm {
    explicit ForecastSettingsForm(const loan::Locale& locale) : FloatSpinEdit1(locale) {
        FloatSpinEdit1.Enabled = false;
    }

    static constexpr const char* kCaption = "Настройка прогнозирования";

    CheckControl RadioButton1{true};  // "Стандартные платежи"
    CheckControl RadioButton2;        // "На основе \"среднего\" платежа"
    CheckControl RadioButton3;        // "Если платить по...."
    widgets::FloatSpinEditModel FloatSpinEdit1;

    void RadioButton1Click() { choose(RadioButton1, false); }
    void RadioButton2Click() { choose(RadioButton2, false); }
    void RadioButton3Click() { choose(RadioButton3, true); }

    ForecastMethod Method() const {
        if (RadioButton3.Checked)
            return ForecastMethod::FixedPayment;
        if (RadioButton2.Checked)
            return ForecastMethod::AveragePayment;
        return ForecastMethod::Standard;
    }

  private:
    void choose(CheckControl& button, bool amountEnabled) {
        RadioButton1.Checked = RadioButton2.Checked = RadioButton3.Checked = false;
        button.Checked = true;
        FloatSpinEdit1.Enabled = amountEnabled;
    }
};

}  // namespace app
