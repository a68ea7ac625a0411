#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "text/locale.h"
#include "loan/money.h"

namespace loan {

// The seven-column table of texts behind the schedule grid. Row 0 is the header. The cell
// store is independent of the row count: texts written beyond it are kept and reappear when
// the row count grows again.
class ScheduleTable {
  public:
    static constexpr int kColumnCount = 7;
    static constexpr int kMinimumRowCount = 10;
    using RowTexts = std::array<std::string_view, kColumnCount>;

    // A copy of the text (the texts of a row are stored together; see PackedRow).
    std::string cell(int column, int row) const;
    // The text itself, valid until the table is next written.
    std::string_view cellText(int column, int row) const;
    // The texts of all seven cells of the row, valid as cellText's are.
    RowTexts rowTexts(int row) const;
    void setCell(int column, int row, std::string_view text);
    // Columns 0..count-1 of the row in one write; the other columns keep their texts. The
    // texts must not be the table's own (cellText).
    void setRow(int row, const RowTexts& texts, int count = kColumnCount);

    int rowCount() const { return rowCount_; }
    void setRowCount(int count) { rowCount_ = count; }

    // ClearRow: all seven cells of the row become empty.
    void clearRow(int row);
    // ClearRow for every row from `first` up to and including `last`.
    void clearRows(int first, int last);

    // True when some cell of the row holds text.
    bool rowHasText(int row) const;

    // The lowest row written or cleared since the previous call (every row before the first
    // call), or kNoRowWritten. Values kept beside the table (RunningTotals) learn from it
    // which of the rows they have read were changed since.
    static constexpr int kNoRowWritten = 1 << 30;
    int takeLowestWrittenRow();

  private:
    // The seven texts of a row stored together. A short row, as nearly every row of a
    // schedule or a payment file is, keeps them in the row itself; a longer one in a block of
    // its own: their end offsets, then their characters. An empty row holds nothing, so a big
    // table costs little more than its characters and one allocation per long row only.
    class PackedRow {
      public:
        PackedRow() = default;
        PackedRow(const PackedRow& other);
        PackedRow(PackedRow&& other) noexcept;
        PackedRow& operator=(const PackedRow& other);
        PackedRow& operator=(PackedRow&& other) noexcept;
        ~PackedRow() { release(); }

        std::string_view text(int column) const;
        RowTexts texts() const;
        bool empty() const { return storage_ == Storage::Empty; }
        void assign(const RowTexts& texts);

      private:
        static constexpr std::size_t kInlineSize = 56;
        enum class Storage : unsigned char { Empty, Inline, Block };

        void release();
        void take(PackedRow& other);

        union {
            char inline_[kInlineSize];
            char* block_;
        };
        unsigned char inlineEnds_[kColumnCount];  // end offsets of the texts kept inline
        Storage storage_ = Storage::Empty;
    };

    // Cell by cell, a row is written into openTexts_ and packed only when another row is
    // written: filling a row costs one block, not one per cell.
    void openRow(int row);
    void closeRow();
    // Packs the texts into the row, without counting it as written.
    void storeRow(int row, const RowTexts& texts);

    std::vector<PackedRow> rows_ = std::vector<PackedRow>(kMinimumRowCount);
    int openRow_ = -1;
    std::array<std::string, kColumnCount> openTexts_;
    int rowCount_ = kMinimumRowCount;
    int lowestWrittenRow_ = 0;
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

// One step of a column sum: the cell's amount added to the sum so far, the sum of
// round-half-even(value x 10000 + sum) in Extended. Throws ConversionError for a text that
// is not a number.
ScaledAmount AddCellAmount(ScaledAmount sum, std::string_view text, const Locale& locale);

// AddCellAmount of the amount's FormatMoney text, without writing and reading the text:
// below 10^11 units the text reads back as the amount itself, so the step is the exact sum
// (with the same AmountOverflow when it leaves 64 bits).
ScaledAmount AddWrittenAmount(ScaledAmount sum, ScaledAmount amount, const Locale& locale);

// Sum of the amounts in rows 1..count of a column; a count below 1 gives 0. Throws
// ConversionError for a cell that is not a number.
ScaledAmount SumColumn(const ScheduleTable& table, int column, int count, const Locale& locale);

}  // namespace loan
