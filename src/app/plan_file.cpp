#include "app/plan_file.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "app/loan_input_check.h"
#include "loan/amount_limit.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"
#include "storage/text_file_lines.h"
#include "text/errors.h"

namespace app {

namespace {

using loan::ConversionError;
using loan::ScaledAmount;

constexpr ScaledAmount kKopeck = loan::kScale / 100;
constexpr int kFirstYear = 1900;  // the date fields' first year
constexpr int kLastYear = 9999;

struct Key {
    std::string_view name;
    const char* label;  // what the person knows the setting as
};
constexpr Key kSum{"sum", "сумма кредита"};
constexpr Key kRate{"rate", "процентная ставка"};
constexpr Key kTerm{"term", "срок, месяцев"};
constexpr Key kDate{"date", "дата получения кредита"};
constexpr Key kScheme{"scheme", "схема платежей"};
constexpr Key kPayment{"payment", "платеж по договору"};
constexpr Key kShift{"shift", "перенос с выходных"};
constexpr Key kPaymentDay{"payment-day", "день платежа"};
constexpr Key kPrepay{"prepay", "досрочное погашение"};
constexpr Key kRateChange{"rate-change", "изменение ставки"};
constexpr Key kBudget{"budget", "бюджет в месяц"};
constexpr Key kTarget{"target-date", "погасить к"};

std::string fieldText(int line, const Key& key) {
    return "Строка " + std::to_string(line) + ", поле \"" + std::string(key.name) + "\" (" +
           key.label + ")";
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    while (!(text = trimmed(text)).empty()) {
        std::size_t end = 0;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
        result.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return result;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one "." or "," among them and at least one digit before it: a plain
// decimal, no sign, no exponent. The position of the separator, or npos.
std::optional<std::size_t> plainDecimal(std::string_view text) {
    std::size_t separator = std::string_view::npos;
    if (text.empty() || !isDigit(text.front()))
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' || text[i] == ',') {
            if (separator != std::string_view::npos)
                return std::nullopt;
            separator = i;
        } else if (!isDigit(text[i])) {
            return std::nullopt;
        }
    }
    return separator;
}

// An amount in roubles and kopecks, above zero and within the amount limit.
ScaledAmount readAmount(std::string_view text, const std::string& where) {
    const auto separator = plainDecimal(text);
    if (!separator)
        throw ConversionError(where + ": " + loan::NotANumberText(text));
    const std::string_view units = text.substr(0, *separator);
    const std::string_view fraction =
        *separator == std::string_view::npos ? std::string_view() : text.substr(*separator + 1);
    if (fraction.find_first_not_of('0', 2) != std::string_view::npos) {
        throw ConversionError(where + ": \"" + loan::Excerpt(text) + "\" — " +
                              "суммы задаются в рублях и копейках, не больше двух знаков после "
                              "запятой.");
    }
    const std::string_view significant = units.substr(std::min(units.find_first_not_of('0'), units.size()));
    ScaledAmount amount = 0;
    bool tooLarge = significant.size() > 12;
    for (char c : significant.substr(0, 12)) amount = amount * 10 + (c - '0');
    amount *= loan::kScale;
    for (std::size_t i = 0; i < 2 && i < fraction.size(); ++i)
        amount += (fraction[i] - '0') * (i == 0 ? 10 : 1) * kKopeck;
    if (tooLarge || amount > loan::kMaxScaledAmount) {
        throw ConversionError(where + ": \"" + loan::Excerpt(text) +
                              "\" — больше предела 100000000000.00.");
    }
    if (amount <= 0)
        throw ConversionError(where + ": сумма должна быть больше нуля.");
    return amount;
}

// A rate in percent, 0 to 100000.
double readRate(std::string_view text, const std::string& where) {
    const auto separator = plainDecimal(text);
    if (!separator)
        throw ConversionError(where + ": " + loan::NotANumberText(text));
    std::string decimal(text);
    if (*separator != std::string::npos)
        decimal[*separator] = '.';
    double rate = 0;
    const auto [end, error] =
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), rate,
                        std::chars_format::fixed);
    if (error != std::errc() || end != decimal.data() + decimal.size() || !(rate >= 0) ||
        rate > kMaxRatePercent) {
        throw ConversionError(where + ": ставка должна быть числом от 0 до 100000, а не \"" +
                              loan::Excerpt(text) + "\".");
    }
    return rate;
}

int readWhole(std::string_view text, int low, int high, const std::string& where) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < low || value > high) {
        throw ConversionError(where + ": нужно целое число от " + std::to_string(low) + " до " +
                              std::to_string(high) + ", а не \"" + loan::Excerpt(text) + "\".");
    }
    return value;
}

loan::Date readDate(std::string_view text, const std::string& where) {
    const auto date = loan::TryParseShortDate(text);
    if (!date || date->year < kFirstYear || date->year > kLastYear)
        throw ConversionError(where + ": " + loan::NotADateText(text));
    return *date;
}

loan::PrepaymentMode readMode(std::string_view text, const std::string& where) {
    if (text == "term")
        return loan::PrepaymentMode::ShortenTerm;
    if (text == "payment")
        return loan::PrepaymentMode::LowerPayment;
    throw ConversionError(where + ": нужно term (сокращение срока) или payment (уменьшение "
                                  "платежа), а не \"" +
                          loan::Excerpt(text) + "\".");
}

const char* modeWord(loan::PrepaymentMode mode) {
    return mode == loan::PrepaymentMode::LowerPayment ? "payment" : "term";
}

std::string amountText(ScaledAmount amount) {
    const ScaledAmount kopecks = amount / kKopeck;
    const std::string fraction = std::to_string(kopecks % 100);
    return std::to_string(kopecks / 100) + "." + (fraction.size() < 2 ? "0" : "") + fraction;
}

const char* shiftWord(loan::PaymentShift shift) {
    switch (shift) {
        case loan::PaymentShift::Modified:
            return "modified";
        case loan::PaymentShift::None:
            return "none";
        default:
            return "next";
    }
}

// The line of a single setting: refuses it a second time.
void once(int& seenAt, int line, const Key& key) {
    if (seenAt != 0) {
        throw ConversionError(fieldText(line, key) + ": задано второй раз (уже в строке " +
                              std::to_string(seenAt) + ").");
    }
    seenAt = line;
}

// The words of an entry: at least `least`, at most `most`.
std::vector<std::string_view> entryWords(std::string_view value, std::size_t least,
                                         std::size_t most, const std::string& where,
                                         const char* form) {
    std::vector<std::string_view> parts = words(value);
    if (parts.size() < least || parts.size() > most) {
        throw ConversionError(where + ": нужно \"" + form + "\", а не \"" + loan::Excerpt(value) +
                              "\".");
    }
    return parts;
}

}  // namespace

std::string ExactRateText(double rate, char separator) {
    char buffer[512];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, rate, std::chars_format::fixed);
    std::string text = error == std::errc() ? std::string(buffer, end) : "0";
    if (const auto point = text.find('.'); point != std::string::npos)
        text[point] = separator;
    return text;
}

bool SamePlan(const PlanFileData& a, const PlanFileData& b) {
    const auto samePrepayment = [](const loan::Prepayment& x, const loan::Prepayment& y) {
        return x.date == y.date && x.amount == y.amount && x.mode == y.mode &&
               x.monthly == y.monthly;
    };
    const auto sameRateChange = [](const loan::RateChange& x, const loan::RateChange& y) {
        return x.date == y.date && x.annualRate == y.annualRate;
    };
    const auto sameBudget = [](const std::optional<loan::PlanBudget>& x,
                               const std::optional<loan::PlanBudget>& y) {
        return x.has_value() == y.has_value() &&
               (!x || (x->amount == y->amount && x->mode == y->mode));
    };
    return a.sum == b.sum && a.rate == b.rate && a.term == b.term && a.loanDate == b.loanDate &&
           a.scheme == b.scheme && a.payment == b.payment && a.shift == b.shift &&
           a.paymentDay == b.paymentDay &&
           std::equal(a.prepayments.begin(), a.prepayments.end(), b.prepayments.begin(),
                      b.prepayments.end(), samePrepayment) &&
           std::equal(a.rateChanges.begin(), a.rateChanges.end(), b.rateChanges.begin(),
                      b.rateChanges.end(), sameRateChange) &&
           sameBudget(a.budget, b.budget) && a.targetDate == b.targetDate;
}

std::string FormatPlanFile(const PlanFileData& plan) {
    std::string text = std::string(kPlanFileFormat) + " " + std::to_string(kPlanFileVersion) + "\n";
    const auto add = [&](const Key& key, const std::string& value) {
        text += std::string(key.name) + " = " + value + "\n";
    };
    add(kSum, amountText(plan.sum));
    add(kRate, ExactRateText(plan.rate));
    add(kTerm, std::to_string(plan.term));
    add(kDate, loan::FormatShortDate(plan.loanDate));
    const bool equal = plan.scheme == loan::PlanScheme::Annuity;
    add(kScheme, equal ? "equal" : "differentiated");
    if (equal && plan.payment)
        add(kPayment, amountText(*plan.payment));
    add(kShift, shiftWord(plan.shift));
    add(kPaymentDay, std::to_string(plan.paymentDay));
    for (const loan::Prepayment& prepayment : plan.prepayments) {
        add(kPrepay, loan::FormatShortDate(prepayment.date) + " " + amountText(prepayment.amount) +
                         " " + modeWord(prepayment.mode) + (prepayment.monthly ? " monthly" : ""));
    }
    for (const loan::RateChange& change : plan.rateChanges)
        add(kRateChange, loan::FormatShortDate(change.date) + " " + ExactRateText(change.annualRate));
    if (plan.budget)
        add(kBudget, amountText(plan.budget->amount) + " " + modeWord(plan.budget->mode));
    if (plan.targetDate)
        add(kTarget, loan::FormatShortDate(*plan.targetDate));
    return text;
}

void PlanFileParser::line(std::string_view text) {
    ++number_;
    const std::string where = "Строка " + std::to_string(number_);
    if (!versionRead_) {
        const std::vector<std::string_view> parts = words(text);
        const std::string expected =
            std::string(kPlanFileFormat) + " " + std::to_string(kPlanFileVersion);
        if (parts.size() != 2 || parts[0] != kPlanFileFormat) {
            throw ConversionError(where + ": это не план Ссудомера: первой должна быть строка \"" +
                                  expected + "\", а не \"" + loan::Excerpt(text) + "\".");
        }
        int version = 0;
        const auto [end, error] =
            std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), version);
        if (error != std::errc() || end != parts[1].data() + parts[1].size() || version < 1) {
            throw ConversionError(where + ": \"" + loan::Excerpt(parts[1]) +
                                  "\" — не номер версии плана (ожидается \"" + expected + "\").");
        }
        if (version > kPlanFileVersion) {
            throw ConversionError(where + ": план версии " + std::to_string(version) +
                                  " записан более новой программой; эта читает планы версии " +
                                  std::to_string(kPlanFileVersion) + ".");
        }
        versionRead_ = true;
        return;
    }
    std::string_view content = text.substr(0, text.find('#'));
    content = trimmed(content);
    if (content.empty())
        return;
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        throw ConversionError(where + ": нужно \"поле = значение\", а не \"" +
                              loan::Excerpt(content) + "\".");
    }
    setting(trimmed(content.substr(0, equals)), trimmed(content.substr(equals + 1)));
}

void PlanFileParser::setting(std::string_view key, std::string_view value) {
    const int at = number_;
    const auto in = [&](const Key& field) { return fieldText(at, field); };
    if (key == kSum.name) {
        plan_.sum = readAmount(value, in(kSum));
        once(sumLine_, at, kSum);
    } else if (key == kRate.name) {
        plan_.rate = readRate(value, in(kRate));
        once(rateLine_, at, kRate);
    } else if (key == kTerm.name) {
        plan_.term = readWhole(value, 1, kMaxTermMonths, in(kTerm));
        once(termLine_, at, kTerm);
    } else if (key == kDate.name) {
        plan_.loanDate = readDate(value, in(kDate));
        once(dateLine_, at, kDate);
    } else if (key == kScheme.name) {
        once(schemeLine_, at, kScheme);
        if (value != "equal" && value != "differentiated") {
            throw ConversionError(in(kScheme) + ": нужно equal (равными частями) или "
                                                "differentiated (дифференцированные), а не \"" +
                                  loan::Excerpt(value) + "\".");
        }
        plan_.scheme = value == "equal" ? loan::PlanScheme::Annuity : loan::PlanScheme::Differentiated;
    } else if (key == kPayment.name) {
        plan_.payment = readAmount(value, in(kPayment));
        once(paymentLine_, at, kPayment);
    } else if (key == kShift.name) {
        once(shiftLine_, at, kShift);
        if (value == "next") {
            plan_.shift = loan::PaymentShift::Next;
        } else if (value == "modified") {
            plan_.shift = loan::PaymentShift::Modified;
        } else if (value == "none") {
            plan_.shift = loan::PaymentShift::None;
        } else {
            throw ConversionError(in(kShift) + ": нужно next, modified или none, а не \"" +
                                  loan::Excerpt(value) + "\".");
        }
    } else if (key == kPaymentDay.name) {
        plan_.paymentDay = readWhole(value, 0, 31, in(kPaymentDay));
        once(dayLine_, at, kPaymentDay);
    } else if (key == kPrepay.name) {
        const std::string where = in(kPrepay);
        const auto parts =
            entryWords(value, 3, 4, where, "ДД.ММ.ГГГГ сумма term|payment [monthly]");
        loan::Prepayment prepayment;
        prepayment.date = readDate(parts[0], where + ", дата");
        prepayment.amount = readAmount(parts[1], where + ", сумма");
        prepayment.mode = readMode(parts[2], where + ", режим");
        if (parts.size() == 4 && parts[3] != "monthly") {
            throw ConversionError(where + ", повтор: нужно monthly или ничего, а не \"" +
                                  loan::Excerpt(parts[3]) + "\".");
        }
        prepayment.monthly = parts.size() == 4;
        plan_.prepayments.push_back(prepayment);
        prepaymentLines_.push_back(at);
    } else if (key == kRateChange.name) {
        const std::string where = in(kRateChange);
        const auto parts = entryWords(value, 2, 2, where, "ДД.ММ.ГГГГ ставка");
        plan_.rateChanges.push_back(
            {readDate(parts[0], where + ", дата"), readRate(parts[1], where + ", ставка")});
        rateChangeLines_.push_back(at);
    } else if (key == kBudget.name) {
        once(budgetLine_, at, kBudget);
        const auto parts = entryWords(value, 1, 2, in(kBudget), "сумма [term|payment]");
        loan::PlanBudget budget;
        budget.amount = readAmount(parts[0], in(kBudget) + ", сумма");
        if (parts.size() == 2)
            budget.mode = readMode(parts[1], in(kBudget) + ", режим");
        plan_.budget = budget;
    } else if (key == kTarget.name) {
        plan_.targetDate = readDate(value, in(kTarget));
        once(targetLine_, at, kTarget);
    } else {
        throw ConversionError("Строка " + std::to_string(at) + ": неизвестное поле \"" +
                              loan::Excerpt(key) + "\".");
    }
}

PlanFileData PlanFileParser::finish() {
    if (!versionRead_) {
        throw ConversionError("Файл пуст: первой должна быть строка \"" +
                              std::string(kPlanFileFormat) + " " +
                              std::to_string(kPlanFileVersion) + "\".");
    }
    for (const auto& [seenAt, key] : {std::pair{sumLine_, &kSum}, std::pair{rateLine_, &kRate},
                                      std::pair{termLine_, &kTerm}, std::pair{dateLine_, &kDate}}) {
        if (seenAt == 0) {
            throw ConversionError("Нет поля \"" + std::string(key->name) + "\" (" + key->label +
                                  ").");
        }
    }
    if (paymentLine_ != 0 && plan_.scheme != loan::PlanScheme::Annuity) {
        throw ConversionError(fieldText(paymentLine_, kPayment) +
                              ": платеж по договору задается только при \"scheme = equal\".");
    }
    const std::string loanDate = loan::FormatShortDate(plan_.loanDate);
    for (std::size_t i = 0; i < plan_.prepayments.size(); ++i) {
        if (plan_.prepayments[i].date <= plan_.loanDate) {
            throw ConversionError(fieldText(prepaymentLines_[i], kPrepay) +
                                  ", дата: должна быть позже даты получения кредита (" +
                                  loanDate + ").");
        }
    }
    for (std::size_t i = 0; i < plan_.rateChanges.size(); ++i) {
        if (plan_.rateChanges[i].date <= plan_.loanDate) {
            throw ConversionError(fieldText(rateChangeLines_[i], kRateChange) +
                                  ", дата: должна быть позже даты получения кредита (" +
                                  loanDate + ").");
        }
    }
    return plan_;
}

PlanFileData ParsePlanText(std::string_view text) {
    PlanFileParser parser;
    for (const std::string& line : storage::SplitLines(storage::DecodeFileText(text)))
        parser.line(line);
    return parser.finish();
}

PlanFileData ReadPlanFile(const std::string& path) {
    storage::TextFileLines lines(path);
    PlanFileParser parser;
    try {
        while (const auto line = lines.next()) parser.line(*line);
        return parser.finish();
    } catch (const ConversionError& error) {
        throw storage::FileError("Файл \"" + loan::Excerpt(path) +
                                 "\" не загружен; ничего не изменено.\r" + error.what());
    }
}

void WritePlanFile(const std::string& path, const PlanFileData& plan) {
    storage::WriteFileSafely(path, FormatPlanFile(plan));
}

bool NamesPlanFile(const std::string& argument) {
    if (argument.size() < kPlanFileExtension.size())
        return false;
    std::string ending = argument.substr(argument.size() - kPlanFileExtension.size());
    for (char& c : ending) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return ending == kPlanFileExtension;
}

}  // namespace app
