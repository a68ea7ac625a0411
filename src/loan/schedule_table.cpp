#include "loan/schedule_table.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <utility>

#include "loan/number_text.h"

namespace loan {

namespace {

using Offset = std::uint32_t;
constexpr std::size_t kOffsetsSize = sizeof(Offset) * ScheduleTable::kColumnCount;

// The texts one after another from `chars` on, with the end offset of each.
template <class End>
void packTexts(const ScheduleTable::RowTexts& texts, char* chars, End* ends) {
    std::size_t end = 0;
    for (std::size_t column = 0; column < texts.size(); ++column) {
        const std::string_view text = texts[column];
        if (!text.empty())  // an empty view may hold no address at all
            std::memcpy(chars + end, text.data(), text.size());
        end += text.size();
        ends[column] = static_cast<End>(end);
    }
}

}  // namespace

std::string_view ScheduleTable::PackedRow::text(int column) const {
    switch (storage_) {
        case Storage::Empty:
            return {};
        case Storage::Inline: {
            const unsigned begin = column == 0 ? 0 : inlineEnds_[column - 1];
            return {inline_ + begin, inlineEnds_[column] - begin};
        }
        case Storage::Block:
            break;
    }
    Offset bounds[2] = {0, 0};  // the text's begin and end
    if (column == 0)
        std::memcpy(&bounds[1], block_, sizeof(Offset));
    else
        std::memcpy(bounds, block_ + sizeof(Offset) * static_cast<std::size_t>(column - 1),
                    sizeof bounds);
    return {block_ + kOffsetsSize + bounds[0], bounds[1] - bounds[0]};
}

ScheduleTable::RowTexts ScheduleTable::PackedRow::texts() const {
    RowTexts texts;
    if (storage_ == Storage::Inline) {  // the common case, without a test per column
        unsigned begin = 0;
        for (int column = 0; column < kColumnCount; ++column) {
            const unsigned end = inlineEnds_[column];
            texts[static_cast<std::size_t>(column)] = {inline_ + begin, end - begin};
            begin = end;
        }
        return texts;
    }
    for (int column = 0; column < kColumnCount; ++column)
        texts[static_cast<std::size_t>(column)] = text(column);
    return texts;
}

ScheduleTable::PackedRow::PackedRow(const PackedRow& other) {
    *this = other;
}

ScheduleTable::PackedRow::PackedRow(PackedRow&& other) noexcept {
    take(other);
}

ScheduleTable::PackedRow& ScheduleTable::PackedRow::operator=(const PackedRow& other) {
    if (this != &other)
        assign(other.texts());
    return *this;
}

ScheduleTable::PackedRow& ScheduleTable::PackedRow::operator=(PackedRow&& other) noexcept {
    if (this != &other) {
        release();
        take(other);
    }
    return *this;
}

void ScheduleTable::PackedRow::release() {
    if (storage_ == Storage::Block)
        delete[] block_;
    storage_ = Storage::Empty;
}

void ScheduleTable::PackedRow::take(PackedRow& other) {
    std::memcpy(inline_, other.inline_, kInlineSize);  // the characters or the block's address
    std::memcpy(inlineEnds_, other.inlineEnds_, sizeof inlineEnds_);
    storage_ = std::exchange(other.storage_, Storage::Empty);
}

void ScheduleTable::PackedRow::assign(const RowTexts& texts) {
    std::size_t length = 0;
    for (const std::string_view text : texts) length += text.size();
    if (length == 0) {
        release();
        return;
    }
    if (length > std::numeric_limits<Offset>::max())
        throw std::length_error("table row too long");
    // The texts may lie in the row itself: they are gathered elsewhere before it changes.
    if (length <= kInlineSize) {
        char chars[kInlineSize];
        unsigned char ends[kColumnCount];
        packTexts(texts, chars, ends);
        release();
        std::memcpy(inline_, chars, length);
        std::memcpy(inlineEnds_, ends, sizeof ends);
        storage_ = Storage::Inline;
        return;
    }
    auto block = std::make_unique_for_overwrite<char[]>(kOffsetsSize + length);
    Offset ends[kColumnCount];
    packTexts(texts, block.get() + kOffsetsSize, ends);
    std::memcpy(block.get(), ends, kOffsetsSize);
    release();
    block_ = block.release();
    storage_ = Storage::Block;
}

std::string ScheduleTable::cell(int column, int row) const {
    return std::string(cellText(column, row));
}

std::string_view ScheduleTable::cellText(int column, int row) const {
    if (column < 0 || column >= kColumnCount)
        return {};
    if (row == openRow_)
        return openTexts_[static_cast<std::size_t>(column)];
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return {};
    return rows_[static_cast<std::size_t>(row)].text(column);
}

ScheduleTable::RowTexts ScheduleTable::rowTexts(int row) const {
    if (row == openRow_ || row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        RowTexts texts;
        for (int column = 0; column < kColumnCount; ++column)
            texts[static_cast<std::size_t>(column)] = cellText(column, row);
        return texts;
    }
    return rows_[static_cast<std::size_t>(row)].texts();
}

void ScheduleTable::openRow(int row) {
    if (row == openRow_)
        return;
    closeRow();
    const bool empty = !rowHasText(row);
    for (int column = 0; column < kColumnCount; ++column) {
        std::string& text = openTexts_[static_cast<std::size_t>(column)];
        if (empty)
            text.clear();
        else
            text = cellText(column, row);
    }
    openRow_ = row;
}

void ScheduleTable::closeRow() {
    if (openRow_ < 0)
        return;
    RowTexts texts;
    std::copy(openTexts_.begin(), openTexts_.end(), texts.begin());
    storeRow(std::exchange(openRow_, -1), texts);
}

void ScheduleTable::storeRow(int row, const RowTexts& texts) {
    if (static_cast<std::size_t>(row) >= rows_.size()) {
        if (std::all_of(texts.begin(), texts.end(), [](auto text) { return text.empty(); }))
            return;  // an empty row beyond the stored ones is no row at all
        if (static_cast<std::size_t>(row) == rows_.size())
            rows_.emplace_back();  // a table filled from the top grows by one row
        else
            rows_.resize(static_cast<std::size_t>(row) + 1);
    }
    rows_[static_cast<std::size_t>(row)].assign(texts);
}

void ScheduleTable::setCell(int column, int row, std::string_view text) {
    if (row < 0 || column < 0 || column >= kColumnCount)
        return;
    openRow(row);
    lowestWrittenRow_ = std::min(lowestWrittenRow_, row);
    openTexts_[static_cast<std::size_t>(column)] = text;
}

void ScheduleTable::setRow(int row, const RowTexts& texts, int count) {
    if (row < 0)
        return;
    lowestWrittenRow_ = std::min(lowestWrittenRow_, row);
    if (row == openRow_) {
        for (int column = 0; column < std::min(count, kColumnCount); ++column) {
            openTexts_[static_cast<std::size_t>(column)] = texts[static_cast<std::size_t>(column)];
        }
        closeRow();
        return;
    }
    closeRow();
    RowTexts merged = texts;
    for (int column = std::max(count, 0); column < kColumnCount; ++column) {
        merged[static_cast<std::size_t>(column)] = cellText(column, row);
    }
    storeRow(row, merged);  // the row's old block goes only once its texts are copied
}

void ScheduleTable::clearRow(int row) {
    if (row == openRow_)
        openRow_ = -1;  // its texts are dropped
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    lowestWrittenRow_ = std::min(lowestWrittenRow_, row);
    rows_[static_cast<std::size_t>(row)].assign({});
}

void ScheduleTable::clearRows(int first, int last) {
    closeRow();
    const int stored = static_cast<int>(rows_.size()) - 1;
    for (int row = first; row <= last && row <= stored; ++row) clearRow(row);
}

bool ScheduleTable::rowHasText(int row) const {
    if (row == openRow_) {
        return std::any_of(openTexts_.begin(), openTexts_.end(),
                           [](const std::string& text) { return !text.empty(); });
    }
    return row >= 0 && static_cast<std::size_t>(row) < rows_.size() &&
           !rows_[static_cast<std::size_t>(row)].empty();
}

int ScheduleTable::takeLowestWrittenRow() {
    return std::exchange(lowestWrittenRow_, kNoRowWritten);
}

ScaledAmount AddCellAmount(ScaledAmount sum, std::string_view text, const Locale& locale) {
    if (const auto amount = ParseExactAmount(text, locale))
        return AddAmounts(sum, *amount);
    const Extended value = ParseNumber(text, locale);
    return RoundToScaled(value * kScale + static_cast<Extended>(sum));
}

ScaledAmount AddWrittenAmount(ScaledAmount sum, ScaledAmount amount, const Locale& locale) {
    if (FormatsExactly(amount))
        return AddAmounts(sum, amount);
    return AddCellAmount(sum, FormatMoney(amount, locale), locale);
}

ScaledAmount SumColumn(const ScheduleTable& table, int column, int count, const Locale& locale) {
    ScaledAmount sum = 0;
    for (int row = 1; row <= count; ++row)
        sum = AddCellAmount(sum, table.cellText(column, row), locale);
    return sum;
}

}  // namespace loan
