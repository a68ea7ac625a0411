// Loading payment files, the interest preview and a refused first payment through the real
// window, on the offscreen platform.

#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>

#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

class FileFaultsWindowTest : public WindowTest {
  protected:
    // Answers the next file dialog with `path`.
    void answerFileDialog(const QString& path) { modals.chooseFile(path); }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString fieldText(const char* name) { return find<QLineEdit>(name)->text(); }
    bool enabled(const char* name) { return find<QWidget>(name)->isEnabled(); }

    QTemporaryDir folder;
};

// Cancelling "Загрузить платежи..." once emptied the loan, and closing then wrote that
// empty loan into the last-loan file.
TEST_F(FileFaultsWindowTest, ACancelledLoadKeepsTheLoanAndClosingRemembersIt) {
    typeLoan("150000", "12,5", "24");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 15));
    click("Button1");
    ASSERT_EQ(cell(2, 1), "150000,00");

    item("N3")->trigger();  // the open dialog is rejected
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Загрузка предыдущих платежей");
    EXPECT_EQ(fieldText("SpinEdit1"), "150000");
    EXPECT_EQ(fieldText("SpinEdit2"), "12,5");
    EXPECT_EQ(fieldText("SpinEdit3"), "24");
    EXPECT_EQ(find<QDateEdit>("DateTimePicker1")->date(), QDate(2005, 1, 15));
    EXPECT_EQ(cell(2, 1), "150000,00");
    EXPECT_TRUE(enabled("Button5"));

    window->close();
    QFile last(programFolder.filePath("oldinfo.ini"));
    ASSERT_TRUE(last.open(QIODevice::ReadOnly));
    EXPECT_EQ(last.readAll(), QByteArray("150000\r\n12,5\r\n24\r\n15.01.2005\r\n"));
}

// A foreign file once half-loaded: an English message, payment headers over a partial row
// and binary text in the loan fields. Now it is refused whole, in Russian, by file and line.
TEST_F(FileFaultsWindowTest, ABrokenFileIsRefusedAndTheWindowStaysAsItWas) {
    typeLoan("12000", "12", "12");
    click("Button1");
    const QString title = window->windowTitle();

    const QString picture =
        write("picture.crp", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\x01\x02", 18));
    answerFileDialog(picture);
    item("N3")->trigger();
    const QString broken = write("broken.crp",
                                 "12000\r\n12\r\n12\r\n10.01.2005\r\n"
                                 "1;10.02.2005;12000,00;1000,00;122,30;1122,30;\xC0\xCF;\r\n"
                                 "2;10.03.2005;11000,00;abc;101,26;1101,26;\xC0\xCF;\r\n");
    answerFileDialog(broken);
    item("N3")->trigger();

    ASSERT_EQ(modals.seen.size(), 4u);  // each: the open dialog, then the refusal
    EXPECT_EQ(modals.seen[1].title, "Ссудомер");
    EXPECT_EQ(modals.seen[1].text, "Файл \"" + picture +
                                       "\" не загружен; ничего не изменено.\n"
                                       "Строка 1 (сумма кредита): \"‰PNG\" — нужно число.");
    EXPECT_EQ(modals.seen[3].text, "Файл \"" + broken +
                                       "\" не загружен; ничего не изменено.\n"
                                       "Строка 6, поле \"Основной платеж\": \"abc\" не "
                                       "является числом.");
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(header(0), "Месяц");
    EXPECT_EQ(cell(2, 1), "12000,00");
    EXPECT_EQ(fieldText("SpinEdit1"), "12000");
    EXPECT_TRUE(enabled("SpinEdit1"));
}

TEST_F(FileFaultsWindowTest, AMissingCommandLineFileIsNamed) {
    const QString missing = folder.filePath("none.crp");
    gui::MainWindow started({missing.toStdString()}, loan::Locale::withSeparator(','));
    started.form().ProgramPath = programFolder.filePath("ssudomer").toStdString();
    started.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&started));
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text, "Файл \"" + missing + "\" не найден.");
    EXPECT_EQ(started.windowTitle(), "Ссудомер 2.0 - режим расчета");
}

class FileFaultsRegisterWindowTest : public FileFaultsWindowTest {
  protected:
    FileFaultsRegisterWindowTest() {
        typeLoan("12000", "12", "12");
        find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
        click("Button2");
    }
};

// "Проценты на дату платежа" once showed interest counted backwards for a date before the
// loan (363 934,43 on a large loan).
TEST_F(FileFaultsRegisterWindowTest, APickedDateBeforeTheLoanIsRefusedByThePreview) {
    modals.press(QMessageBox::Ok);
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2004, 10, 25));
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Ошибка!!!");
    EXPECT_EQ(modals.seen[0].text, "Дата платежа раньше даты получения кредита...");
    EXPECT_EQ(text("Label13"), "0");

    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    EXPECT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(text("Label13"), "122,30");
}

// Typed digit by digit, a date passes through dates the loan does not allow (typing
// 05.02.2005 over 20.01.2005 makes 05.01.2005 first, before the loan of 10.01.2005): no refusal box
// may interrupt the typing, only the finished date counts.
TEST_F(FileFaultsRegisterWindowTest, ATypedDateIsPreviewedOnceTheTypingIsFinished) {
    auto* picker = find<QDateEdit>("DateTimePicker2");
    picker->setDate(QDate(2005, 1, 20));
    ASSERT_TRUE(modals.seen.empty());

    picker->setFocus();
    picker->setSelectedSection(QDateTimeEdit::DaySection);
    QTest::keyClicks(picker, "0502");  // the day, then the month: a full section moves on
    EXPECT_EQ(picker->text(), "05.02.2005");
    EXPECT_TRUE(modals.seen.empty());
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_EQ(picker->date(), QDate(2005, 2, 5));
    EXPECT_EQ(text("Label13"), "102,58");
}

// A first payment refused after its checks had begun once left the loan locked and
// "Удалить платеж" offered on an empty register.
TEST_F(FileFaultsRegisterWindowTest, ARefusedFirstPaymentLeavesTheLoanEditable) {
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    auto* amount = find<QLineEdit>("SpinEdit4");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "13000");
    click("RadioButton1");
    modals.press(QMessageBox::Ok);
    click("Button4");
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text, "Сумма платежа больше остатка! Лучше используйте автоплатеж!");
    for (const char* input : {"SpinEdit1", "SpinEdit2", "SpinEdit3", "DateTimePicker1"}) {
        EXPECT_TRUE(enabled(input)) << input;
    }
    EXPECT_FALSE(enabled("Button6"));
    EXPECT_EQ(cell(0, 1), "");
}

}  // namespace
