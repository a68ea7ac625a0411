#include "cli/report.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace cli {

namespace {

using loan::ScheduleTable;

std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++width;
    }
    return width;
}

void printAligned(const ScheduleTable& table, std::ostream& out) {
    std::array<std::size_t, ScheduleTable::kColumnCount> widths{};
    app::ForEachReportRow(table, [&](int row) {
        for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
            auto& width = widths[static_cast<std::size_t>(column)];
            const std::string_view text = table.cellText(column, row);
            if (text.size() > width)  // a text is never wider than its bytes
                width = std::max(width, displayWidth(text));
        }
    });
    app::BlockWriter writer(out);
    std::string& line = writer.text();
    app::ForEachReportRow(table, [&](int row) {
        for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
            const std::string_view text = table.cellText(column, row);
            if (column > 0)
                line += "  ";
            line += text;
            line.append(widths[static_cast<std::size_t>(column)] - displayWidth(text), ' ');
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
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
        printAligned(*report.table, out);
    out << '\n';
    for (const auto& [caption, value] : report.values) {
        out << caption << ": " << value << '\n';
    }
}

void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out) {
    PrintReport(app::MakeTableReport(form), format, out);
}

}  // namespace cli
