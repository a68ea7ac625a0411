// ssudomer-cli plan --chart and --pdf, run as a whole process: the chart image is the
// window's chart of the same plan, the PDF holds the printed plan's table, comparison and chart,
// and an output that cannot be written is told without losing the table.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/planner_form.h"
#include "chart/planner_chart.h"
#include "support/fake_port.h"

namespace {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// The example of the planner: 1 000 000 at 12 % for 24 months from 31.01.2024, equal
// payments, 500 000 early on 31.03.2024 lowering the payment.
const QStringList kExamplePlan = {"plan",
                                  "--sum",
                                  "1000000",
                                  "--rate",
                                  "12",
                                  "--term",
                                  "24",
                                  "--date",
                                  "31.01.2024",
                                  "--equal",
                                  "--prepay",
                                  "31.03.2024:500000:payment",
                                  "--decimal-separator",
                                  ","};

CliRun runCli(const QStringList& arguments) {
    QProcess process;
    process.start(SSUDOMER_CLI, arguments);
    CliRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString pdfText(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PlannerCliOutput : public testing::Test {
  protected:
    QString file(const char* name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

TEST_F(PlannerCliOutput, TheChartImageIsTheWindowsChartOfThePlan) {
    const QString png = file("plan.png");
    const CliRun plain = runCli(kExamplePlan);
    const CliRun run = runCli(kExamplePlan + QStringList{"--chart", png});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, plain.out);  // the table is printed as without it
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), gui::kChartImageSize);

    // The same plan in this process, drawn by the window's chart.
    testing_support::FakePort port;
    app::PlannerForm planner(port, loan::Locale::withSeparator(','));
    planner.Sum.Text = "1000000";
    planner.Rate.Text = "12";
    planner.Term.Text = "24";
    planner.LoanDate.Date = {2024, 1, 31};
    planner.EqualPaymentsClick();
    planner.PrepaymentDate.Date = {2024, 3, 31};
    planner.PrepaymentAmount.Text = "500000";
    planner.LowerPaymentClick();
    ASSERT_TRUE(planner.Calculate());
    ASSERT_TRUE(planner.AddPrepaymentClick());
    const QImage window = gui::RenderBalanceChart(planner).convertToFormat(QImage::Format_RGB32);
    image = image.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(window.size(), image.size());
    int differing = 0;
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            differing += image.pixel(x, y) != window.pixel(x, y);
            ink += qGray(image.pixel(x, y)) < 160;
        }
    }
    EXPECT_EQ(differing, 0);
    // Lines, labels and the legend: far more than a blank or empty chart has.
    EXPECT_GT(ink, 5000);
    // The variants' colours are all there: the entered plan's band and the three lines.
    const auto has = [&](QRgb colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour)
                    return true;
        return false;
    };
    EXPECT_TRUE(has(qRgb(160, 196, 232)));
    EXPECT_TRUE(has(qRgb(110, 110, 110)));
    EXPECT_TRUE(has(qRgb(44, 160, 44)));
    EXPECT_TRUE(has(qRgb(214, 96, 0)));
}

TEST_F(PlannerCliOutput, ThePdfHoldsThePlansTableAndTheComparison) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QString pdf = file("plan.pdf");
    const QString png = file("plan.png");
    // The payments on their nominal dates: the rows are those of the planner's example.
    const CliRun run = runCli(kExamplePlan +
                              QStringList{"--shift", "none", "--pdf", pdf, "--chart", png});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(png));
    const QString text = pdfText(pdf);
    for (const char* expected :
         {"План погашения кредита.", "Досрочные погашения : 31.03.2024",
          "3 31.03.2024 925143,38 500000,00 0,00 500000,00 досрочный 425143,38",
          "4 30.04.2024 425143,38 17442,63 4181,74 21624,37 плановый 407700,75",
          "Сравнение вариантов", "Уменьшение платежа 24 0 31.01.2026 47073,47 / 21624,37",
          "Сокращение срока 12 12 31.01.2025", "Остаток кредита по вариантам", "Стр. 2 из 2"}) {
        // Columns are told apart by runs of blanks; one blank stands for any run.
        QString simplified = text;
        simplified.replace(QRegularExpression(" +"), " ");
        EXPECT_NE(simplified.indexOf(QString::fromUtf8(expected)), -1) << expected << "\n"
                                                                       << text.toStdString();
    }
}

TEST_F(PlannerCliOutput, AnOutputThatCannotBeWrittenIsToldAndTheRestIsDone) {
    // A folder under the chart's name stays a folder; the PDF is still written.
    QDir(folder.path()).mkdir("taken.png");
    const QString pdf = file("plan.pdf");
    const CliRun plain = runCli(kExamplePlan);
    CliRun run = runCli(kExamplePlan + QStringList{"--chart", file("taken.png"), "--pdf", pdf});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, plain.out);
    EXPECT_TRUE(run.err.startsWith("Ссудомер: ")) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(file("taken.png")).isDir());
    EXPECT_TRUE(QFile::exists(pdf));

    // A PDF in a folder that does not exist: told, the chart is still made.
    run = runCli(kExamplePlan +
                 QStringList{"--pdf", file("missing/plan.pdf"), "--chart", file("plan.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, plain.out);
    EXPECT_TRUE(run.err.contains("Файл \"plan.pdf\" не записан")) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(file("plan.png")));
    EXPECT_FALSE(QFile::exists(file("missing/plan.pdf")));

    // No plan, no outputs: the refusal of the loan is all.
    run = runCli({"plan", "--sum", "0", "--rate", "12", "--term", "24", "--date", "31.01.2024",
                  "--chart", file("none.png")});
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(QFile::exists(file("none.png")));
}

}  // namespace
