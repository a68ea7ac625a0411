#pragma once

// "Настройка прогнозирования" (TForm3): the forecast method and the fixed amount. It lives
// as long as the main window; its choice lives in the main form's Form3.

#include <QDialog>
#include <QRadioButton>

#include "app/forecast_settings.h"
#include "gui/spin_edit.h"

namespace gui {

class TForm3 : public QDialog {
    Q_OBJECT

  public:
    TForm3(app::ForecastSettingsForm& settings, QWidget* parent = nullptr);

    // Shows the settings modally; however it is closed, what it shows then is used.
    void showModally();
    void refresh();

  private:
    app::ForecastSettingsForm& settings_;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    TFloatSpinEdit* FloatSpinEdit1;
};

}  // namespace gui
