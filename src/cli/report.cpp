#include "cli/report.h"

#include <algorithm>
#include <string>
#include <vector>

namespace cli {

namespace {

std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80)
            ++width;  // count UTF-8 lead bytes only
    }
    return width;
}

void printAligned(const std::vector<std::vector<std::string>>& lines, std::ostream& out) {
    std::vector<std::size_t> widths;
    for (const auto& line : lines) {
        widths.resize(std::max(widths.size(), line.size()));
        for (std::size_t i = 0; i < line.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(line[i]));
        }
    }
    for (const auto& line : lines) {
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

void PrintReport(const app::TableReport& report, ReportFormat format, std::ostream& out) {
    if (format == ReportFormat::Csv) {
        out << app::CsvText(report, "\n");
        return;
    }
    printAligned(report.rows, out);
    out << '\n';
    for (const auto& [caption, value] : report.values) {
        out << caption << ": " << value << '\n';
    }
}

void PrintReport(const app::MainForm& form, ReportFormat format, std::ostream& out) {
    PrintReport(app::MakeTableReport(form), format, out);
}

}  // namespace cli
