#pragma once

#include <array>
#include <string>
#include <vector>

#include "loan/locale.h"
#include "loan/money.h"

namespace loan {

// The seven-column table of texts behind the schedule grid. Row 0 is the header. The cell
// store is independent of the row count: texts written beyond it are kept and reappear when
// the row count grows again.
class ScheduleTable {
  public:
    static constexpr int kColumnCount = 7;
    static constexpr int kMinimumRowCount = 10;

    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, std::string text);

    int rowCount() const { return rowCount_; }
    void setRowCount(int count) { rowCount_ = count; }

    // ClearRow: all seven cells of the row become empty.
    void clearRow(int row);
    // ClearRow for every row from `first` up to and including `last`.
    void clearRows(int first, int last);

    // True when some cell of the row holds text.
    bool rowHasText(int row) const;

  private:
    using Row = std::array<std::string, kColumnCount>;
    std::vector<Row> rows_ = std::vector<Row>(kMinimumRowCount);
    int rowCount_ = kMinimumRowCount;
};

using HeaderTexts = std::array<const char*, ScheduleTable::kColumnCount>;
inline constexpr HeaderTexts kCalculationHeaders = {
    "Месяц",    "Дата",         "Остаток кредита", "Основной платеж",
    "Проценты", "Обслуживание", "Всего за платеж"};
inline constexpr HeaderTexts kPaymentHeaders = {
    "№",          "Дата", "Остаток кредита", "Основной платеж", "Проценты", "Всего за платеж",
    "Тип платежа"};

inline constexpr const char* kTotalsLabel = "Всего:";

// Captions of the six summary values, in the order they are reported.
inline constexpr std::array<const char*, 6> kSummaryCaptions = {
    "Полная сумма выплат", "Выплачено процентов",      "Остаток",
    "Основной платеж",     "Проценты на дату платежа", "Опережение платежей"};

// Sum of the amounts in rows 1..count of a column; a count below 1 gives 0. Throws
// ConversionError for a cell that is not a number.
ScaledAmount SumColumn(const ScheduleTable& table, int column, int count, const Locale& locale);

}  // namespace loan
