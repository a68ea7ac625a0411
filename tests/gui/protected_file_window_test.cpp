// A payment file its user may not write, opened in the window: "Выход", "Да" shows the
// failed save, keeps the payments and the window, and leaves the file as it was.

#include <QDateEdit>
#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

const std::string kOnePayment =
    "12000\r\n12\r\n12\r\n10.01.2005\r\n"
    "1;10.02.2005;12000,00;1000,00;122,30;1122,30;\xC0\xCF;\r\n";

TEST(ProtectedFileWindow, ExitWithYesShowsTheFailedSaveAndKeepsEverything) {
    testing_support::TempFolder folder;
    const std::string path = folder / "loan.crp";
    testing_support::WriteBytes(path, kOnePayment);
    chmod(path.c_str(), 0444);

    gui_testing::ModalReplies modals;
    QTemporaryDir programFolder;
    gui::MainWindow window({path}, loan::Locale::withSeparator(','));
    window.form().ProgramPath = programFolder.filePath("ssudomer").toStdString();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.form().NextRow, 2) << "the file was not loaded";

    window.findChild<QDateEdit*>("DateTimePicker2")->setDate(QDate(2005, 3, 10));
    QTest::mouseClick(window.findChild<QAbstractButton*>("RadioButton4"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QAbstractButton*>("Button4"), Qt::LeftButton);
    ASSERT_EQ(window.form().NextRow, 3);

    modals.press(QMessageBox::Yes);  // "Сохранить изменения?"
    modals.press(QMessageBox::Ok);   // the failed save
    window.findChild<QAction*>("N6")->trigger();
    QTest::qWait(50);

    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_TRUE(modals.seen[1].text.contains(
        "Файл \"loan.crp\" не записан; прежнее содержимое файла не изменено."))
        << modals.seen[1].text.toStdString();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.form().NextRow, 3);
    EXPECT_TRUE(window.form().PaymentsModified);
    EXPECT_EQ(window.grid()->model()->index(1, 6).data().toString(), "АП");
    EXPECT_EQ(testing_support::ReadBytes(path), kOnePayment);

    // Closing without saving is still possible.
    modals.press(QMessageBox::No);
    EXPECT_TRUE(window.close());
}

}  // namespace
