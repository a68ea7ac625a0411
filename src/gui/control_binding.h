#pragma once

// How the windows show the simple controls of their models: dates, radio buttons and check
// boxes, each drawn without sending the change signal that would hand it back to the model.

#include <QAbstractButton>
#include <QDate>
#include <QSignalBlocker>

#include "app/controls.h"
#include "gui/date_field.h"
#include "loan/date.h"

namespace gui {

inline QDate ToQDate(const loan::Date& date) {
    return QDate(date.year, date.month, date.day);
}

inline loan::Date ToDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

inline void ShowDate(DateField* picker, const app::DatePicker& model) {
    const QSignalBlocker quiet(picker);
    picker->showDate(ToQDate(model.Date), model.Enabled);
}

inline void ShowCheck(QAbstractButton* button, const app::CheckControl& model) {
    const QSignalBlocker quiet(button);
    button->setChecked(model.Checked);
    button->setEnabled(model.Enabled);
}

}  // namespace gui
