#pragma once

// A decimal and a whole-number spin edit, with a plain field to leave them for, shown in an
// active window under the given decimal separator.

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "gui/spin_edit.h"

namespace gui_testing {

class SpinEditFields {
  public:
    explicit SpinEditFields(char separator)
        : locale(loan::Locale::withSeparator(separator)),
          decimalModel(locale),
          wholeModel(locale),
          decimal(new gui::TFloatSpinEdit(decimalModel, &host)),
          whole(new gui::TSpinEdit(wholeModel, &host)),
          other(new QLineEdit(&host)),
          decimalBeeps(decimal, &gui::SpinEditBase::beeped),
          wholeBeeps(whole, &gui::SpinEditBase::beeped) {
        auto* layout = new QVBoxLayout(&host);
        layout->addWidget(decimal);
        layout->addWidget(whole);
        layout->addWidget(other);
        host.show();
        QApplication::setActiveWindow(&host);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
    }

    // Replaces the text as a person would: select all, type.
    static void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void leave() {
        other->setFocus();
        QApplication::processEvents();
    }
    void refresh() {
        decimal->refresh();
        whole->refresh();
    }

    loan::Locale locale;
    widgets::FloatSpinEditModel decimalModel;
    widgets::SpinEditModel wholeModel;
    QWidget host;
    gui::TFloatSpinEdit* decimal;
    gui::TSpinEdit* whole;
    QLineEdit* other;
    QSignalSpy decimalBeeps;
    QSignalSpy wholeBeeps;
};

}  // namespace gui_testing
