// The main window driven as a person would: start state, "Расчет", the modes and the save
// question, closing.

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QStatusBar>
#include <QTextBrowser>

#include "gui/help_window.h"

#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

TEST_F(WindowTest, StartsEmptyInCalculationMode) {
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим расчета");
    const char* headers[] = {"Месяц",    "Дата",         "Остаток кредита", "Основной платеж",
                             "Проценты", "Обслуживание", "Всего за платеж"};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(header(column), headers[column]);
    }
    EXPECT_EQ(window->grid()->model()->rowCount(), 9);  // ten table rows, the header above
    EXPECT_FALSE(window->grid()->selectionModel()->hasSelection());
    for (const char* name : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "SpinEdit5", "SpinEdit6"}) {
        EXPECT_EQ(find<QLineEdit>(name)->text(), "0") << name;
    }
    EXPECT_EQ(find<QDateEdit>("DateTimePicker1")->text(), "10.03.2004");
    EXPECT_FALSE(find<QWidget>("GroupBox2")->isVisible());
    EXPECT_FALSE(find<QWidget>("SpinEdit5")->isEnabled());
    EXPECT_FALSE(find<QWidget>("CheckBox1")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Button1")->isEnabled());
    for (const char* name : {"Button4", "Button5", "Button6"}) {
        EXPECT_FALSE(find<QWidget>(name)->isEnabled()) << name;
    }
    EXPECT_TRUE(item("N13")->isChecked());
    EXPECT_TRUE(item("N18")->isChecked());
    EXPECT_FALSE(item("N20")->isEnabled());
    EXPECT_EQ(item("SsudomerHelp1")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_TRUE(window->statusNotice()->text().startsWith("Ссудомер 2.0"));
    // The width is fixed at the designed client width.
    EXPECT_EQ(window->minimumWidth(), 659);
    EXPECT_EQ(window->maximumWidth(), 659);
}

TEST_F(WindowTest, TextsOnScreenAreRussianAndSpelledRight) {
    EXPECT_EQ(item("SsudomerHelp1")->text(), "&Справка Ссудомера");
    EXPECT_EQ(find<QRadioButton>("RadioButton3")->text(), "Платеж + % (с вычетом из СП)");
    QStringList labels;
    modals.replies.push_back([&labels](QWidget* about) {
        for (auto* label : about->findChildren<QLabel*>()) labels << label->text();
        QMetaObject::invokeMethod(about, "reject", Qt::QueuedConnection);
    });
    item("N8")->trigger();
    EXPECT_TRUE(labels.contains("Версия 2.0")) << labels.join(" | ").toStdString();
    for (const QString& label : labels) {
        EXPECT_FALSE(label.contains("Version")) << label.toStdString();
    }
}

TEST_F(WindowTest, CalculateFillsTheGridAndSummary) {
    typeLoan("12000", "12", "12");
    auto* fee = find<QLineEdit>("SpinEdit6");
    fee->setFocus();
    fee->selectAll();
    QTest::keyClicks(fee, "0,5");
    click("Button1");

    ASSERT_EQ(window->grid()->model()->rowCount(), 13);
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_EQ(cell(1, 1), "Апрель 2004");
    EXPECT_EQ(cell(6, 1), "1180,00");
    EXPECT_EQ(cell(0, 13), "Всего:");
    EXPECT_EQ(cell(6, 13), "13500,00");
    EXPECT_EQ(text("Label15"), "13500,00");
    EXPECT_EQ(text("Label17"), "780,00");
    EXPECT_EQ(text("Label9"), "1000,00");
    EXPECT_TRUE(find<QWidget>("Button5")->isEnabled());
}

TEST_F(WindowTest, MissingInputIsReportedInAMessageBox) {
    modals.press(QMessageBox::Ok);
    click("Button1");
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Ошибка!!!");
    EXPECT_EQ(modals.seen[0].text, "Что-то забыли ввести...");
}

TEST_F(WindowTest, ARefusedCalculationLeavesNoEarlierTotals) {
    typeLoan("12000", "12", "12");
    auto* fee = find<QLineEdit>("SpinEdit6");
    fee->setFocus();
    QTest::keyClicks(fee, "0,5");
    click("Button1");
    ASSERT_EQ(text("Label15"), "13500,00");

    typeLoan("100000000000", "100000", "1000");  // the interest passes the amount limit
    modals.press(QMessageBox::Ok);
    click("Button1");
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text, "Суммы слишком велики для расчета...");
    EXPECT_EQ(cell(0, 1), "");
    for (const char* label : {"Label9", "Label11", "Label13", "Label15", "Label17", "Label19"}) {
        EXPECT_EQ(text(label), "0,00") << label;
    }
}

TEST_F(WindowTest, ModeChangesShowTheStateOfEachMode) {
    click("Button2");  // no unsaved payments: no question
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим ввода платежей");
    EXPECT_EQ(find<QPushButton>("Button2")->text(), "Режим расчета");
    EXPECT_EQ(header(0), "№");
    EXPECT_EQ(header(5), "Всего за платеж");
    EXPECT_EQ(header(6), "Тип платежа");
    EXPECT_TRUE(find<QWidget>("GroupBox2")->isVisible());
    EXPECT_TRUE(find<QWidget>("GroupBox2")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Button1")->isEnabled());
    EXPECT_TRUE(find<QWidget>("Button4")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Button6")->isEnabled());
    EXPECT_TRUE(item("N16")->isChecked());
    EXPECT_FALSE(item("N13")->isChecked());

    item("N13")->trigger();
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим расчета");
    EXPECT_EQ(find<QPushButton>("Button2")->text(), "Режим ввода");
    EXPECT_EQ(header(0), "Месяц");
    EXPECT_EQ(header(5), "Обслуживание");
    EXPECT_EQ(header(6), "Всего за платеж");
    EXPECT_FALSE(find<QWidget>("GroupBox2")->isVisible());
    EXPECT_TRUE(find<QWidget>("GroupBox4")->isVisible());
    EXPECT_TRUE(find<QWidget>("Button1")->isEnabled());
    EXPECT_FALSE(find<QWidget>("Button4")->isEnabled());
    EXPECT_TRUE(item("N13")->isChecked());
    EXPECT_FALSE(item("N16")->isChecked());
}

TEST_F(WindowTest, FeeBasisAndSchemeChangeTheirControls) {
    item("A1")->trigger();
    EXPECT_EQ(text("Label21"), "Обслуживание:");
    EXPECT_TRUE(item("A1")->isChecked());
    EXPECT_FALSE(item("N18")->isChecked());
    item("N18")->trigger();
    EXPECT_EQ(text("Label21"), "Обслуживание (%):");

    click("RadioButtonB");
    EXPECT_TRUE(find<QWidget>("SpinEdit5")->isEnabled());
    EXPECT_TRUE(find<QWidget>("CheckBox1")->isEnabled());
    click("CheckBox1");
    EXPECT_TRUE(form().CheckBox1.Checked);
    click("RadioButtonA");
    EXPECT_FALSE(find<QWidget>("SpinEdit5")->isEnabled());
    EXPECT_FALSE(find<QWidget>("CheckBox1")->isEnabled());
}

TEST_F(WindowTest, PaymentKindAndDatesReachTheForm) {
    click("Button2");
    click("RadioButton4");
    EXPECT_TRUE(form().RadioButton4.Checked);
    EXPECT_FALSE(form().RadioButton3.Checked);
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 6, 15));
    EXPECT_EQ(form().DateTimePicker1.Date, (loan::Date{2005, 6, 15}));
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 7, 1));
    EXPECT_EQ(form().DateTimePicker2.Date, (loan::Date{2005, 7, 1}));
}

// In payment-input mode with unsaved payments: the question before the mode change.
class SaveQuestionTest : public WindowTest {
  protected:
    SaveQuestionTest() {
        typeLoan("12000", "12", "12");
        click("Button2");
        form().PaymentsModified = true;
        form().StringGrid1.setCell(0, 1, "1");
        window->refresh();
    }
};

TEST_F(SaveQuestionTest, TheQuestionAndTheSaveDialogSpeakRussian) {
    QStringList buttons;
    modals.replies.push_back([&buttons](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        for (auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
            buttons << box->button(button)->text().remove(QLatin1Char('&'));
        }
        box->button(QMessageBox::Yes)->click();
    });
    QStringList dialogButtons;
    modals.replies.push_back([&dialogButtons](QWidget* dialog) {
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            dialogButtons << button->text().remove(QLatin1Char('&'));
        }
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
    });
    item("N13")->trigger();
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(buttons, (QStringList{"Да", "Нет", "Отмена"}));
    EXPECT_EQ(modals.seen[1].title, "Сохранение платежей");
    EXPECT_TRUE(dialogButtons.contains("Сохранить")) << dialogButtons.join(", ").toStdString();
    EXPECT_TRUE(dialogButtons.contains("Отмена")) << dialogButtons.join(", ").toStdString();
}

TEST_F(SaveQuestionTest, CancelKeepsEverything) {
    modals.press(QMessageBox::Cancel);
    item("N13")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_EQ(modals.seen[0].text,
              "Сохранить файл платежей?\nВсе несохраненные изменения будут утеряны!!!");
    EXPECT_TRUE(item("N16")->isChecked());
    EXPECT_FALSE(item("N13")->isChecked());
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим ввода платежей");
    EXPECT_EQ(cell(0, 1), "1");
    EXPECT_TRUE(form().PaymentsModified);
}

TEST_F(SaveQuestionTest, NoDiscardsThePaymentsOnce) {
    modals.press(QMessageBox::No);
    click("Button2");
    EXPECT_EQ(modals.seen.size(), 1u);  // asked once, not again by the mode change
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим расчета");
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_FALSE(form().PaymentsModified);
    EXPECT_TRUE(find<QWidget>("SpinEdit1")->isEnabled());
}

TEST_F(SaveQuestionTest, YesSavesUnderTheKnownFileName) {
    const QString path = QDir::temp().filePath("ssudomer_gui_yes.crp");
    QFile::remove(path);
    form().CurrentFileName = path.toStdString();
    modals.press(QMessageBox::Yes);
    item("N13")->trigger();
    ASSERT_GE(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_FALSE(form().PaymentsModified);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - режим расчета");
    EXPECT_EQ(cell(0, 1), "");
    QFile::remove(path);
}

TEST_F(WindowTest, ClosingWithoutChangesAsksNothing) {
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(modals.seen.empty());
}

TEST_F(WindowTest, ClosingWithChangesKeepsTheWindowOnCancel) {
    form().PaymentsModified = true;
    modals.press(QMessageBox::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    modals.press(QMessageBox::No);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(modals.seen.size(), 2u);
}

TEST_F(WindowTest, ClosingWithYesAndACancelledSaveDialogStaysOpen) {
    form().PaymentsModified = true;
    modals.press(QMessageBox::Yes);  // then the save dialog opens and is rejected
    EXPECT_FALSE(window->close());
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[1].title, "Сохранение платежей");
}

TEST_F(WindowTest, HelpOpensTheFileBesideTheProgramAtItsContents) {
    form().ProgramPath = SSUDOMER_PROGRAM_DIR "/ssudomer";
    item("SsudomerHelp1")->trigger();
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
    EXPECT_TRUE(window->helpWindow()->browser()->toPlainText().contains("Режим ввода платежей"));
    EXPECT_TRUE(modals.seen.empty());
}

TEST_F(WindowTest, MissingHelpFileIsReported) {
    // Nor is there one installed on this machine.
    testing_support::ScopedEnvironment dataDirs("XDG_DATA_DIRS", "/nonexistent/share");
    testing_support::ScopedEnvironment dataHome("XDG_DATA_HOME", "/nonexistent/home");
    form().ProgramPath = "/nonexistent/folder/ssudomer";
    modals.press(QMessageBox::Ok);
    item("SsudomerHelp1")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_TRUE(modals.seen[0].text.contains("ssudomer.hlp"));
}

}  // namespace

namespace {

TEST_F(WindowTest, ForecastOptionShowsItsSettingsAndEnablesTheParameters) {
    bool amountEnabled = false;
    modals.replies.push_back([&amountEnabled](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Настройка прогнозирования");
        QTest::mouseClick(dialog->findChild<QRadioButton*>("RadioButton3"), Qt::LeftButton);
        amountEnabled = dialog->findChild<QWidget*>("FloatSpinEdit1")->isEnabled();
        QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    item("N12")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_TRUE(amountEnabled);
    EXPECT_TRUE(form().Form3.RadioButton3.Checked);
    EXPECT_TRUE(item("N12")->isChecked());
    EXPECT_TRUE(item("N20")->isEnabled());
}

}  // namespace
