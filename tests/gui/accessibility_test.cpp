// What a screen reader is told about the window's controls: each input by its label's
// name, the table by its own, every button by some name (the spin arrows among them).

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QLineEdit>

#include "gui/about_box.h"
#include "gui/forecast_dialog.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// The controls of one window (not of the dialogs it owns) that are not kept hidden (the
// table's corner button, the menu bar's overflow button).
template <class Widget>
QList<Widget*> controlsOf(QWidget* window) {
    QList<Widget*> controls;
    for (Widget* widget : window->findChildren<Widget*>()) {
        if (widget->window() == window && !widget->isHidden())
            controls << widget;
    }
    return controls;
}

// Inputs a person types into or picks from: the line edits, the date pickers.
QList<QWidget*> inputsOf(QWidget* window) {
    QList<QWidget*> inputs;
    for (QWidget* widget : controlsOf<QWidget>(window)) {
        if ((qobject_cast<QLineEdit*>(widget) &&
             !qobject_cast<QAbstractSpinBox*>(widget->parentWidget())) ||
            qobject_cast<QAbstractSpinBox*>(widget))
            inputs << widget;
    }
    return inputs;
}

TEST_F(WindowTest, EveryInputIsAnnouncedByItsLabel) {
    const std::pair<const char*, const char*> expected[] = {
        {"SpinEdit1", "Сумма кредита"},
        {"SpinEdit2", "Процентная ставка"},
        {"DateTimePicker1", "Дата получения кредита"},
        {"SpinEdit3", "Срок погашения (мес)"},
        {"SpinEdit5", "Сумма:"},
        {"SpinEdit6", "Обслуживание (%):"},
        {"DateTimePicker2", "Дата платежа"},
        {"SpinEdit4", "Сумма платежа"},
        {"StringGrid1", "Таблица платежей"},
    };
    for (const auto& [name, announced] : expected) {
        EXPECT_EQ(accessibleName(find<QWidget>(name)), QString::fromUtf8(announced)) << name;
    }
    // The fee field's name follows its caption.
    item("A1")->trigger();
    EXPECT_EQ(accessibleName(find<QWidget>("SpinEdit6")), "Обслуживание:");

    QStringList names;
    for (QWidget* input : inputsOf(window.get())) names << accessibleName(input);
    EXPECT_EQ(names.size(), 8);
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 8) << names.join(" | ").toStdString();
}

TEST_F(WindowTest, EveryButtonAndDialogFieldHasAName) {
    gui::TAboutBox about(window.get());
    for (QWidget* top :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->forecastSettings()),
          static_cast<QWidget*>(&about)}) {
        int buttons = 0;
        for (QAbstractButton* button : controlsOf<QAbstractButton>(top)) {
            ++buttons;
            EXPECT_FALSE(accessibleName(button).isEmpty())
                << top->objectName().toStdString() << " " << button->objectName().toStdString()
                << " in " << button->parentWidget()->objectName().toStdString();
        }
        EXPECT_GT(buttons, 0);
        for (QWidget* input : inputsOf(top)) {
            EXPECT_FALSE(accessibleName(input).isEmpty()) << input->objectName().toStdString();
        }
    }
    auto* amount = window->forecastSettings()->findChild<QWidget*>("FloatSpinEdit1");
    EXPECT_EQ(accessibleName(amount), "Ежемесячный платеж");
}

}  // namespace
