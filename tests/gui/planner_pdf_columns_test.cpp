// The columns of `ssudomer-cli plan --pdf` as pdftotext finds them on the paper: with the
// largest amounts the planner takes, every word stays between the margins and the last
// column holds the balance after each row, as --csv reports it.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Word {
    int page;
    double xMin, yMin, xMax;
    QString text;
};

const QStringList kLargePlan = {"plan",
                                "--sum",
                                "99999999999",
                                "--rate",
                                "12",
                                "--term",
                                "12",
                                "--date",
                                "31.01.2024",
                                "--equal",
                                "--prepay",
                                "31.03.2024:50000000000:term",
                                "--decimal-separator",
                                ","};

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<Word> words(const QString& bbox) {
    std::vector<Word> found;
    int page = 0;
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)"
        "</word>");
    for (const QString& line : bbox.split('\n')) {
        if (line.contains("<page "))
            ++page;
        const QRegularExpressionMatch match = word.match(line);
        if (match.hasMatch())
            found.push_back({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                             match.captured(3).toDouble(), match.captured(4)});
    }
    return found;
}

TEST(PlannerPdfColumns, EveryWordIsWithinTheMarginsAndTheLastColumnHoldsTheBalanceAfter) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir folder;
    const QString pdf = folder.filePath("plan.pdf");
    ASSERT_FALSE(run(SSUDOMER_CLI, kLargePlan + QStringList{"--pdf", pdf}).isEmpty());
    const std::vector<Word> all = words(run("pdftotext", {"-bbox", pdf, "-"}));
    ASSERT_FALSE(all.empty());

    // A4 is 595 points wide; the margins are half an inch.
    constexpr double kLeft = 36, kRight = 595 - 36, kSlack = 0.5;
    for (const Word& word : all) {
        EXPECT_GE(word.xMin, kLeft - kSlack) << word.text.toStdString();
        EXPECT_LE(word.xMax, kRight + kSlack) << word.text.toStdString();
    }

    // The last column's title, "Остаток после платежа", and where its column begins.
    double lastLeft = -1;
    for (const Word& word : all) {
        if (word.page == 1 && word.text == "после") {
            for (const Word& first : all)
                if (first.page == 1 && first.yMin == word.yMin && first.text == "Остаток" &&
                    first.xMax <= word.xMin)
                    lastLeft = first.xMin - 20;
        }
    }
    ASSERT_GT(lastLeft, 400);

    const QStringList csv =
        run(SSUDOMER_CLI, kLargePlan + QStringList{"--csv"}).split("\r\n").join('\n').split('\n');
    ASSERT_GT(csv.size(), 3);
    ASSERT_TRUE(csv[0].endsWith(";Остаток после платежа"));
    int rows = 0;
    for (int i = 1; i < csv.size() && !csv[i].isEmpty(); ++i) {
        const QStringList fields = csv[i].split(';');
        if (fields[0] == "Всего:")
            break;
        const QString after = fields.back();
        const bool printed = std::any_of(all.begin(), all.end(), [&](const Word& word) {
            return word.text == after && word.xMin >= lastLeft && word.xMax <= kRight + kSlack;
        });
        EXPECT_TRUE(printed) << after.toStdString();
        ++rows;
    }
    EXPECT_EQ(rows, 7);  // six regular payments and the prepayment
}

}  // namespace
