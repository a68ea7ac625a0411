#include "cli/report.h"

#include <array>
#include <string>
#include <vector>

namespace cli {

namespace {

using Line = std::vector<std::string>;

std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++width;  // count UTF-8 lead bytes only
    }
    return width;
}

std::string csvCell(const std::string& text) {
    if (text.find_first_of(";\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void printCsv(const std::vector<Line>& lines, std::ostream& out) {
    for (const Line& line : lines) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0)
                out << ';';
            out << csvCell(line[i]);
        }
        out << '\n';
    }
}

void printAligned(const std::vector<Line>& lines, std::ostream& out) {
    std::vector<std::size_t> widths;
    for (const Line& line : lines) {
        widths.resize(std::max(widths.size(), line.size()));
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(line[i]));
        }
    }
    for (const Line& line : lines) {
        std::string text;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (i > 0)
                text += "  ";
            text += line[i];
            text.append(widths[i] - displayWidth(line[i]), ' ');
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out << text << '\n';
    }
}

}  // namespace

void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out) {
    const loan::ScheduleTable& table = form.StringGrid1;
    std::vector<Line> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (row > 0 && !table.rowHasText(row))
            continue;
        Line line;
        for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column) {
            line.push_back(table.cell(column, row));
        }
        rows.push_back(std::move(line));
    }
    const std::array<const std::string*, 6> values = {&form.Label15, &form.Label17, &form.Label11,
                                                      &form.Label9,  &form.Label13, &form.Label19};
    if (format == ReportFormat::Csv) {
        printCsv(rows, out);
        out << '\n';
        for (std::size_t i = 0; i < values.size(); ++i) {
            out << csvCell(loan::kSummaryCaptions[i]) << ';' << csvCell(*values[i]) << '\n';
        }
        return;
    }
    printAligned(rows, out);
    out << '\n';
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << loan::kSummaryCaptions[i] << ": " << *values[i] << '\n';
    }
}

}  // namespace cli
