#include "app/table_report.h"

#include <sstream>

namespace app {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

void appendCsvField(std::string_view text, std::string& line) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace

TableReport MakeTableReport(const MainForm& form) {
    TableReport report;
    report.table = &form.StringGrid1;
    const std::string* const values[] = {&form.Label15, &form.Label17, &form.Label11,
                                         &form.Label9,  &form.Label13, &form.Label19};
    for (std::size_t i = 0; i < loan::kSummaryCaptions.size(); ++i) {
        report.values.emplace_back(loan::kSummaryCaptions[i], *values[i]);
    }
    return report;
}

void BlockWriter::endLine(std::string_view lineEnd) {
    text_ += lineEnd;
    if (text_.size() >= kBlockSize)
        flush();
}

void BlockWriter::flush() {
    out_ << text_;
    text_.clear();
}

void WriteCsv(const TableReport& report, std::string_view lineEnd, std::ostream& out) {
    BlockWriter writer(out);
    std::string& line = writer.text();
    if (report.table) {
        ForEachReportRow(*report.table, [&](int row) {
            for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column) {
                if (column > 0)
                    line += ';';
                appendCsvField(report.table->cellText(column, row), line);
            }
            if (!report.lastColumn.empty()) {
                line += ';';
                appendCsvField(LastColumnText(report, row), line);
            }
            writer.endLine(lineEnd);
        });
    }
    writer.endLine(lineEnd);
    for (const auto& [caption, value] : report.values) {
        appendCsvField(caption, line);
        line += ';';
        appendCsvField(value, line);
        writer.endLine(lineEnd);
    }
}

std::string CsvText(const TableReport& report, std::string_view lineEnd) {
    std::ostringstream out;
    WriteCsv(report, lineEnd, out);
    return std::move(out).str();
}

std::string CsvFileBytes(const TableReport& report) {
    return "\xEF\xBB\xBF" + CsvText(report, "\r\n");
}

}  // namespace app
