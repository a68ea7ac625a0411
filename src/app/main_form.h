#pragma once

// The main window's model (TForm1) without any window toolkit: the state of every control,
// the menu marks, the labels, the schedule table, the working values, and the handlers
// that the window forwards the person's actions to. It reaches the person only through
// its FormPort.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/controls.h"
#include "app/forecast_settings.h"
#include "app/form_port.h"
#include "app/handler_outcome.h"
#include "app/loan_input_check.h"
#include "text/locale.h"
#include "loan/money.h"
#include "loan/payment_kind.h"
#include "loan/running_totals.h"
#include "loan/schedule_table.h"
#include "spin_rules/spin_edit_model.h"

namespace storage {
class FileTypeRegistry;
}

namespace loan {
struct CalculationTerms;
struct CalculationSchedule;
}  // namespace loan

namespace app {

struct LoadedPaymentFile;

inline constexpr const char* kAttentionCaption = "Внимание!!!";
// Caption of the general error display (conversion errors and the like).
inline constexpr const char* kApplicationTitle = "Ссудомер";
inline constexpr const char* kTooLargeAmounts = "Суммы слишком велики для расчета...";

// Runs a handler as the window's message loop would: an error that escapes it (a text that
// is no number or date, an amount too large) is shown through `port` in the general error
// box. Returns false when that happened.
bool RunReportingErrors(FormPort& port, const std::function<void()>& handler);

inline constexpr const char* kCalculationCaption = "Ссудомер 2.0 - режим расчета";
inline constexpr const char* kPaymentInputCaption = "Ссудомер 2.0 - режим ввода платежей";

class MainForm {
    // First, so that the controls built from the locale see it constructed.
    FormPort& port_;
    loan::Locale locale_;

  public:
    MainForm(FormPort& port, loan::Locale locale);
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    const loan::Locale& locale() const { return locale_; }
    FormPort& port() { return port_; }

    // The form's handlers run through RunReportingErrors.
    bool RunHandler(const std::function<void()>& handler) {
        return RunReportingErrors(port_, handler);
    }

    // ---- Controls -------------------------------------------------------------------
    std::string Caption;  // window caption

    // "Данные по кредиту"
    widgets::FloatSpinEditModel SpinEdit1;  // loan sum
    widgets::FloatSpinEditModel SpinEdit2;  // annual rate, percent
    DatePicker DateTimePicker1;             // date the loan was received
    widgets::SpinEditModel SpinEdit3;       // term, months

    // "Как будем считать... "
    GroupBox GroupBox4;
    CheckControl RadioButtonA{true};        // "Дифференцированные платежи"
    CheckControl RadioButtonB;              // "Платежи равными частями"
    widgets::SpinEditModel SpinEdit5;       // monthly payment
    CheckControl CheckBox1;                 // "Диф.платежи-равными частями"
    widgets::FloatSpinEditModel SpinEdit6;  // service fee
    std::string Label21;                    // caption of the fee field

    // "Ввод платежей"
    GroupBox GroupBox2;
    DatePicker DateTimePicker2;             // payment date
    widgets::FloatSpinEditModel SpinEdit4;  // payment amount
    CheckControl RadioButton1;              // "П+%"
    CheckControl RadioButton3{true};        // "П+%(вычет)"
    CheckControl RadioButton4;              // "АП"

    // Summary values (Label9 "Основной платеж", Label11 "Остаток", Label13 "Проценты на
    // дату платежа", Label15 "Полная сумма выплат", Label17 "Выплачено процентов",
    // Label19 "Опережение платежей").
    std::string Label9 = "0", Label11 = "0", Label13 = "0";
    std::string Label15 = "0", Label17 = "0", Label19 = "0";

    Button Button1{"Расчет"};
    Button Button2{"Режим ввода"};
    Button Button3{"Выход"};
    Button Button4{"Внести платеж", false};
    Button Button5{"Очистить таблицу", false};
    Button Button6{"Удалить платеж", false};

    // Menu marks.
    CheckControl N13{true};          // "Режим расчета (Универсальный)"
    CheckControl N16;                // "Режим ввода платежей (Сбербанк)"
    CheckControl N18{true};          // fee on the loan sum
    CheckControl N19;                // fee on the balance
    CheckControl A1;                 // fixed fee
    CheckControl N14;                // "Учитывать просрочку"
    CheckControl N12;                // "Показывать прогноз"
    CheckControl N20{false, false};  // "Параметры прогноза"

    loan::ScheduleTable StringGrid1;
    int SelectedRow = -1;  // the table's current row; -1 when no cell is selected
    // Counts the clearings of the table, so that a view shows a refilled table from its top.
    unsigned TableClearings = 0;

    ForecastSettingsForm Form3;

    // ---- Unit-level state ---------------------------------------------------------------
    int NextRow = 1;
    bool PaymentsModified = false;
    std::string CurrentFileName;  // the payment file last loaded or saved, without folder

    loan::ScaledAmount Loan = 0;
    std::int32_t TermMonths = 0;
    double Rate = 0;
    loan::ScaledAmount Balance = 0;
    loan::ScaledAmount Principal = 0;
    loan::ScaledAmount Interest = 0;
    loan::ScaledAmount PaymentPrincipal = 0;
    loan::ScaledAmount PaymentAdvance = 0;
    double MonthDistance = 0;

    bool WindowFitEnabled = false;
    int InitialGridHeight = 0;
    int WindowExtraHeight = 0;
    int PreviousRowCount = loan::ScheduleTable::kMinimumRowCount;

    // ---- Shared routines ------------------------------------------------------------
    std::string FormatMoney(loan::ScaledAmount amount) const;
    // Kept as running values beside the table: a payment added below the rows already summed
    // costs one step (see loan::RunningTotals).
    loan::ScaledAmount SumColumn(int column, int count);
    void ClearTable();
    void ClearGridSelection() { SelectedRow = -1; }
    bool SameMonth(const loan::Date& later, const loan::Date& earlier);
    void AdjustWindowToRows() { port_.adjustWindowToRows(); }
    void WriteHeaders(const loan::HeaderTexts& headers, std::initializer_list<int> columns);

    // ---- Start-up and closing ---------------------------------------------------------
    // The model's part of the first showing: caption and header row.
    void FormShow();
    // The save question; 6, 7 or 2.
    int AskSaveChanges();
    // The save question before a destructive operation; false when it was cancelled.
    bool ConfirmDiscardPayments();
    // The save question at closing; false keeps the window open.
    bool FormCloseQuery();

    // ---- Calculation mode --------------------------------------------------------------
    HandlerOutcome Button1Click();
    // The loan is not (fully) typed in: no sum, term or rate. A sum below zero counts as
    // none, since no schedule or payment can be made of it.
    bool LoanInputsMissing() const;

    // ---- Modes, menus and options ------------------------------------------------------
    void N13Click();
    void N16Click();
    void Button2Click();
    void N2Click();
    void Button5Click();
    void FullClear();
    // "Новый кредит" after its question: the table cleared, the loan inputs zeroed and open.
    void StartNewLoan();
    // Opens or locks the loan inputs (sum, rate, term, date received).
    void SwitchInputs(bool open);
    void ForgetLoadedFile();
    void RadioButtonAClick();
    void RadioButtonBClick();
    void N18Click();
    void N19Click();
    void A1Click();

    // ---- Payment register --------------------------------------------------------------
    // The interest due on the picked date; a date a payment could not have (before the loan
    // or the last payment) gets the payment's own refusal and no interest.
    void DateTimePicker2Change();
    HandlerOutcome Button4Click();
    HandlerOutcome Button6Click();
    void N14Click();
    void ComputeArrears(int rowCount, double monthlyPrincipal);
    // Label19's text for PaymentAdvance: a shortfall as "- " and its magnitude.
    void ShowPaymentAdvance();
    // The kind whose radio button is checked; none when no button is.
    std::optional<loan::PaymentKind> CheckedPaymentKind() const;

    // ---- Forecast -------------------------------------------------------------------------
    // Whether a build says that a fixed amount too small for a month was replaced there by
    // the regular one. Only the builds right after the settings dialog say it: the person
    // has just chosen the amount, and the rebuilds after each payment would repeat it.
    enum class ForecastNotice { Silent, ReportReplacedAmount };
    void BuildForecast(ForecastNotice notice = ForecastNotice::Silent);
    int CountPaymentMonths(int n);
    void N12Click();
    void N20Click();
    // Blanks every row from NextRow on (forecast rows, their totals, leftovers) and gives the
    // table back its size for the payments alone.
    void BlankRowsAfterPayments();

    // ---- Payment files and the last-loan file ------------------------------------------
    std::string ProgramPath;  // full path of the program file, set at program entry
    // Full path of the payment file last loaded or saved. CurrentFileName holds no folder,
    // so a save under that bare name (the save question) goes to this path instead of the
    // current folder.
    std::string CurrentFilePath;
    // Where crp1Click registers the file type; null means the desktop's own (XDG).
    storage::FileTypeRegistry* FileTypes = nullptr;

    // First showing: the last-loan file into the loan inputs. Throws for a date line that
    // is no date; the window then skips OpenCommandLineFile, as it does for any error here.
    void ReadLastLoanFile();
    // The first command-line argument, when its lower-cased text ends in its first ".crp",
    // is loaded from the path exactly as given.
    void OpenCommandLineFile(const std::vector<std::string>& arguments);
    // Closing: writes the last-loan file. Throws FileError when it cannot; the window shows
    // it and closes all the same, so that an unwritable folder cannot keep the program open.
    void FormClose();
    // Writes the payment file (temporary file, then rename): a failure throws FileError and
    // leaves an earlier file as it was. A file written becomes the current one
    // (CurrentFileName, CurrentFilePath and, in the payment-input mode, the caption).
    HandlerOutcome SaveFile(const std::string& path);
    // "Ссудомер 2.0 - [name] - режим ввода платежей" for CurrentFileName.
    void ShowFileInCaption();
    // Reads the whole file before anything changes: a file that cannot be read or does not
    // read as a loan and its payments throws FileError naming the file and the line, and
    // leaves the form as it was.
    void LoadPaymentFile(const std::string& path);
    // "Загрузить платежи...": the save question, the open dialog, then the load. The form
    // is cleared only for a file that loads; a cancel or a refused file changes nothing.
    void N3Click();
    HandlerOutcome N4Click();
    void crp1Click();

    // ---- Full cost of credit and the CSV export ----------------------------------------
    // "Полная стоимость кредита...": only in the calculation mode with a schedule computed.
    bool FullCostEnabled() const;
    void FullCostClick();
    // "Экспорт таблицы в CSV...", in either mode.
    void ExportCsvClick();

  private:
    // The save question and, after "Yes", the save; false when the question or the file
    // dialog was cancelled. A save that fails throws.
    bool answerSaveQuestion();
    bool savePaymentsAsAsked();
    LoadedPaymentFile readPaymentFile(const std::string& path) const;
    void applyPaymentFile(LoadedPaymentFile& file);
    // The interest preview; with `explainRefusal` false a refused date is not reported (the
    // preview that follows a load, for a date nobody picked).
    void previewInterest(bool explainRefusal);
    // The refusal a payment on `paymentDate` gets for its date, or null; `previous` is then
    // the date its interest runs from (the last payment's, or the loan's).
    const char* paymentDateRefusal(const loan::Date& paymentDate, loan::Date& previous) const;
    void showMessage(const std::string& caption, const std::string& text) {
        port_.showMessage(caption, text);
    }
    // Shows the refusal and returns it as the handler's outcome.
    HandlerOutcome refuse(const std::string& caption, const std::string& text) {
        showMessage(caption, text);
        return HandlerOutcome::Refused(caption, text);
    }
    void setSummaryLabels(const std::string& text);
    // Button1Click's steps: the inputs into the working values and the terms, the typed
    // payment that is not the annuity refused, the schedule into the table and the labels.
    loan::CalculationTerms startCalculation(double loanSum);
    HandlerOutcome refuseTypedPayment(const loan::CalculationSchedule& schedule);
    void showSchedule(const loan::CalculationSchedule& schedule);
    // BuildForecast after a payment is entered or deleted, its error shown but not passed on.
    void rebuildForecast();
    // Button4Click's steps: the overdue warnings, the typed amount, the row written.
    bool warnOfOverdue(bool firstPayment, const loan::Date& paymentDate,
                       const loan::Date& previousDate);
    std::optional<HandlerOutcome> readPaymentAmount(loan::PaymentKind kind);
    void recordPayment(loan::PaymentKind kind, const loan::Date& paymentDate,
                       loan::ScaledAmount balanceAfter, bool firstPayment);

    // The sums, the advance and the payment months of the rows at the top of the table.
    loan::RunningTotals runningTotals_;
};

}  // namespace app
