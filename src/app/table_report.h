#pragma once

// The table and the summary as text for other programs: what `ssudomer-cli --csv` prints and
// "Экспорт таблицы в CSV..." writes, built in one place so that the two never differ.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_form.h"

namespace app {

struct TableReport {
    // The header row, then every table row that holds text.
    std::vector<std::vector<std::string>> rows;
    // The summary values, caption and text, in the order the summary panel reads.
    std::vector<std::pair<std::string, std::string>> values;
};

TableReport MakeTableReport(const MainForm& form);

// Semicolon-separated fields, quoted as RFC 4180 asks when they hold ';', '"' or a line
// break; every line ends in `lineEnd`, and an empty line parts the rows from the values.
std::string CsvText(const TableReport& report, std::string_view lineEnd);

// The exported file: a UTF-8 byte-order mark, which spreadsheet programs need to read the
// Cyrillic as UTF-8, then the CSV text with CR LF line ends.
std::string CsvFileBytes(const TableReport& report);

}  // namespace app
