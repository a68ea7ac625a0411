// "Сохранить платежи..." and "Загрузить платежи...": the payment file.

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "app/loan_header.h"
#include "app/main_form.h"
#include "app/payment_sequence.h"
#include "text/errors.h"
#include "loan/monthly_amounts.h"
#include "loan/number_text.h"
#include "text/text.h"
#include "storage/file_error.h"
#include "storage/text_file.h"
#include "storage/text_file_lines.h"

namespace app {

namespace {

constexpr int kFirstMoneyColumn = 2;
constexpr int kLastMoneyColumn = 5;
constexpr int kHeaderLines = 4;

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

HandlerOutcome MainForm::SaveFile(const std::string& path) {
    std::vector<std::string> lines = LoanHeaderLines(*this);
    // Without a complete loan there is nothing a file could hold: emptying the chosen file
    // would only destroy what it held, so it is left alone and the payments stay unsaved.
    if (lines.empty()) {
        return refuse(kErrorCaption, "Не задана сумма кредита, процентная ставка или срок: файл \"" +
                                         storage::FileNameOf(path) + "\" не записан.");
    }
    for (int row = 1; row < NextRow; ++row) {
        std::string line = std::to_string(row) + ";";
        for (int column = 1; column < loan::ScheduleTable::kColumnCount; ++column) {
            line += StringGrid1.cell(column, row) + ";";
        }
        lines.push_back(std::move(line));
    }
    storage::WriteTextFile(path, lines);
    PaymentsModified = false;
    // As in any document program, the file just written is the one the window now edits:
    // its name in the caption, the file the save question writes, the name the dialog offers.
    CurrentFileName = storage::FileNameOf(path);
    CurrentFilePath = absolutePath(path);
    if (N16.Checked)
        ShowFileInCaption();
    return HandlerOutcome::Done();
}

void MainForm::ShowFileInCaption() {
    Caption = "Ссудомер 2.0 - [" + CurrentFileName + "] - режим ввода платежей";
}

HandlerOutcome MainForm::N4Click() {
    if (const auto path = port_.chooseFileToSave())
        return SaveFile(*path);
    return HandlerOutcome::NothingToDo();
}

// A payment file read whole and checked, before the form is touched.
struct LoadedPaymentFile {
    std::string name;  // CurrentFileName
    std::string path;  // CurrentFilePath
    std::optional<LoanHeader> header;
    // The table the form will show: the payment-input headers, the payments from row 1 on,
    // at least one empty row below them and never fewer rows than at the start.
    loan::ScheduleTable table;
    loan::RunningTotals totals;  // kept beside that table, as the form keeps its own
    int payments = 0;
    loan::ScaledAmount balance = 0;  // after the last payment
    loan::ScaledAmount loan = 0;
    loan::ScaledAmount principal = 0;
    loan::ScaledAmount paidTotal = 0;
    loan::ScaledAmount interestTotal = 0;
    loan::ScaledAmount advance = 0;
    double monthDistance = 0;
};

namespace {

// Fills table row `row` from one line of a payment file and returns the balance after that
// payment; `read` gets what the line says, for checking it against the lines before. A line
// that is no payment (empty, without the fields up to "Всего за платеж", a date or an amount
// that does not read) throws ConversionError naming the line and field.
loan::ScaledAmount ReadPaymentRow(loan::ScheduleTable& table, int row, std::string_view line,
                                  const loan::Locale& locale, PaymentLine& read) {
    constexpr int kColumns = loan::ScheduleTable::kColumnCount;
    constexpr int kDateColumn = 1;
    const auto where = [&] { return "Строка " + std::to_string(row + kHeaderLines); };
    const auto inField = [&](int column) {
        return where() + ", поле \"" + loan::kPaymentHeaders[static_cast<std::size_t>(column)] +
               "\": ";
    };
    if (line.empty())
        throw loan::ConversionError(where() + " пуста.");

    loan::ScheduleTable::RowTexts fields;  // the line's own texts, or the money texts below
    std::array<std::string_view, kColumns> original;  // as the file holds them
    std::array<std::string, kColumns> money;
    std::array<loan::ScaledAmount, kColumns> amounts{};
    int column = 0;
    std::string_view rest = line;
    for (auto end = rest.find(';'); end != std::string_view::npos; end = rest.find(';')) {
        std::string_view field = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (column >= kColumns) {  // fields past the table are dropped
            ++column;
            continue;
        }
        const auto c = static_cast<std::size_t>(column);
        original[c] = field;
        try {
            if (column == kDateColumn) {
                read.date = loan::ParseShortDate(field);
            } else if (column >= kFirstMoneyColumn && column <= kLastMoneyColumn) {
                amounts[c] = readMoneyField(field, locale);
                money[c] = loan::FormatMoney(amounts[c], locale);
                field = money[c];
            }
        } catch (const loan::ConversionError&) {
            // The field as the file holds it, not as its separator was changed for reading.
            throw loan::ConversionError(inField(column) + (column == kDateColumn
                                                               ? loan::NotADateText(field)
                                                               : loan::NotANumberText(field)));
        } catch (const loan::AmountOverflow&) {
            throw loan::ConversionError(inField(column) + "\"" + loan::Excerpt(field) +
                                        "\" — сумма слишком велика для расчета.");
        }
        fields[c] = field;
        ++column;
    }
    if (column <= kLastMoneyColumn) {
        throw loan::ConversionError(where() + ": нет поля \"" +
                                    loan::kPaymentHeaders[static_cast<std::size_t>(column)] +
                                    "\".");
    }
    table.setRow(row, fields, std::min(column, kColumns));
    read.row = row;
    read.number = original[0];
    read.dateText = original[kDateColumn];
    read.balanceText = original[2];
    read.principalText = original[3];
    // The balance from the two cells as they read back.
    try {
        const loan::Extended balance = loan::WrittenAmountValue(amounts[2], locale);
        const loan::Extended principal = loan::WrittenAmountValue(amounts[3], locale);
        read.balance = loan::ToScaled(balance);
        read.principal = loan::ToScaled(principal);
        return loan::ToScaled(balance - principal);
    } catch (const loan::AmountOverflow&) {
        throw loan::ConversionError(where() + ": суммы слишком велики для расчета.");
    }
}

}  // namespace

LoadedPaymentFile MainForm::readPaymentFile(const std::string& path) const {
    const auto refuse = [&](const std::string& why) {
        return storage::FileError("Файл \"" + loan::Excerpt(path) +
                                  "\" не загружен; ничего не изменено.\r" + why);
    };
    // Read line by line: a big file never stands in memory whole.
    storage::TextFileLines lines(path);
    LoadedPaymentFile file;
    file.name = storage::FileNameOf(path);
    file.path = absolutePath(path);
    std::vector<std::string> header;
    while (header.size() < static_cast<std::size_t>(kHeaderLines)) {
        const auto line = lines.next();
        if (!line)
            break;
        header.emplace_back(*line);
    }
    try {
        file.header = ReadLoanHeader(header, locale_);
        if (!file.header)
            return file;  // no loan: the payment lines are not looked at

        loan::ScheduleTable& table = file.table;
        const loan::ScheduleTable::RowTexts headers = {
            loan::kPaymentHeaders[0], loan::kPaymentHeaders[1], loan::kPaymentHeaders[2],
            loan::kPaymentHeaders[3], loan::kPaymentHeaders[4], loan::kPaymentHeaders[5],
            loan::kPaymentHeaders[6]};
        table.setRow(0, headers);
        PaymentSequence sequence(file.header->amount, file.header->date, locale_);
        while (const auto line = lines.next()) {
            PaymentLine read;
            file.balance = ReadPaymentRow(table, file.payments + 1, *line, locale_, read);
            sequence.add(read);
            ++file.payments;
            if (file.payments + 1 >= table.rowCount())
                table.setRowCount(table.rowCount() + 1);
        }

        file.loan = file.header->amount;
        file.principal = loan::StandardPrincipal(file.loan, file.header->months);
        file.paidTotal = file.totals.sumColumn(table, 5, file.payments, locale_);
        file.interestTotal = file.totals.sumColumn(table, 4, file.payments, locale_);
        file.advance = file.totals.advanceOverSchedule(
            table, file.payments, loan::ToUnitsDouble(file.principal), locale_, file.monthDistance);
    } catch (const loan::ConversionError& error) {
        throw refuse(error.what());
    } catch (const loan::AmountOverflow&) {
        throw refuse("Суммы в файле слишком велики для расчета.");
    }
    return file;
}

// Nothing here can fail: every text was read and every amount computed before.
void MainForm::applyPaymentFile(LoadedPaymentFile& file) {
    PaymentsModified = false;
    CurrentFileName = file.name;
    CurrentFilePath = file.path;
    NextRow = 1;
    ApplyLoanHeader(*this, file.header);
    if (!file.header)
        return;  // the mode, the table and the caption stay as they are

    ++TableClearings;  // a new table: the view starts at its top
    StringGrid1 = std::move(file.table);
    runningTotals_ = std::move(file.totals);
    ClearGridSelection();
    NextRow = file.payments + 1;
    if (file.payments > 0) {
        Balance = file.balance;
        Label11 = FormatMoney(Balance);
    }
    Label15 = FormatMoney(file.paidTotal);
    Label17 = FormatMoney(file.interestTotal);
    Loan = file.loan;
    TermMonths = SpinEdit3.Value();
    Rate = SpinEdit2.Value();
    Principal = file.principal;
    Label9 = FormatMoney(Principal);

    GroupBox2 = {true, true};
    Button1.Enabled = false;
    DateTimePicker2.Date = port_.today();
    Button2.Caption = "Режим расчета";
    ShowFileInCaption();
    Button4.Enabled = Button6.Enabled = Button5.Enabled = true;
    N16.Checked = true;
    N13.Checked = false;
    SwitchInputs(false);

    PaymentAdvance = file.advance;
    MonthDistance = file.monthDistance;
    ShowPaymentAdvance();
    try {
        previewInterest(false);
    } catch (const loan::AmountOverflow&) {
        Interest = 0;  // interest too large to show: none, rather than no load
        Label13 = "0";
    }
}

void MainForm::LoadPaymentFile(const std::string& path) {
    LoadedPaymentFile file = readPaymentFile(path);
    applyPaymentFile(file);
}

void MainForm::N3Click() {
    // The save question first; "No" clears nothing yet: the payments on screen stay unsaved
    // until a file really replaces them.
    if (!answerSaveQuestion())
        return;
    const auto path = port_.chooseFileToOpen();
    if (!path)
        return;
    LoadedPaymentFile file = readPaymentFile(*path);
    StartNewLoan();
    applyPaymentFile(file);
    if (N12.Checked)
        BuildForecast();
}

}  // namespace app
