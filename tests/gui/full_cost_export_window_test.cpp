// The full cost of credit and the CSV export through the real window's menu.

#include <QFile>
#include <QFileDialog>
#include <QMenu>

#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

class FullCostExportWindowTest : public WindowTest {
  protected:
    // Answers the next file dialog with `path` typed as the name.
    void answerFileDialog(const QString& path) {
        modals.chooseFile(path, [](QFileDialog& dialog) {
            EXPECT_EQ(dialog.nameFilters(), QStringList{"*.csv (*.csv)"});
        });
    }

    QStringList fileMenuItems() {
        QStringList captions;
        for (QAction* action : find<QMenu>("N1")->actions()) captions << action->text();
        return captions;
    }

    QTemporaryDir folder;
};

TEST_F(FullCostExportWindowTest, TheFileMenuOffersBothCommandsBeforeExit) {
    EXPECT_EQ(fileMenuItems(),
              (QStringList{"Новый кредит", "Загрузить платежи...", "Сохранить платежи...",
                           "Печать платежей", "Экспорт таблицы в CSV...", "",
                           "Полная стоимость кредита...", "Досрочное погашение...", "", "Выход"}));
}

TEST_F(FullCostExportWindowTest, TheCostIsOfferedForAComputedScheduleAndShownInABox) {
    EXPECT_FALSE(item("FullCost1")->isEnabled());
    EXPECT_TRUE(item("ExportCsv1")->isEnabled());
    typeLoan("12000", "12", "12");
    click("Button1");
    ASSERT_TRUE(item("FullCost1")->isEnabled());

    modals.press(QMessageBox::Ok);
    item("FullCost1")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Полная стоимость кредита");
    EXPECT_EQ(modals.seen[0].text, "ПСК: 12,000 % годовых\nПСК в денежном выражении: 780,00");

    click("Button2");  // to the payment-input mode
    EXPECT_FALSE(item("FullCost1")->isEnabled());
    EXPECT_TRUE(item("ExportCsv1")->isEnabled());
}

TEST_F(FullCostExportWindowTest, ExportWritesTheTableWithTheDefaultExtension) {
    typeLoan("1000", "12", "3");
    click("Button1");
    answerFileDialog(folder.filePath("schedule"));
    item("ExportCsv1")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Экспорт таблицы в CSV");

    QFile file(folder.filePath("schedule.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    ASSERT_EQ(lines.size(), 13);  // five table lines, a gap, six values, the last line end
    EXPECT_EQ(lines[0],
              "Месяц;Дата;Остаток кредита;Основной платеж;Проценты;Обслуживание;Всего за платеж");
    EXPECT_EQ(lines[3], "3;Июнь 2004;333,34;333,33;3,33;0,00;336,66");
    EXPECT_EQ(lines[4], "Всего:;;;999,99;20,00;0,00;1019,99");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[8], "Остаток;0,01");
    EXPECT_EQ(lines[12], "");
    EXPECT_EQ(cell(0, 4), "Всего:");  // the window itself is as it was
}

TEST_F(FullCostExportWindowTest, AFailedExportIsReported) {
    answerFileDialog(folder.filePath("missing/table.csv"));
    modals.press(QMessageBox::Ok);
    item("ExportCsv1")->trigger();
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[1].title, "Ссудомер");
    EXPECT_TRUE(modals.seen[1].text.contains("table.csv")) << modals.seen[1].text.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath("missing/table.csv")));
}

}  // namespace
