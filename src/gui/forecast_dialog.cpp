#include "gui/forecast_dialog.h"

#include <QPushButton>

#include "gui/fonts.h"
#include "gui/qt_form_port.h"
#include "gui/widget_factories.h"

namespace gui {

TForm3::TForm3(app::ForecastSettingsForm& settings, QWidget* parent)
    : QDialog(parent, Qt::Tool), settings_(settings) {
    setObjectName("Form3");
    setWindowTitle(app::ForecastSettingsForm::kCaption);
    setFont(WindowFont());
    // Wide enough for the caption beside the window manager's buttons.
    setFixedSize(std::max(290, CaptionWidth(windowTitle())), 143);

    RadioButton1 = MakeCheck<QRadioButton>(this, "RadioButton1", "Стандартные платежи", 8, 8);
    RadioButton2 =
        MakeCheck<QRadioButton>(this, "RadioButton2", "На основе \"среднего\" платежа", 8, 32);
    RadioButton3 = MakeCheck<QRadioButton>(this, "RadioButton3", "Если платить по....", 8, 56);
    FloatSpinEdit1 = new TFloatSpinEdit(settings_.FloatSpinEdit1, this);
    FloatSpinEdit1->setObjectName("FloatSpinEdit1");
    FloatSpinEdit1->setFont(InputFont());
    FloatSpinEdit1->setGeometry(24, 84, 121, 24);
    // The amount has no label of its own: the radio button above it says what it is for.
    FloatSpinEdit1->setAccessibleName("Ежемесячный платеж");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Button1");
    ok->setDefault(true);
    ok->setGeometry(width() - 90, 108, 75, 25);

    connect(RadioButton1, &QRadioButton::clicked, this, [this] {
        settings_.RadioButton1Click();
        refresh();
    });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] {
        settings_.RadioButton2Click();
        refresh();
    });
    connect(RadioButton3, &QRadioButton::clicked, this, [this] {
        settings_.RadioButton3Click();
        refresh();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void TForm3::refresh() {
    RadioButton1->setChecked(settings_.RadioButton1.Checked);
    RadioButton2->setChecked(settings_.RadioButton2.Checked);
    RadioButton3->setChecked(settings_.RadioButton3.Checked);
    FloatSpinEdit1->refresh();
}

void TForm3::showModally() {
    refresh();
    exec();
}

}  // namespace gui
