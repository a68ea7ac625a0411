// The window's own file and the last-loan file, through the real window: a file saved under a
// new name becomes the one the caption names and "Да" at closing writes, and closing keeps a
// loan field left at 0 with the others.

#include <QDateEdit>
#include <QFileDialog>
#include <QLineEdit>

#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kLoadedFile =
    "12000\r\n12\r\n12\r\n10.01.2005\r\n"
    "1;10.02.2005;12000,00;1500,00;122,30;1622,30;\xCF+%;\r\n";

class CurrentFileWindowTest : public WindowTest {
  protected:
    // Types `path` into the next file dialog and accepts it.
    void answerFileDialog(const std::string& path) {
        modals.chooseFile(QString::fromStdString(path));
    }

    TempFolder folder;
};

TEST_F(CurrentFileWindowTest, SaveAsMakesTheNewFileTheOneClosingWrites) {
    const std::string loaded = folder / "A.crp", saved = folder / "B.crp";
    WriteBytes(loaded, kLoadedFile);
    window->run([&] { form().LoadPaymentFile(loaded); });
    ASSERT_EQ(window->windowTitle(), "Ссудомер 2.0 - [A.crp] - режим ввода платежей");

    answerFileDialog(folder / "B");
    item("N4")->trigger();
    EXPECT_EQ(window->windowTitle(), "Ссудомер 2.0 - [B.crp] - режим ввода платежей");
    EXPECT_EQ(ReadBytes(saved), kLoadedFile);

    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 3, 10));
    click("RadioButton4");
    click("Button4");
    ASSERT_EQ(form().NextRow, 3);

    modals.seen.clear();
    modals.press(QMessageBox::Yes);
    EXPECT_TRUE(window->close());
    ASSERT_EQ(modals.seen.size(), 1u);  // the question only, no save dialog
    EXPECT_EQ(modals.seen[0].title, "Сохранить изменения?");
    EXPECT_NE(ReadBytes(saved).find("2;10.03.2005;10500,00;"), std::string::npos);
    EXPECT_EQ(ReadBytes(loaded), kLoadedFile);
}

TEST_F(CurrentFileWindowTest, ALoanFieldAtZeroComesBackWithTheOthers) {
    const std::string lastLoan = programFolder.filePath("oldinfo.ini").toStdString();
    WriteBytes(lastLoan, "250000\r\n11\r\n36\r\n05.06.2025\r\n");
    const auto start = [this] {
        auto next = std::make_unique<gui::MainWindow>(std::vector<std::string>{},
                                                      loan::Locale::withSeparator(','));
        next->form().ProgramPath = form().ProgramPath;
        next->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(next.get()));
        return next;
    };
    auto second = start();
    auto* rate = second->findChild<QLineEdit*>("SpinEdit2");
    ASSERT_NE(rate, nullptr);
    EXPECT_EQ(rate->text(), "11");
    rate->setFocus();
    rate->selectAll();
    QTest::keyClicks(rate, "0");
    EXPECT_TRUE(second->close());
    EXPECT_EQ(ReadBytes(lastLoan), "250000\r\n0\r\n36\r\n05.06.2025\r\n");

    auto third = start();
    EXPECT_EQ(third->findChild<QLineEdit*>("SpinEdit1")->text(), "250000");
    EXPECT_EQ(third->findChild<QLineEdit*>("SpinEdit2")->text(), "0");
    EXPECT_EQ(third->findChild<QLineEdit*>("SpinEdit3")->text(), "36");
    EXPECT_EQ(third->findChild<QDateEdit*>("DateTimePicker1")->date(), QDate(2025, 6, 5));
    EXPECT_TRUE(modals.seen.empty());
}

}  // namespace
