// The planner's plan file: "Открыть план...", "Сохранить план...", "Сохранить план как..."
// and the save question before the plan is closed.

#include <filesystem>

#include "app/loan_input_check.h"
#include "app/planner_form.h"
#include "loan/amount_limit.h"
#include "storage/file_error.h"

namespace app {

namespace {

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// A field's amount for comparing, whatever the field holds; never throws.
loan::ScaledAmount looseAmount(double units) {
    return loan::FitsScaled(units) ? loan::ToScaled(units) : -1;
}

}  // namespace

std::string PlannerForm::Caption() const {
    if (planFilePath_.empty())
        return kPlannerCaption;
    return std::string(kPlannerCaption) + " - " + storage::FileNameOf(planFilePath_);
}

bool PlannerForm::hasEntries() const {
    return !Prepayments().empty() || !RateChanges().empty() || Budget.Value() > 0 || HasTarget;
}

// What the fields and lists hold, as exactly as they hold it, for telling whether anything
// changed since the file: the values rather than the texts, so that "1000000" and
// "1000000,00" are one sum.
std::string PlannerForm::planSnapshot() const {
    std::string text;
    const auto add = [&](const std::string& value) { text += value + ";"; };
    add(std::to_string(looseAmount(Sum.Value())));
    add(ExactRateText(Rate.Value()));
    add(std::to_string(Term.Value()));
    add(loan::FormatShortDate(LoanDate.Date));
    add(EqualPayments.Checked ? "equal " + std::to_string(looseAmount(Payment.Value())) : "-");
    add(std::to_string(static_cast<int>(Shift)) + " " + std::to_string(PaymentDay.Value()));
    for (const loan::Prepayment& prepayment : Prepayments()) {
        add(loan::FormatShortDate(prepayment.date) + " " + std::to_string(prepayment.amount) +
            " " + std::to_string(static_cast<int>(prepayment.mode)) +
            (prepayment.monthly ? " m" : ""));
    }
    add("|");
    for (const loan::RateChange& change : RateChanges())
        add(loan::FormatShortDate(change.date) + " " + ExactRateText(change.annualRate));
    add(std::to_string(looseAmount(Budget.Value())) + " " +
        std::to_string(static_cast<int>(BudgetMode)));
    add(HasTarget ? loan::FormatShortDate(TargetDate.Date) : "-");
    return text;
}

bool PlannerForm::PlanModified() const {
    if (planFilePath_.empty())
        return hasEntries();
    return planSnapshot() != savedSnapshot_;
}

std::optional<PlanFileData> PlannerForm::PlanToSave() {
    loan::PlanTerms terms;
    if (!readLoan(terms, true))
        return std::nullopt;
    PlanFileData plan;
    plan.sum = terms.sum;
    plan.rate = terms.annualRate;
    plan.term = terms.termMonths;
    plan.loanDate = terms.loanDate;
    plan.scheme = terms.scheme;
    plan.payment = terms.payment;
    plan.shift = terms.shift;
    plan.paymentDay = terms.paymentDay;
    plan.prepayments = Prepayments();
    plan.rateChanges = RateChanges();
    plan.budget = terms.budget;  // checked by readLoan with the loan
    if (HasTarget)
        plan.targetDate = TargetDate.Date;
    return plan;
}

void PlannerForm::ApplyPlan(const PlanFileData& plan) {
    Sum.Text = FormatMoney(plan.sum);
    Rate.Text = ExactRateText(plan.rate, locale_.decimalSeparator);
    Term.SetValue(plan.term);
    LoanDate.Date = plan.loanDate;
    if (plan.scheme == loan::PlanScheme::Annuity) {
        EqualPaymentsClick();
    } else {
        DifferentiatedClick();
    }
    Payment.Text = plan.payment ? FormatMoney(*plan.payment) : "0";
    Shift = plan.shift;
    PaymentDay.SetValue(plan.paymentDay);
    prepayments_.Assign(plan.prepayments);
    rateChanges_.Assign(plan.rateChanges);
    Budget.Text = plan.budget ? FormatMoney(plan.budget->amount) : "0";
    BudgetMode = plan.budget ? plan.budget->mode : loan::PrepaymentMode::LowerPayment;
    HasTarget = plan.targetDate.has_value();
    if (plan.targetDate)
        TargetDate.Date = *plan.targetDate;
    // The editors follow the file's loan, as they follow a loan date typed.
    followLoanDate();
    clearPlan();
}

void PlannerForm::LoadPlanFile(const std::string& path) {
    const PlanFileData plan = ReadPlanFile(path);
    ApplyPlan(plan);
    planFilePath_ = absolutePath(path);
    savedPlan_ = plan;
    savedSnapshot_ = planSnapshot();
    calculate(true);
}

bool PlannerForm::SavePlanFile(const std::string& path) {
    const std::optional<PlanFileData> plan = PlanToSave();
    if (!plan)
        return false;
    WritePlanFile(path, *plan);
    planFilePath_ = absolutePath(path);
    savedPlan_ = plan;
    savedSnapshot_ = planSnapshot();
    return true;
}

bool PlannerForm::SavePlanClick() {
    if (planFilePath_.empty())
        return SavePlanAsClick();
    return SavePlanFile(planFilePath_);
}

bool PlannerForm::SavePlanAsClick() {
    // The loan is checked first: no dialog for a plan that could not be written.
    if (!PlanToSave())
        return false;
    const auto path = port_.choosePlanFileToSave(planFilePath_);
    return path && SavePlanFile(*path);
}

bool PlannerForm::OpenPlanClick() {
    // "Нет" changes nothing yet: the plan on screen goes only when a file really replaces it.
    if (!answerPlanQuestion(false))
        return false;
    const auto path = port_.choosePlanFileToOpen();
    if (!path)
        return false;
    LoadPlanFile(*path);
    return true;
}

bool PlannerForm::ClosePlanQuery(bool programCloses) {
    if (!programCloses && planFilePath_.empty())
        return true;
    return answerPlanQuestion(true);
}

bool PlannerForm::answerPlanQuestion(bool discardOnNo) {
    if (!PlanModified())
        return true;
    const std::string question =
        planFilePath_.empty()
            ? "Сохранить план досрочного погашения?"
            : "Сохранить изменения в плане \"" + storage::FileNameOf(planFilePath_) + "\"?";
    const DialogAnswer answer = port_.askYesNoCancel(
        "Сохранить изменения?", question + "\rВсе несохраненные изменения будут утеряны!!!");
    if (answer == kAnswerCancel)
        return false;
    if (answer == kAnswerYes)
        return SavePlanClick();  // a cancelled dialog or a failed save keeps everything
    if (discardOnNo)
        discardPlanChanges();
    return true;
}

void PlannerForm::discardPlanChanges() {
    if (savedPlan_) {
        ApplyPlan(*savedPlan_);
        return;
    }
    prepayments_.Assign({});
    rateChanges_.Assign({});
    Budget.Text = "0";
    BudgetMode = loan::PrepaymentMode::LowerPayment;
    HasTarget = false;
    clearPlan();
}

}  // namespace app
