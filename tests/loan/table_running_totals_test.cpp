// The packed table rows, the running values kept beside them, and column sums taken from
// the amounts written instead of their texts.

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "text/errors.h"
#include "loan/running_totals.h"
#include "support/random_amount.h"

namespace {

using loan::Locale;
using loan::ScaledAmount;
using loan::ScheduleTable;
using testing_support::RandomAmount;

constexpr ScaledAmount kMax = testing_support::kLargestAmount;
constexpr ScaledAmount kMin = testing_support::kSmallestAmount;

// The step both ways; no value when it overflows.
std::optional<ScaledAmount> addCell(ScaledAmount sum, ScaledAmount amount, const Locale& locale) {
    try {
        return loan::AddCellAmount(sum, loan::FormatMoney(amount, locale), locale);
    } catch (const loan::AmountOverflow&) {
        return std::nullopt;
    }
}
std::optional<ScaledAmount> addWritten(ScaledAmount sum, ScaledAmount amount,
                                       const Locale& locale) {
    try {
        return loan::AddWrittenAmount(sum, amount, locale);
    } catch (const loan::AmountOverflow&) {
        return std::nullopt;
    }
}

TEST(AddWrittenAmount, SumsAsTheWrittenTextReadsBack) {
    std::mt19937_64 random(7);
    for (const char separator : {',', '.'}) {
        const Locale locale = Locale::withSeparator(separator);
        // Sums near both ends of the range, where the step overflows or just does not.
        for (const ScaledAmount sum : {kMax, kMax - 5000, kMin, kMin + 5000, ScaledAmount{0}}) {
            for (const ScaledAmount amount : {ScaledAmount{-5000}, ScaledAmount{5000},
                                              ScaledAmount{999999999999999}, kMax, kMin}) {
                EXPECT_EQ(addWritten(sum, amount, locale), addCell(sum, amount, locale))
                    << sum << " + " << amount;
            }
        }
        const int count = testing_support::RandomCaseCount(100000);
        for (int i = 0; i < count; ++i) {
            const ScaledAmount sum = random() % 4 == 0 ? testing_support::RandomLongAmount(random)
                                                       : RandomAmount(random);
            const ScaledAmount amount = RandomAmount(random);
            ASSERT_EQ(addWritten(sum, amount, locale), addCell(sum, amount, locale))
                << sum << " + " << amount;
        }
    }
}

TEST(ScheduleTable, RowsWrittenCellByCellReadBackAndCopy) {
    ScheduleTable table;
    for (int row = 1; row <= 30; ++row) {
        for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
            table.setCell(column, row, std::to_string(row * 10 + column));
        }
    }
    table.setCell(6, 5, "");                    // one cell emptied, the others kept
    table.setCell(2, 7, "Сентябрь 2005 года");  // longer than before
    table.clearRow(30);                         // the row still being written
    const ScheduleTable copy = table;
    for (const ScheduleTable* t : {static_cast<const ScheduleTable*>(&table), &copy}) {
        EXPECT_EQ(t->cell(3, 1), "13");
        EXPECT_EQ(t->cell(5, 5), "55");
        EXPECT_EQ(t->cell(6, 5), "");
        EXPECT_EQ(t->cell(1, 7), "71");
        EXPECT_EQ(t->cell(2, 7), "Сентябрь 2005 года");
        EXPECT_EQ(t->cell(3, 7), "73");
        EXPECT_TRUE(t->rowHasText(29));
        EXPECT_FALSE(t->rowHasText(30));
        EXPECT_EQ(t->cell(0, 30), "");
    }
    ScheduleTable::RowTexts texts{"a", "b", "c"};
    table.setRow(29, texts, 2);  // columns 0 and 1 only
    EXPECT_EQ(table.cell(0, 29) + table.cell(1, 29) + table.cell(2, 29), "ab292");
}

// Rows short enough to be kept in the row itself and rows kept in a block of their own,
// written, rewritten from one kind to the other, copied and moved, against a plain model.
TEST(ScheduleTable, RowsOfEveryLengthReadBackThroughRewritesCopiesAndMoves) {
    constexpr int kRows = 12;
    using Model = std::array<std::array<std::string, ScheduleTable::kColumnCount>, kRows>;
    std::mt19937 random(7);
    const auto randomText = [&] {
        const std::size_t length = random() % 3 == 0 ? 0 : random() % 24;
        std::string text;
        for (std::size_t i = 0; i < length; ++i) text += static_cast<char>('a' + random() % 26);
        return text;
    };
    ScheduleTable table;
    Model model;
    const auto expectModel = [&](const ScheduleTable& t, int step) {
        for (int row = 0; row < kRows; ++row) {
            const auto& texts = model[static_cast<std::size_t>(row)];
            bool any = false;
            for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
                const std::string& text = texts[static_cast<std::size_t>(column)];
                ASSERT_EQ(t.cellText(column, row), text) << "step " << step << " row " << row;
                any = any || !text.empty();
            }
            ASSERT_EQ(t.rowHasText(row), any) << "step " << step << " row " << row;
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const int row = static_cast<int>(random() % kRows);
        auto& texts = model[static_cast<std::size_t>(row)];
        switch (random() % 6) {
            case 0:
            case 1: {  // a whole row, or its first columns
                const int count = static_cast<int>(random() % 8);
                std::array<std::string, ScheduleTable::kColumnCount> written;
                ScheduleTable::RowTexts views;
                for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
                    const auto c = static_cast<std::size_t>(column);
                    written[c] = randomText();
                    views[c] = written[c];
                    if (column < count)
                        texts[c] = written[c];
                }
                table.setRow(row, views, count);
                break;
            }
            case 2:
            case 3: {
                const int column = static_cast<int>(random() % ScheduleTable::kColumnCount);
                texts[static_cast<std::size_t>(column)] = randomText();
                table.setCell(column, row, texts[static_cast<std::size_t>(column)]);
                break;
            }
            case 4:
                table.clearRow(row);
                texts = {};
                break;
            default: {
                ScheduleTable copy = table;
                expectModel(copy, step);
                table = std::move(copy);
                break;
            }
        }
        expectModel(table, step);
    }
}

TEST(ScheduleTable, OnlyRowsReallyWrittenCountAsChanged) {
    ScheduleTable table;
    table.takeLowestWrittenRow();
    EXPECT_EQ(table.takeLowestWrittenRow(), ScheduleTable::kNoRowWritten);
    for (int column = 0; column < ScheduleTable::kColumnCount; ++column)
        table.setCell(column, 4, "x");
    EXPECT_EQ(table.takeLowestWrittenRow(), 4);
    // Moving on to the next row puts the finished one away; that is no new write to it.
    table.setCell(0, 5, "y");
    EXPECT_EQ(table.takeLowestWrittenRow(), 5);
    EXPECT_EQ(table.cell(0, 4), "x");
    table.clearRows(3, 20);
    EXPECT_EQ(table.takeLowestWrittenRow(), 3);
}

TEST(RunningTotals, FollowChangesToRowsAlreadyRead) {
    const Locale locale;
    ScheduleTable table;
    loan::RunningTotals totals;
    for (int row = 1; row <= 5; ++row) table.setCell(4, row, "100,00");
    EXPECT_EQ(totals.sumColumn(table, 4, 5, locale), 5000000);
    table.setCell(4, 2, "0,01");  // an earlier row changed
    EXPECT_EQ(totals.sumColumn(table, 4, 5, locale), 4000100);
    table.setCell(4, 6, "1,00");  // a row added below
    EXPECT_EQ(totals.sumColumn(table, 4, 6, locale), 4010100);
    EXPECT_EQ(totals.sumColumn(table, 4, 3, locale), 2000100);  // fewer rows
    table.setCell(4, 3, "оплачено");
    EXPECT_THROW(totals.sumColumn(table, 4, 3, locale), loan::ConversionError);
    EXPECT_EQ(totals.sumColumn(table, 4, 2, locale), 1000100);
}

TEST(RunningTotals, AdvanceAndMonthsAsAWalkFromTheFirstRow) {
    const Locale locale;
    ScheduleTable table;
    loan::RunningTotals totals;
    const char* rows[][2] = {{"10.02.2005", "1500,00"},
                             {"10.03.2005", "500,00"},
                             {"20.03.2005", "0,00"},
                             {"10.05.2005", "1000,00"},
                             {"01.01.2007", "10,00"}};
    for (int n = 1; n <= 5; ++n) {
        table.setCell(1, n, rows[n - 1][0]);
        table.setCell(3, n, rows[n - 1][1]);
        double running = -1, walked = -1;
        for (int asked = 1; asked <= n; ++asked) {
            EXPECT_EQ(totals.advanceOverSchedule(table, asked, 1000, locale, running),
                      loan::AdvanceOverSchedule(table, asked, 1000, locale, walked));
            EXPECT_EQ(running, walked) << asked << " of " << n << " rows";
            EXPECT_EQ(totals.paymentMonthCount(table, asked, running),
                      loan::PaymentMonthCount(table, asked, walked));
            EXPECT_EQ(running, walked);
        }
    }
    double distance = 0;
    // Another regular principal is another walk.
    EXPECT_EQ(totals.advanceOverSchedule(table, 5, 500, locale, distance),
              loan::AdvanceOverSchedule(table, 5, 500, locale, distance));
}

}  // namespace
