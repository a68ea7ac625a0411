#include "app/loan_header.h"

#include <string_view>

#include "text/errors.h"
#include "loan/money.h"
#include "loan/number_text.h"
#include "text/text.h"

namespace app {

namespace {

std::string_view withoutBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

[[noreturn]] void refuseLine(int number, const char* what, std::string_view text,
                             const std::string& wanted) {
    throw loan::ConversionError("Строка " + std::to_string(number) + " (" + what + "): \"" +
                                loan::Excerpt(text) + "\" — " + wanted + ".");
}

// A number line as its field will show it: with the form's separator, without blanks.
std::string numberLine(const std::string& line, int number, const char* what,
                       const loan::Locale& locale) {
    const std::string text(withoutBlanks(loan::NormalizeDecimalSeparator(line, locale)));
    if (!loan::TryParseNumber(text, locale))
        refuseLine(number, what, line, "нужно число");
    return text;
}

// A payment file's header must make a loan the payments can be counted on; the last-loan
// file only keeps what the inputs held.
enum class HeaderUse { PaymentFile, LastLoan };

std::optional<LoanHeader> readHeader(const std::vector<std::string>& lines,
                                     const loan::Locale& locale, HeaderUse use) {
    const auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    if (line(0).empty() || line(1).empty() || line(2).empty())
        return std::nullopt;
    const bool paymentFile = use == HeaderUse::PaymentFile;
    LoanHeader header;
    header.sum = numberLine(line(0), 1, "сумма кредита", locale);
    const auto sum = static_cast<double>(*loan::TryParseNumber(header.sum, locale));
    if (!loan::FitsScaled(sum))
        refuseLine(1, "сумма кредита", line(0), "сумма слишком велика для расчета");
    header.amount = loan::ToScaled(sum);
    header.rate = numberLine(line(1), 2, "процентная ставка", locale);

    header.term = withoutBlanks(line(2));
    const auto months = loan::TryParseInteger(header.term);
    // A term of 0 months has no monthly principal: no payment file's loan.
    if (paymentFile && (!months || *months < 1))
        refuseLine(3, "срок погашения", line(2), "нужно целое число месяцев не меньше 1");
    if (!months)
        refuseLine(3, "срок погашения", line(2), "нужно целое число");
    header.months = *months;

    const auto date = loan::TryParseShortDate(line(3));
    if (!date)
        refuseLine(4, "дата получения кредита", line(3), "нужна дата вида 15.01.2005");
    header.date = *date;
    return header;
}

}  // namespace

std::vector<std::string> LoanHeaderLines(const MainForm& form) {
    if (form.SpinEdit1.Value() == 0 || form.SpinEdit3.Value() == 0 || form.SpinEdit2.Value() == 0)
        return {};
    return {form.SpinEdit1.Text, form.SpinEdit2.Text, form.SpinEdit3.Text,
            loan::FormatShortDate(form.DateTimePicker1.Date)};
}

std::vector<std::string> LastLoanLines(const MainForm& form) {
    const loan::Locale& locale = form.locale();
    const auto number = [&](const widgets::FloatSpinEditModel& field) {
        return loan::TryParseNumber(field.Text, locale) ? field.Text
                                                        : loan::GeneralNumberText(field.Value(),
                                                                                  locale);
    };
    const widgets::SpinEditModel& term = form.SpinEdit3;
    return {number(form.SpinEdit1), number(form.SpinEdit2),
            loan::TryParseInteger(term.Text) ? term.Text : std::to_string(term.Value()),
            loan::FormatShortDate(form.DateTimePicker1.Date)};
}

std::optional<LoanHeader> ReadLoanHeader(const std::vector<std::string>& lines,
                                         const loan::Locale& locale) {
    return readHeader(lines, locale, HeaderUse::PaymentFile);
}

std::optional<LoanHeader> ReadLastLoanHeader(const std::vector<std::string>& lines,
                                             const loan::Locale& locale) {
    return readHeader(lines, locale, HeaderUse::LastLoan);
}

void ApplyLoanHeader(MainForm& form, const std::optional<LoanHeader>& header) {
    if (!header) {
        form.SpinEdit1.SetValue(0);
        form.SpinEdit2.SetValue(0);
        form.SpinEdit3.SetValue(0);
        form.DateTimePicker1.Date = form.port().today();
        return;
    }
    form.SpinEdit1.Text = header->sum;
    form.SpinEdit2.Text = header->rate;
    form.SpinEdit3.Text = header->term;
    form.DateTimePicker1.Date = header->date;
}

}  // namespace app
