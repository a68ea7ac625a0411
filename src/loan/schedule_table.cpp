#include "loan/schedule_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <utility>

#include "loan/number_text.h"

namespace loan {

namespace {

using Offset = std::uint32_t;
constexpr std::size_t kOffsetsSize = sizeof(Offset) * ScheduleTable::kColumnCount;

}  // namespace

std::string_view ScheduleTable::PackedRow::text(int column) const {
    if (!block_)
        return {};
    Offset ends[kColumnCount];
    std::memcpy(ends, block_.get(), kOffsetsSize);
    const Offset begin = column == 0 ? 0 : ends[column - 1];
    return {block_.get() + kOffsetsSize + begin, ends[column] - begin};
}

void ScheduleTable::PackedRow::assign(const RowTexts& texts) {
    std::size_t length = 0;
    for (const std::string_view text : texts) length += text.size();
    if (length == 0) {
        block_.reset();
        return;
    }
    if (length > std::numeric_limits<Offset>::max())
        throw std::length_error("table row too long");
    // The texts may lie in the old block: it goes only once they are copied.
    auto block = std::make_unique_for_overwrite<char[]>(kOffsetsSize + length);
    Offset ends[kColumnCount];
    Offset end = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        const std::string_view text = texts[static_cast<std::size_t>(column)];
        std::memcpy(block.get() + kOffsetsSize + end, text.data(), text.size());
        end += static_cast<Offset>(text.size());
        ends[column] = end;
    }
    std::memcpy(block.get(), ends, kOffsetsSize);
    block_ = std::move(block);
}

std::string ScheduleTable::cell(int column, int row) const {
    return std::string(cellText(column, row));
}

std::string_view ScheduleTable::cellText(int column, int row) const {
    if (row < 0 || column < 0 || column >= kColumnCount ||
        static_cast<std::size_t>(row) >= rows_.size()) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)].text(column);
}

void ScheduleTable::setCell(int column, int row, std::string_view text) {
    if (column < 0 || column >= kColumnCount)
        return;
    RowTexts texts;
    for (int c = 0; c < kColumnCount; ++c) texts[static_cast<std::size_t>(c)] = cellText(c, row);
    texts[static_cast<std::size_t>(column)] = text;
    setRow(row, texts);
}

void ScheduleTable::setRow(int row, const RowTexts& texts, int count) {
    if (row < 0)
        return;
    RowTexts merged = texts;
    for (int c = std::max(count, 0); c < kColumnCount; ++c) {
        merged[static_cast<std::size_t>(c)] = cellText(c, row);
    }
    if (static_cast<std::size_t>(row) >= rows_.size()) {
        if (std::all_of(merged.begin(), merged.end(), [](auto text) { return text.empty(); }))
            return;
        rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    lowestWrittenRow_ = std::min(lowestWrittenRow_, row);
    rows_[static_cast<std::size_t>(row)].assign(merged);
}

void ScheduleTable::clearRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    lowestWrittenRow_ = std::min(lowestWrittenRow_, row);
    rows_[static_cast<std::size_t>(row)].assign({});
}

void ScheduleTable::clearRows(int first, int last) {
    const int stored = static_cast<int>(rows_.size()) - 1;
    for (int row = first; row <= last && row <= stored; ++row) clearRow(row);
}

bool ScheduleTable::rowHasText(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() &&
           !rows_[static_cast<std::size_t>(row)].empty();
}

int ScheduleTable::takeLowestWrittenRow() {
    return std::exchange(lowestWrittenRow_, kNoRowWritten);
}

ScaledAmount AddCellAmount(ScaledAmount sum, std::string_view text, const Locale& locale) {
    const Extended value = ParseNumber(text, locale);
    return RoundToScaled(value * kScale + static_cast<Extended>(sum));
}

ScaledAmount SumColumn(const ScheduleTable& table, int column, int count, const Locale& locale) {
    return SumRows(table, column, 1, count, 0, locale);
}

ScaledAmount SumRows(const ScheduleTable& table, int column, int first, int last, ScaledAmount sum,
                     const Locale& locale) {
    for (int row = first; row <= last; ++row) {
        sum = AddCellAmount(sum, table.cellText(column, row), locale);
    }
    return sum;
}

}  // namespace loan
