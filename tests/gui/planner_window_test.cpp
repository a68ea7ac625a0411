// The prepayment planner through the real main window: "Досрочное погашение..." with the
// main window's loan, the lists and their editors, the comparison and the chart following
// them, bad input, the CSV export and the printed plan.

#include <QAccessible>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineSeries>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>

#include "printouts/planner_pages.h"
#include "gui/planner_window.h"
#include "gui/print_window.h"
#include "print/preview.h"
#include "support/temp_folder.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

class PlannerWindowTest : public WindowTest {
  protected:
    // 1 000 000 at 12 % for 24 months from 31.01.2024 in the main window, equal payments.
    void enterExampleLoan() {
        typeLoan("1000000", "12", "24");
        find<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 1, 31));
        click("RadioButtonB");
    }

    gui::PlannerWindow& openPlanner() {
        item("Planner1")->trigger();
        gui::PlannerWindow* planner = window->plannerWindow();
        EXPECT_NE(planner, nullptr);
        EXPECT_TRUE(planner->isVisible());
        return *planner;
    }

    // The planner with its payments on their nominal dates, for tests of something else
    // than moving them off days off.
    gui::PlannerWindow& openPlannerOnNominalDates() {
        gui::PlannerWindow& planner = openPlanner();
        planner.planner().Shift = loan::PaymentShift::None;
        press(planner, "CalculateButton");
        return planner;
    }

    static void type(gui::PlannerWindow& planner, const char* field, const char* value) {
        auto* edit = in<QLineEdit>(planner, field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(value));
    }

    static void press(gui::PlannerWindow& planner, const char* button) {
        QTest::mouseClick(in<QAbstractButton>(planner, button), Qt::LeftButton);
    }

    // A prepayment typed into its editor and added.
    static void addPrepayment(gui::PlannerWindow& planner, QDate date, const char* amount,
                              bool lowerPayment) {
        in<QDateEdit>(planner, "PrepaymentDateEdit")->setDate(date);
        type(planner, "PrepaymentAmountEdit", amount);
        press(planner, lowerPayment ? "LowerPaymentRadio" : "ShortenTermRadio");
        press(planner, "AddPrepaymentButton");
    }

    static QString tableCell(gui::PlannerWindow& planner, int column, int row) {
        return in<QTableView>(planner, "PlanTable")
            ->model()
            ->index(row - 1, column)
            .data()
            .toString();
    }
    static QString comparison(gui::PlannerWindow& planner, int variant, int column) {
        const QTableWidgetItem* cell =
            in<QTableWidget>(planner, "ComparisonTable")->item(variant, column);
        return cell ? cell->text() : QString();
    }
    static QStringList listed(gui::PlannerWindow& planner, const char* list) {
        QStringList rows;
        auto* tree = in<QTreeWidget>(planner, list);
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int c = 0; c < tree->columnCount(); ++c) cells << tree->topLevelItem(i)->text(c);
            rows << cells.join('|');
        }
        return rows;
    }
    static QStringList seriesNames(gui::PlannerWindow& planner) {
        QStringList names;
        for (QAbstractSeries* series : planner.chartView()->chart()->series())
            names << series->name();
        return names;
    }

    QTemporaryDir folder;
};

TEST_F(PlannerWindowTest, OpensWithTheMainWindowsLoanAndItsPlanWithoutCalculation) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlanner();
    EXPECT_EQ(planner.windowTitle(), "Досрочное погашение");
    EXPECT_EQ(in<QLineEdit>(planner, "SumEdit")->text(), "1000000");
    EXPECT_EQ(in<QLineEdit>(planner, "TermEdit")->text(), "24");
    EXPECT_EQ(in<QDateEdit>(planner, "LoanDateEdit")->date(), QDate(2024, 1, 31));
    EXPECT_TRUE(in<QRadioButton>(planner, "EqualPaymentsRadio")->isChecked());
    EXPECT_TRUE(in<QLineEdit>(planner, "PaymentEdit")->isEnabled());

    // The plan is there at once: the bank's annuity and the first period's interest.
    EXPECT_EQ(tableCell(planner, 1, 1), "29.02.2024");
    EXPECT_EQ(tableCell(planner, 4, 1), "9508,20");
    EXPECT_EQ(tableCell(planner, 5, 1), "47073,47");
    EXPECT_EQ(tableCell(planner, 0, 25), "Всего:");
    EXPECT_EQ(comparison(planner, 0, 0), "Введенный план");
    EXPECT_EQ(comparison(planner, 1, 1), "24");
    EXPECT_EQ(seriesNames(planner), (QStringList{"Введенный план", "Без досрочных погашений",
                                                 "Сокращение срока", "Уменьшение платежа"}));
    EXPECT_TRUE(in<QPushButton>(planner, "PrintButton")->isEnabled());
    // Every input, list and table is announced by a name of its own.
    QStringList names;
    for (QWidget* field : planner.findChildren<QWidget*>()) {
        const bool input = (qobject_cast<QLineEdit*>(field) &&
                            !qobject_cast<QAbstractSpinBox*>(field->parentWidget())) ||
                           qobject_cast<QAbstractSpinBox*>(field);
        const bool view =
            qobject_cast<QAbstractItemView*>(field) && !qobject_cast<QHeaderView*>(field);
        if (field->window() != &planner || (!input && !view))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(field);
        names << (face ? face->text(QAccessible::Name) : QString());
    }
    EXPECT_EQ(names.size(), 16);
    EXPECT_FALSE(names.contains(QString()));
    EXPECT_TRUE(names.contains("Сумма кредита"));
    EXPECT_TRUE(names.contains("Дата изменения ставки"));
    EXPECT_TRUE(names.contains("День платежа"));
    EXPECT_TRUE(names.contains("Погасить к"));
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 16) << names.join(" | ").toStdString();

    // An incomplete loan opens an empty planner without a message.
    typeLoan("0", "12", "24");
    gui::PlannerWindow& again = openPlanner();
    EXPECT_EQ(&again, &planner);
    EXPECT_TRUE(modals.seen.empty());
    EXPECT_FALSE(in<QPushButton>(planner, "PrintButton")->isEnabled());
    EXPECT_EQ(in<QTableView>(planner, "PlanTable")->model()->rowCount(), 0);
    EXPECT_TRUE(seriesNames(planner).isEmpty());
}

TEST_F(PlannerWindowTest, PrepaymentsAddedAndRemovedMoveTheTableComparisonAndChart) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    EXPECT_EQ(listed(planner, "PrepaymentList"),
              QStringList{"31.03.2024|500000,00|уменьшение платежа||21624,37"});
    EXPECT_EQ(tableCell(planner, 6, 3), "досрочный");
    const QModelIndex prepaymentRow = in<QTableView>(planner, "PlanTable")->model()->index(2, 0);
    EXPECT_EQ(
        prepaymentRow.data(Qt::BackgroundRole).value<QColor>(),
        QColor(gui::kPrepaymentRowRgb[0], gui::kPrepaymentRowRgb[1], gui::kPrepaymentRowRgb[2]));
    EXPECT_FALSE(in<QTableView>(planner, "PlanTable")
                     ->model()
                     ->index(0, 0)
                     .data(Qt::BackgroundRole)
                     .isValid());
    EXPECT_EQ(tableCell(planner, 5, 4), "21624,37");
    EXPECT_EQ(comparison(planner, 3, 4), "47073,47");     // the first payment
    EXPECT_EQ(comparison(planner, 3, 5), "21608,38");     // the last
    EXPECT_EQ(comparison(planner, 2, 2), "12");           // all shortening the term: months
    EXPECT_EQ(comparison(planner, 2, 3), "31.01.2025");   // saved, and the last date
    EXPECT_NE(comparison(planner, 0, 8), "0,00");         // interest saved

    // A second one, then the first removed through the list.
    addPrepayment(planner, QDate(2024, 6, 30), "100000", false);
    ASSERT_EQ(listed(planner, "PrepaymentList").size(), 2);
    auto* list = in<QTreeWidget>(planner, "PrepaymentList");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(in<QLineEdit>(planner, "PrepaymentAmountEdit")->text(), "500000,00");
    EXPECT_TRUE(in<QRadioButton>(planner, "LowerPaymentRadio")->isChecked());
    press(planner, "RemovePrepaymentButton");
    ASSERT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_TRUE(listed(planner, "PrepaymentList")[0].startsWith("30.06.2024|100000,00|"));

    // A rate change joins the plan too; with nothing early the variants all agree.
    list->setCurrentItem(list->topLevelItem(0));
    press(planner, "RemovePrepaymentButton");
    EXPECT_TRUE(listed(planner, "PrepaymentList").isEmpty());
    EXPECT_FALSE(in<QPushButton>(planner, "RemovePrepaymentButton")->isEnabled());
    EXPECT_EQ(comparison(planner, 0, 8), "0,00");
    in<QDateEdit>(planner, "RateChangeDateEdit")->setDate(QDate(2024, 7, 1));
    type(planner, "RateChangeRateEdit", "9");
    press(planner, "AddRateChangeButton");
    EXPECT_EQ(listed(planner, "RateChangeList"), QStringList{"01.07.2024|9"});
    EXPECT_NE(comparison(planner, 0, 6), "129312,62");
    EXPECT_EQ(comparison(planner, 0, 6), comparison(planner, 1, 6));
}

TEST_F(PlannerWindowTest, BadInputIsToldAndTheListsAndEditorsKeepWhatWasThere) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    ASSERT_TRUE(modals.seen.empty());

    addPrepayment(planner, QDate(2024, 4, 30), "0", false);
    addPrepayment(planner, QDate(2024, 1, 15), "1000", false);
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_EQ(modals.seen[0].text, "Сумма досрочного погашения должна быть больше нуля.");
    EXPECT_EQ(modals.seen[1].text,
              "Дата досрочного погашения должна быть позже даты получения кредита (31.01.2024).");
    EXPECT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_EQ(in<QLineEdit>(planner, "PrepaymentAmountEdit")->text(), "1000");

    // A loan made incomplete keeps the lists; the plan comes back once it is whole again.
    type(planner, "SumEdit", "0");
    press(planner, "CalculateButton");
    ASSERT_EQ(modals.seen.size(), 3u);
    EXPECT_EQ(modals.seen[2].title, "Ошибка!!!");
    EXPECT_FALSE(in<QPushButton>(planner, "ExportCsvButton")->isEnabled());
    type(planner, "SumEdit", "1000000");
    press(planner, "CalculateButton");
    EXPECT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_EQ(tableCell(planner, 6, 3), "досрочный");

    // A prepayment not above its interest is told, kept in the list and named under the table.
    addPrepayment(planner, QDate(2024, 5, 15), "1", false);
    ASSERT_EQ(modals.seen.size(), 4u);
    EXPECT_NE(modals.seen[3].text.indexOf("не больше процентов"), -1)
        << modals.seen[3].text.toStdString();
    EXPECT_EQ(listed(planner, "PrepaymentList").size(), 2);
    EXPECT_TRUE(in<QLabel>(planner, "RefusalsLabel")->isVisibleTo(&planner));
    EXPECT_EQ(in<QLabel>(planner, "RefusalsLabel")->text(), modals.seen[3].text);
    EXPECT_FALSE(in<QLabel>(planner, "NotesLabel")->isVisibleTo(&planner));
}

TEST_F(PlannerWindowTest, TheListsStayWhenThePlannerIsClosedAndOpenedAgain) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    press(planner, "CloseButton");
    EXPECT_FALSE(planner.isVisible());

    typeLoan("2000000", "10", "36");
    openPlanner();
    EXPECT_EQ(in<QLineEdit>(planner, "SumEdit")->text(), "2000000");
    ASSERT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_TRUE(
        listed(planner, "PrepaymentList")[0].startsWith("31.03.2024|500000,00|уменьшение платежа|"));
    EXPECT_EQ(tableCell(planner, 2, 3), "1903305,76");  // as `plan` of that loan gives
    EXPECT_EQ(tableCell(planner, 6, 3), "досрочный");
}

TEST_F(PlannerWindowTest, ExportWritesTheReportWithAByteOrderMarkAndCrLf) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlanner();
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    const QString path = folder.filePath("plan");
    modals.chooseFile(path, [](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Экспорт плана в CSV");
    });
    press(planner, "ExportCsvButton");

    QFile file(path + ".csv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    EXPECT_EQ(lines[0],
              "№;Дата;Остаток кредита;Основной платеж;Проценты;Всего за платеж;Вид платежа;"
              "Остаток после платежа");
    // Sunday's payment is made on Monday 01.04.2024, after the prepayment of 31.03.2024.
    EXPECT_EQ(lines[2], "2;31.03.2024;962434,73;490217,88;9782,12;500000,00;досрочный;472216,85");
    EXPECT_EQ(lines[3], "3;01.04.2024;472216,85;22929,89;154,83;23084,72;плановый;449286,96");
    EXPECT_TRUE(lines.contains("Уменьшение платежа: сумма последнего платежа;17469,31"));
    EXPECT_EQ(lines.back(), "");
    EXPECT_FALSE(bytes.mid(3).replace("\r\n", "").contains('\n'));
}

TEST_F(PlannerWindowTest, PrintingLaysTheTableAndComparisonOutAndPrintsThemToPdf) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    const QString pdf = folder.filePath("plan.pdf");
    std::vector<std::string> texts;
    int pageCount = 0;
    int tintedCells = 0;
    modals.replies.push_back([&](QWidget* widget) {
        auto* printWindow = qobject_cast<gui::TForm2*>(widget);
        ASSERT_NE(printWindow, nullptr) << widget->metaObject()->className();
        QTimer::singleShot(0, printWindow, [&, printWindow] {
            const print::TPvPageList& pages = printWindow->PvPreview1->PageList();
            pageCount = pages.PageCount();
            for (int n = 1; n <= pages.PageCount(); ++n) {
                for (const auto& object : pages.Page(n).Objects()) {
                    if (auto* box = dynamic_cast<const print::TPvTextBoxObject*>(object.get()))
                        texts.push_back(box->Text);
                    if (auto* fill = dynamic_cast<const print::TPvRectangleShape*>(object.get())) {
                        const print::TPvBrush& brush = pages.Resources.Brushes()[fill->Brush];
                        tintedCells += !brush.IsClear() &&
                                       brush.Color == print::PvRgb(gui::kPrepaymentRowRgb[0],
                                                                   gui::kPrepaymentRowRgb[1],
                                                                   gui::kPrepaymentRowRgb[2]);
                    }
                }
            }
            printWindow->PrintDialog1 = [&](QPrinter& printer, QWidget*) {
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                return true;
            };
            printWindow->Button1->click();
        });
    });
    press(planner, "PrintButton");
    ASSERT_NE(planner.printWindow(), nullptr);
    EXPECT_FALSE(planner.printWindow()->isVisible());

    EXPECT_EQ(pageCount, 2);  // the chart on a page of its own
    EXPECT_EQ(tintedCells, 8);  // the one prepayment row, every cell
    const auto has = [&](const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(has("досрочный"));
    EXPECT_TRUE(has("21624,37"));
    EXPECT_TRUE(has(gui::kComparisonTitle));
    EXPECT_TRUE(has("Экономия на процентах"));
    EXPECT_TRUE(has("47073,47 / 21624,37"));

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected :
         {"План погашения кредита.", "Досрочные погашения    : 31.03.2024", "досрочный",
          "Сравнение вариантов", "Уменьшение платежа", "Стр. 1 из 2"}) {
        EXPECT_NE(text.indexOf(QString::fromUtf8(expected)), -1) << expected << "\n"
                                                                 << text.toStdString();
    }
}

TEST_F(PlannerWindowTest, TheEditorsFollowTheLoanDateAndAddAtOnce) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    EXPECT_EQ(in<QDateEdit>(planner, "PrepaymentDateEdit")->date(), QDate(2024, 2, 29));
    in<QDateEdit>(planner, "LoanDateEdit")->setDate(QDate(2025, 5, 15));
    EXPECT_EQ(in<QDateEdit>(planner, "PrepaymentDateEdit")->date(), QDate(2025, 6, 15));
    EXPECT_EQ(in<QDateEdit>(planner, "RateChangeDateEdit")->date(), QDate(2025, 6, 15));
    press(planner, "CalculateButton");
    type(planner, "PrepaymentAmountEdit", "1000");
    press(planner, "AddPrepaymentButton");
    EXPECT_TRUE(modals.seen.empty());
    ASSERT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_TRUE(listed(planner, "PrepaymentList")[0].startsWith("15.06.2025|1000,00|"));

    // A date set in the editor stays while it is after the loan date.
    in<QDateEdit>(planner, "PrepaymentDateEdit")->setDate(QDate(2025, 9, 1));
    in<QDateEdit>(planner, "LoanDateEdit")->setDate(QDate(2025, 6, 20));
    EXPECT_EQ(in<QDateEdit>(planner, "PrepaymentDateEdit")->date(), QDate(2025, 9, 1));
    EXPECT_EQ(in<QDateEdit>(planner, "RateChangeDateEdit")->date(), QDate(2025, 7, 20));
}

TEST_F(PlannerWindowTest, TheListShowsPrepaymentsByDateAndSelectsTheEntryShown) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 6, 30), "100000", false);
    addPrepayment(planner, QDate(2024, 3, 31), "500000", true);
    EXPECT_EQ(listed(planner, "PrepaymentList"),
              (QStringList{"31.03.2024|500000,00|уменьшение платежа||21624,37",
                           "30.06.2024|100000,00|сокращение срока||" + tableCell(planner, 5, 8)}));
    EXPECT_EQ(tableCell(planner, 1, 8), "31.07.2024");
    EXPECT_EQ(in<QTreeWidget>(planner, "PrepaymentList")->headerItem()->text(4),
              "Следующий\nплатеж");

    // The first row is the second entry: selecting it loads that one, removing removes it.
    auto* list = in<QTreeWidget>(planner, "PrepaymentList");
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(planner.planner().SelectedPrepayment, 0);
    EXPECT_EQ(in<QLineEdit>(planner, "PrepaymentAmountEdit")->text(), "100000,00");
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(planner.planner().SelectedPrepayment, 1);
    EXPECT_EQ(in<QLineEdit>(planner, "PrepaymentAmountEdit")->text(), "500000,00");
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
    press(planner, "RemovePrepaymentButton");
    ASSERT_EQ(listed(planner, "PrepaymentList").size(), 1);
    EXPECT_TRUE(listed(planner, "PrepaymentList")[0].startsWith("30.06.2024|100000,00|"));
}

TEST_F(PlannerWindowTest, TheTableMarksMovedDatesAndShowsTheBalanceAfterEachRow) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlanner();  // payments moved off days off
    QAbstractItemModel* model = in<QTableView>(planner, "PlanTable")->model();
    ASSERT_EQ(model->columnCount(), 8);
    EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), "Остаток\nпосле платежа");
    EXPECT_EQ(tableCell(planner, 7, 1), "962434,73");
    EXPECT_EQ(tableCell(planner, 7, 24), "0,00");
    EXPECT_EQ(tableCell(planner, 7, 25), "");  // the totals row

    EXPECT_EQ(tableCell(planner, 1, 1), "29.02.2024");
    EXPECT_FALSE(model->index(0, 1).data(Qt::ToolTipRole).isValid());
    EXPECT_EQ(tableCell(planner, 1, 2), "01.04.2024*");
    EXPECT_EQ(model->index(1, 1).data(Qt::ToolTipRole).toString(),
              "перенесено с 31.03.2024: нерабочий день");
    EXPECT_EQ(model->index(1, 5).data(Qt::ToolTipRole).toString(),
              "перенесено с 31.03.2024: нерабочий день");

    // "не переносить" and a payment day of 10: the dates change with "Рассчитать".
    auto* shift = in<QComboBox>(planner, "ShiftCombo");
    ASSERT_EQ(shift->count(), 3);
    EXPECT_EQ(shift->currentIndex(), 0);
    shift->setCurrentIndex(2);
    emit shift->activated(2);
    EXPECT_EQ(planner.planner().Shift, loan::PaymentShift::None);
    auto* day = in<QSpinBox>(planner, "PaymentDayEdit");
    EXPECT_EQ(day->text(), "как в дате кредита");
    day->setValue(10);
    press(planner, "CalculateButton");
    EXPECT_EQ(tableCell(planner, 1, 1), "10.02.2024");
    EXPECT_EQ(tableCell(planner, 1, 2), "10.03.2024");  // a Sunday, not moved
    EXPECT_FALSE(model->index(1, 1).data(Qt::ToolTipRole).isValid());
    shift->setCurrentIndex(0);
    emit shift->activated(0);
    press(planner, "CalculateButton");
    EXPECT_EQ(tableCell(planner, 1, 2), "11.03.2024*");
    EXPECT_TRUE(modals.seen.empty());
}

TEST_F(PlannerWindowTest, APaymentBelowItsInterestIsRedInItsRowsAndNotedOnce) {
    typeLoan("1000000", "1000", "24");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 1, 15));
    click("RadioButtonB");
    modals.replies.push_back([](QWidget* box) { box->close(); });
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    QAbstractItemModel* model = in<QTableView>(planner, "PlanTable")->model();
    int red = 0;
    for (int row = 0; row + 1 < model->rowCount(); ++row) {
        const bool interestOnly = model->index(row, 3).data().toString() == "0,00";
        const QVariant colour = model->index(row, 4).data(Qt::ForegroundRole);
        EXPECT_EQ(colour.isValid(), interestOnly) << row;
        if (!interestOnly)
            continue;
        ++red;
        EXPECT_NE(model->index(row, 0).data(Qt::ToolTipRole).toString().indexOf(
                      "платятся только проценты"),
                  -1);
    }
    EXPECT_GT(red, 0);
    const QString notes = in<QLabel>(planner, "NotesLabel")->text();
    EXPECT_EQ(notes.count("не покрывает проценты"), 1) << notes.toStdString();
    EXPECT_FALSE(in<QLabel>(planner, "RefusalsLabel")->isVisibleTo(&planner));
}

TEST_F(PlannerWindowTest, NotesAreNotInTheRedOfRefusals) {
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlannerOnNominalDates();
    addPrepayment(planner, QDate(2024, 6, 10), "2000000", false);
    in<QCheckBox>(planner, "MonthlyCheck")->setChecked(true);
    addPrepayment(planner, QDate(2024, 7, 10), "1000", false);
    auto* notes = in<QLabel>(planner, "NotesLabel");
    auto* refusals = in<QLabel>(planner, "RefusalsLabel");
    EXPECT_EQ(notes->text(), "Ежемесячное досрочное погашение с 10.07.2024 не учтено: кредит к "
                             "этой дате уже погашен.");
    EXPECT_TRUE(notes->isVisibleTo(&planner));
    EXPECT_FALSE(refusals->isVisibleTo(&planner));
    EXPECT_EQ(notes->palette().color(QPalette::WindowText),
              planner.palette().color(QPalette::WindowText));
    // A refusal is in red.
    in<QCheckBox>(planner, "MonthlyCheck")->setChecked(false);
    addPrepayment(planner, QDate(2024, 3, 15), "1", false);
    EXPECT_TRUE(refusals->isVisibleTo(&planner));
    EXPECT_EQ(refusals->palette().color(QPalette::WindowText), QColor(0x8a, 0x1c, 0x1c));
}

TEST_F(PlannerWindowTest, AYearWithoutAnApprovedCalendarIsNotedUnderTheTable) {
    typeLoan("1000000", "12", "24");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2026, 6, 15));
    gui::PlannerWindow& planner = openPlanner();
    EXPECT_EQ(in<QLabel>(planner, "NotesLabel")->text(),
              "календарь на 2027 год не утвержден: выходные по Трудовому кодексу\n"
              "календарь на 2028 год не утвержден: выходные по Трудовому кодексу");
}

TEST_F(PlannerWindowTest, TheCalendarButtonRunsTheEditorAndTakesWhatItSaved) {
    const testing_support::ScopedEnvironment configHome{"XDG_CONFIG_HOME",
                                                        folder.path().toStdString()};
    enterExampleLoan();
    gui::PlannerWindow& planner = openPlanner();
    auto* button = in<QPushButton>(planner, "CalendarButton");
    EXPECT_EQ(button->text(), "Производственный календарь...");
    EXPECT_TRUE(button->isEnabled());  // the main window's calendar dialog

    // The editor writes the user's file, as the calendar dialog does, and says it saved.
    const QString file = folder.filePath("ssudomer/calendar.txt");
    int runs = 0;
    planner.setCalendarEditor([&] {
        ++runs;
        QDir().mkpath(folder.filePath("ssudomer"));
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write("01.04.2024 нерабочий\n") > 0;
    });
    ASSERT_TRUE(button->isEnabled());
    EXPECT_EQ(tableCell(planner, 1, 2), "01.04.2024*");
    press(planner, "CalendarButton");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(tableCell(planner, 1, 2), "02.04.2024*");

    // Not saved: nothing is read again.
    QFile::remove(file);
    planner.setCalendarEditor([&] { return ++runs, false; });
    press(planner, "CalendarButton");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(tableCell(planner, 1, 2), "02.04.2024*");
}

}  // namespace
