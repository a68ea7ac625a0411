// "Сохранить платежи..." and "Загрузить платежи...": the payment file.

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "app/loan_header.h"
#include "app/main_form.h"
#include "loan/monthly_amounts.h"
#include "loan/number_text.h"
#include "loan/text.h"
#include "storage/file_error.h"
#include "storage/text_file.h"
#include "storage/text_file_lines.h"

namespace app {

namespace {

constexpr int kFirstMoneyColumn = 2;
constexpr int kLastMoneyColumn = 5;

std::string fileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// The amount of a money field, which may have been written with either separator: it reads
// as the same field with the other separator replaced by the locale's.
loan::ScaledAmount readMoneyField(std::string_view field, const loan::Locale& locale) {
    const char separator = locale.decimalSeparator;
    const char other = separator == ',' ? '.' : ',';
    if (field.find(other) == std::string_view::npos)
        return loan::ParseAmount(field, locale);
    // A field with the other separator alone is read with it, without the replacing copy.
    if ((separator == ',' || separator == '.') && field.find(separator) == std::string_view::npos) {
        if (const auto amount = loan::ParseExactAmount(field, other))
            return *amount;
    }
    return loan::ParseAmount(loan::NormalizeDecimalSeparator(std::string(field), locale), locale);
}

}  // namespace

void MainForm::SaveFile(const std::string& path) {
    // The save question passes the bare CurrentFileName: it means the file loaded.
    const std::string target =
        !CurrentFilePath.empty() && path == CurrentFileName ? CurrentFilePath : path;
    std::vector<std::string> lines = LoanHeaderLines(*this);
    // Without a complete loan there is nothing a file could hold: emptying the chosen file
    // would only destroy what it held, so it is left alone and the payments stay unsaved.
    if (lines.empty()) {
        showMessage(kErrorCaption, "Не задана сумма кредита, процентная ставка или срок: файл \"" +
                                       storage::FileNameOf(target) + "\" не записан.");
        return;
    }
    for (int row = 1; row < NextRow; ++row) {
        std::string line = std::to_string(row) + ";";
        for (int column = 1; column < loan::ScheduleTable::kColumnCount; ++column) {
            line += StringGrid1.cell(column, row) + ";";
        }
        lines.push_back(std::move(line));
    }
    storage::WriteTextFile(target, lines);
    PaymentsModified = false;
}

void MainForm::N4Click() {
    if (const auto path = port_.chooseFileToSave())
        SaveFile(*path);
}

void MainForm::ReadPaymentRow(int row, std::string_view line) {
    constexpr int kColumns = loan::ScheduleTable::kColumnCount;
    loan::ScheduleTable::RowTexts fields;  // the line's own texts, or the money texts below
    std::array<std::string, kColumns> money;
    std::array<loan::ScaledAmount, kColumns> amounts{};
    int column = 0;
    // The row is written in one piece; a field that is no number still leaves the fields
    // before it in their cells.
    const auto writeFields = [&] { StringGrid1.setRow(row, fields, std::min(column, kColumns)); };
    try {
        std::string_view rest = line;
        for (auto end = rest.find(';'); end != std::string_view::npos; end = rest.find(';')) {
            std::string_view field = rest.substr(0, end);
            rest.remove_prefix(end + 1);
            if (column >= kFirstMoneyColumn && column <= kLastMoneyColumn) {
                const auto c = static_cast<std::size_t>(column);
                amounts[c] = readMoneyField(field, locale_);
                money[c] = FormatMoney(amounts[c]);
                field = money[c];
            }
            if (column < kColumns)  // fields past the table are dropped
                fields[static_cast<std::size_t>(column)] = field;
            ++column;
        }
    } catch (...) {
        writeFields();
        throw;
    }
    writeFields();
    // The balance from the two cells as they read back; cells this line wrote are read as
    // the amounts they were written from.
    const auto cellValue = [&](int c) {
        return column > c ? loan::WrittenAmountValue(amounts[static_cast<std::size_t>(c)], locale_)
                          : loan::ParseNumber(StringGrid1.cellText(c, row), locale_);
    };
    const loan::Extended remainder = cellValue(2) - cellValue(3);
    Balance = loan::ToScaled(remainder);
    Label11 = FormatMoney(Balance);
}

void MainForm::LoadPaymentFile(const std::string& path) {
    // A file that did not load whole is not the file on screen: a later "Yes" to the save
    // question must ask for a name rather than cut the file down to the rows that were read.
    try {
        loadWholePaymentFile(path);
    } catch (...) {
        ForgetLoadedFile();
        if (Caption.find('[') != std::string::npos)
            Caption = kPaymentInputCaption;  // the name leaves the caption with it
        throw;
    }
}

void MainForm::loadWholePaymentFile(const std::string& path) {
    PaymentsModified = false;
    // Read line by line: a big file never stands in memory whole.
    storage::TextFileLines lines(path);
    CurrentFileName = fileNameOf(path);
    CurrentFilePath = absolutePath(path);
    NextRow = 1;
    constexpr std::size_t kHeaderLines = 4;
    std::vector<std::string> header;
    while (header.size() < kHeaderLines) {
        const auto line = lines.next();
        if (!line)
            break;
        header.emplace_back(*line);
    }
    if (!ApplyLoanHeader(*this, header))
        return;

    while (const auto line = lines.next()) {
        ReadPaymentRow(NextRow, *line);
        ++NextRow;
        if (NextRow >= StringGrid1.rowCount())
            StringGrid1.setRowCount(StringGrid1.rowCount() + 1);
    }
    Label15 = FormatMoney(SumColumn(5, NextRow - 1));
    Label17 = FormatMoney(SumColumn(4, NextRow - 1));

    Loan = loan::ToScaled(SpinEdit1.Value());
    TermMonths = SpinEdit3.Value();
    Rate = SpinEdit2.Value();
    // A term of 0 can only come from a file written by hand; the standard principal would
    // be a division by zero.
    if (TermMonths == 0)
        throw std::domain_error("Division by zero");
    Principal = loan::StandardPrincipal(Loan, TermMonths);
    Label9 = FormatMoney(Principal);

    GroupBox2 = {true, true};
    Button1.Enabled = false;
    DateTimePicker2.Date = port_.today();
    Button2.Caption = "Режим расчета";
    Caption = "Ссудомер 2.0 - [" + CurrentFileName + "] - режим ввода платежей";
    WriteHeaders(loan::kPaymentHeaders, {0, 6, 5});
    Button4.Enabled = Button6.Enabled = Button5.Enabled = true;
    N16.Checked = true;
    N13.Checked = false;
    SwitchInputs("close");

    ComputeArrears(NextRow - 1, loan::ToUnitsDouble(Principal));
    ShowPaymentAdvance();
    DateTimePicker2Change();
}

void MainForm::N3Click() {
    if (!ConfirmDiscardPayments())
        return;
    StartNewLoan();
    if (const auto path = port_.chooseFileToOpen())
        LoadPaymentFile(*path);
    if (N12.Checked)
        BuildForecast();
}

}  // namespace app
