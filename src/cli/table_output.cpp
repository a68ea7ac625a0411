#include "cli/table_output.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/byte_words.h"

namespace cli {

namespace {

using loan::ScheduleTable;

// The UTF-8 continuation bytes (10xxxxxx) among the bytes of the word: those whose top bit
// is set and whose next bit is clear.
std::size_t continuationBytes(std::uint64_t word) {
    return loan::CountTopBits(word & ~(word << 1));
}

// Characters, not bytes: every byte but a continuation byte starts one. A million-line
// table measures every cell, so the bytes are looked at eight, four, two and one at a time.
std::size_t displayWidth(std::string_view text) {
    const char* const bytes = text.data();
    const std::size_t size = text.size();
    std::size_t continuations = 0;
    std::size_t at = 0;
    for (; size - at >= 8; at += 8) continuations += continuationBytes(loan::LoadBytes(bytes + at));
    if (size - at >= 4) {
        continuations += continuationBytes(loan::LoadBytes<std::uint32_t>(bytes + at));
        at += 4;
    }
    if (size - at >= 2) {
        continuations += continuationBytes(loan::LoadBytes<std::uint16_t>(bytes + at));
        at += 2;
    }
    if (size - at == 1)
        continuations += continuationBytes(loan::LoadBytes<std::uint8_t>(bytes + at));
    return size - continuations;
}

// The table's columns, then the report's last column when it has one.
constexpr auto kTableColumns = static_cast<std::size_t>(ScheduleTable::kColumnCount);
using ReportRowTexts = std::array<std::string_view, kTableColumns + 1>;

ReportRowTexts reportRowTexts(const app::TableReport& report, int row) {
    const ScheduleTable::RowTexts table = report.table->rowTexts(row);
    ReportRowTexts texts{};
    std::copy(table.begin(), table.end(), texts.begin());
    texts[kTableColumns] = app::LastColumnText(report, row);
    return texts;
}

void printAligned(const app::TableReport& report, std::ostream& out) {
    const ScheduleTable& table = *report.table;
    const std::size_t kColumns = kTableColumns + (report.lastColumn.empty() ? 0 : 1);
    std::array<std::size_t, kTableColumns + 1> widths{};
    app::ForEachReportRow(table, [&](int row) {
        const ReportRowTexts texts = reportRowTexts(report, row);
        for (std::size_t column = 0; column < kColumns; ++column) {
            if (texts[column].size() > widths[column])  // a text is never wider than its bytes
                widths[column] = std::max(widths[column], displayWidth(texts[column]));
        }
    });
    app::BlockWriter writer(out);
    std::string& line = writer.text();
    constexpr std::size_t kGap = 2;
    app::ForEachReportRow(table, [&](int row) {
        const ReportRowTexts texts = reportRowTexts(report, row);
        // Room for the row at its widest; the line is written in place and cut to its length.
        std::size_t room = 0;
        for (std::size_t column = 0; column < kColumns; ++column)
            room += kGap + texts[column].size() + widths[column];
        const std::size_t start = line.size();
        line.resize(start + room);
        char* const begin = line.data() + start;
        char* out = begin;
        for (std::size_t column = 0; column < kColumns; ++column) {
            const std::string_view text = texts[column];
            if (column > 0)
                out = std::fill_n(out, kGap, ' ');
            if (!text.empty())  // an empty view may hold no address at all
                out = std::copy(text.begin(), text.end(), out);
            out = std::fill_n(out, widths[column] - displayWidth(text), ' ');
        }
        while (out != begin && out[-1] == ' ') --out;
        line.resize(static_cast<std::size_t>(out - line.data()));
        writer.endLine();
    });
}

}  // namespace

void PrintReport(const app::TableReport& report, ReportFormat format, std::ostream& out) {
    if (format == ReportFormat::Csv) {
        app::WriteCsv(report, "\n", out);
        return;
    }
    if (report.table)
        printAligned(report, out);
    out << '\n';
    for (const auto& [caption, value] : report.values) {
        out << caption << ": " << value << '\n';
    }
}

void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out) {
    PrintReport(app::MakeTableReport(form), format, out);
}

}  // namespace cli
