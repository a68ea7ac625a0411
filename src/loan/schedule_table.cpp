#include "loan/schedule_table.h"

#include "loan/number_text.h"

namespace loan {

namespace {
const std::string kEmpty;
}

const std::string& ScheduleTable::cell(int column, int row) const {
    if (row < 0 || column < 0 || column >= kColumnCount ||
        static_cast<std::size_t>(row) >= rows_.size()) {
        return kEmpty;
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void ScheduleTable::setCell(int column, int row, std::string text) {
    if (row < 0 || column < 0 || column >= kColumnCount)
        return;
    if (static_cast<std::size_t>(row) >= rows_.size()) {
        if (text.empty())
            return;
        rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

void ScheduleTable::clearRow(int row) {
    for (int column = 0; column < kColumnCount; ++column) setCell(column, row, {});
}

void ScheduleTable::clearRows(int first, int last) {
    const int stored = static_cast<int>(rows_.size()) - 1;
    for (int row = first; row <= last && row <= stored; ++row) clearRow(row);
}

bool ScheduleTable::rowHasText(int row) const {
    for (int column = 0; column < kColumnCount; ++column) {
        if (!cell(column, row).empty())
            return true;
    }
    return false;
}

ScaledAmount SumColumn(const ScheduleTable& table, int column, int count, const Locale& locale) {
    ScaledAmount sum = 0;
    for (int row = 1; row <= count; ++row) {
        const Extended value = ParseNumber(table.cell(column, row), locale);
        sum = RoundToScaled(value * kScale + static_cast<Extended>(sum));
    }
    return sum;
}

}  // namespace loan
