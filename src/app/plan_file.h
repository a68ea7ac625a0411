#pragma once

// Plan files (.crplan): a prepayment plan kept on disk as plain UTF-8 text, one setting a
// line, that a person can read and edit by hand. The first line names the format and its
// version ("ssudomer-plan 1"); then lines "key = value" in any order: the loan, every
// prepayment and rate change in the order entered, and the budget and the target date when
// they are set. Numbers use "." whatever the locale (a "," is read as well); amounts are
// written in roubles with both kopeck digits. Blank lines are skipped and "#" starts a
// comment to the end of its line. docs/files.md shows an example.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "loan/date.h"
#include "loan/money.h"
#include "loan/plan.h"
#include "loan/plan_dates.h"

namespace app {

inline constexpr std::string_view kPlanFileFormat = "ssudomer-plan";
// The version this program writes and the newest it reads. A later program reads every
// file of an earlier version; it writes a higher number only when this one would read its
// files wrongly, so this one refuses such a file rather than drop what it cannot follow.
inline constexpr int kPlanFileVersion = 1;
inline constexpr std::string_view kPlanFileExtension = ".crplan";

// Everything a plan file holds, checked: what the planner's fields and lists would take.
struct PlanFileData {
    loan::ScaledAmount sum = 0;  // whole kopecks, above 0, within the amount limit
    double rate = 0;             // percent, 0 to 100000
    int term = 0;                // months, 1 to 1000
    loan::Date loanDate;
    loan::PlanScheme scheme = loan::PlanScheme::Differentiated;
    std::optional<loan::ScaledAmount> payment;  // the contract's annuity, equal payments only
    loan::PaymentShift shift = loan::PaymentShift::Next;
    int paymentDay = 0;  // 0: the loan date's day
    std::vector<loan::Prepayment> prepayments;
    std::vector<loan::RateChange> rateChanges;
    std::optional<loan::PlanBudget> budget;
    std::optional<loan::Date> targetDate;
};

bool SamePlan(const PlanFileData& a, const PlanFileData& b);

// A rate as its shortest decimal text that reads back as the same Double, never in
// scientific notation, with the given separator.
std::string ExactRateText(double rate, char separator = '.');

// The file's text, lines ended by LF.
std::string FormatPlanFile(const PlanFileData& plan);

// Reads a plan file's lines one at a time (from a file or a text) and checks the whole.
class PlanFileParser {
  public:
    // ConversionError naming the line and the field when the line reads as no setting of a
    // plan: «Строка 5, поле "rate" (процентная ставка): "12%" не является числом.»
    void line(std::string_view text);
    // The plan once every line is read; ConversionError when a setting is missing or the
    // lines contradict one another.
    PlanFileData finish();

  private:
    void setting(std::string_view key, std::string_view value);

    int number_ = 0;
    bool versionRead_ = false;
    PlanFileData plan_;
    // The line each single setting came from, 0 while it has not come.
    int sumLine_ = 0, rateLine_ = 0, termLine_ = 0, dateLine_ = 0, schemeLine_ = 0,
        paymentLine_ = 0, shiftLine_ = 0, dayLine_ = 0, budgetLine_ = 0, targetLine_ = 0;
    // The lines of the entries, for the checks against the loan date at the end.
    std::vector<int> prepaymentLines_, rateChangeLines_;
};

// A plan file's text, read as the file reader decodes files.
PlanFileData ParsePlanText(std::string_view text);

// Reads and checks the whole file through the guarded reader. FileError when it cannot be
// read or a line does not read as a plan: «Файл "…" не загружен; ничего не изменено.», then
// after a "\r" the line, the field and why.
PlanFileData ReadPlanFile(const std::string& path);

// Writes the plan through the guarded writer: a failed save throws FileError and leaves the
// old file as it was.
void WritePlanFile(const std::string& path, const PlanFileData& plan);

// Whether a command-line argument names a plan file: its name, with Latin capitals lowered,
// ends in ".crplan".
bool NamesPlanFile(const std::string& argument);

}  // namespace app
