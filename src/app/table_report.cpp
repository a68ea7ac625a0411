#include "app/table_report.h"

namespace app {

namespace {

std::string csvField(const std::string& text) {
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

void appendCsvLine(const std::vector<std::string>& fields, std::string_view lineEnd,
                   std::string& out) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ';';
        out += csvField(fields[i]);
    }
    out += lineEnd;
}

}  // namespace

TableReport MakeTableReport(const MainForm& form) {
    TableReport report;
    const loan::ScheduleTable& table = form.StringGrid1;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (row > 0 && !table.rowHasText(row))
            continue;
        std::vector<std::string> line;
        for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column) {
            line.push_back(table.cell(column, row));
        }
        report.rows.push_back(std::move(line));
    }
    const std::string* const values[] = {&form.Label15, &form.Label17, &form.Label11,
                                         &form.Label9,  &form.Label13, &form.Label19};
    for (std::size_t i = 0; i < loan::kSummaryCaptions.size(); ++i) {
        report.values.emplace_back(loan::kSummaryCaptions[i], *values[i]);
    }
    return report;
}

std::string CsvText(const TableReport& report, std::string_view lineEnd) {
    std::string out;
    for (const std::vector<std::string>& row : report.rows) {
        appendCsvLine(row, lineEnd, out);
    }
    out += lineEnd;
    for (const auto& [caption, value] : report.values) {
        appendCsvLine({caption, value}, lineEnd, out);
    }
    return out;
}

std::string CsvFileBytes(const TableReport& report) {
    return "\xEF\xBB\xBF" + CsvText(report, "\r\n");
}

}  // namespace app
