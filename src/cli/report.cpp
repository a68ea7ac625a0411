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
            ++width;  // count UTF-8 lead bytes only
    }
    return width;
}

void appendCsvCell(std::string_view text, std::string& line) {
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

// The rows printed: the header and every row from 1 on that holds text. They are read from
// the table as they are printed, so a big table is never copied.
template <class Visit>
void forEachPrintedRow(const ScheduleTable& table, Visit visit) {
    for (int row = 0; row < table.rowCount(); ++row) {
        if (row == 0 || table.rowHasText(row))
            visit(row);
    }
}

// Lines gathered and handed to the stream a block at a time, not one call per line.
class BlockWriter {
  public:
    explicit BlockWriter(std::ostream& out) : out_(out) {}
    std::string& text() { return text_; }
    void endLine() {
        text_ += '\n';
        if (text_.size() >= kBlockSize)
            flush();
    }
    void flush() {
        out_ << text_;
        text_.clear();
    }

  private:
    static constexpr std::size_t kBlockSize = 64 * 1024;
    std::ostream& out_;
    std::string text_;
};

void printCsv(const ScheduleTable& table, std::ostream& out) {
    BlockWriter writer(out);
    forEachPrintedRow(table, [&](int row) {
        for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
            if (column > 0)
                writer.text() += ';';
            appendCsvCell(table.cellText(column, row), writer.text());
        }
        writer.endLine();
    });
    writer.flush();
}

void printAligned(const ScheduleTable& table, std::ostream& out) {
    std::array<std::size_t, ScheduleTable::kColumnCount> widths{};
    forEachPrintedRow(table, [&](int row) {
        for (int column = 0; column < ScheduleTable::kColumnCount; ++column) {
            auto& width = widths[static_cast<std::size_t>(column)];
            const std::string_view text = table.cellText(column, row);
            if (text.size() > width)  // a text is never wider than its bytes
                width = std::max(width, displayWidth(text));
        }
    });
    BlockWriter writer(out);
    std::string& line = writer.text();
    forEachPrintedRow(table, [&](int row) {
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
    writer.flush();
}

}  // namespace

void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out) {
    const std::array<const std::string*, 6> values = {&form.Label15, &form.Label17, &form.Label11,
                                                      &form.Label9,  &form.Label13, &form.Label19};
    if (format == ReportFormat::Csv) {
        printCsv(form.StringGrid1, out);
        std::string line = "\n";
        for (std::size_t i = 0; i < values.size(); ++i) {
            appendCsvCell(loan::kSummaryCaptions[i], line);
            line += ';';
            appendCsvCell(*values[i], line);
            line += '\n';
        }
        out << line;
        return;
    }
    printAligned(form.StringGrid1, out);
    out << '\n';
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << loan::kSummaryCaptions[i] << ": " << *values[i] << '\n';
    }
}

}  // namespace cli
