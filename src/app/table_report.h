#pragma once

// The table and the summary as text for other programs: what `ssudomer-cli --csv` prints and
// "Экспорт таблицы в CSV..." writes, built in one place so that the two never differ. The
// rows are read from the table as they are written out, so a big table is never copied.

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_form.h"
#include "loan/schedule_table.h"

namespace app {

struct TableReport {
    // Its header row, then every row that holds text.
    const loan::ScheduleTable* table = nullptr;
    // The summary values, caption and text, in the order the summary panel reads.
    std::vector<std::pair<std::string, std::string>> values;
    // A column after the table's, one text per table row (the header at 0); empty: none.
    std::vector<std::string> lastColumn;
};

TableReport MakeTableReport(const MainForm& form);

// The text of the report's last column in a table row ("" past its texts).
inline std::string_view LastColumnText(const TableReport& report, int row) {
    const auto index = static_cast<std::size_t>(row);
    return index < report.lastColumn.size() ? std::string_view(report.lastColumn[index])
                                            : std::string_view();
}

// Calls `visit` with the number of each row a report shows.
template <class Visit>
void ForEachReportRow(const loan::ScheduleTable& table, Visit visit) {
    for (int row = 0; row < table.rowCount(); ++row) {
        if (row == 0 || table.rowHasText(row))
            visit(row);
    }
}

// Lines gathered and handed to the stream a block at a time, not one call per line.
class BlockWriter {
  public:
    explicit BlockWriter(std::ostream& out) : out_(out) {}
    ~BlockWriter() { flush(); }
    std::string& text() { return text_; }
    void endLine(std::string_view lineEnd = "\n");
    void flush();

  private:
    std::ostream& out_;
    std::string text_;
};

// Semicolon-separated fields, quoted as RFC 4180 asks when they hold ';', '"' or a line
// break; every line ends in `lineEnd`, and an empty line parts the rows from the values.
void WriteCsv(const TableReport& report, std::string_view lineEnd, std::ostream& out);
std::string CsvText(const TableReport& report, std::string_view lineEnd);

// The exported file: a UTF-8 byte-order mark, which spreadsheet programs need to read the
// Cyrillic as UTF-8, then the CSV text with CR LF line ends.
std::string CsvFileBytes(const TableReport& report);

}  // namespace app
