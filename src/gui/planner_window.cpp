#include "gui/planner_window.h"

#include <algorithm>

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QSignalBlocker>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/main_form.h"
#include "chart/planner_chart.h"
#include "gui/comparison_table.h"
#include "gui/control_binding.h"
#include "gui/entry_list.h"
#include "gui/fonts.h"
#include "gui/plan_table_model.h"
#include "gui/planner_goal_panel.h"
#include "gui/planner_port.h"
#include "gui/spin_edit.h"
#include "gui/widget_factories.h"

namespace gui {

namespace {

constexpr int kLeftPanelWidth = 485;
constexpr int kCommandMargin = 9;
// The rows of the loan a little closer than a layout's default, and the shorter of the two
// lists, so that the window keeps to a 768-pixel screen.
constexpr int kLoanRowSpacing = 3;
constexpr int kShortListHeight = 62;
// The chart gives way to the plan's rows first.
constexpr int kChartMinimumHeight = 230;
// Below this width the content scrolls rather than squeeze the plan's and the comparison's
// columns.
constexpr int kContentMinimumWidth = 1260;

// The shift rules in the order of the combo's items.
constexpr std::array<loan::PaymentShift, 3> kShifts = {
    loan::PaymentShift::Next, loan::PaymentShift::Modified, loan::PaymentShift::None};

}  // namespace

PlannerWindow::PlannerWindow(app::FormPort& messages, loan::Locale locale, QWidget* owner)
    : QWidget(owner, Qt::Window),
      port_(std::make_unique<PlannerPort>(messages)),
      planner_(*port_, std::move(locale)) {
    setObjectName("PlannerWindow");
    setWindowTitle(QString::fromUtf8(app::kPlannerCaption));
    setFont(WindowFont());

    auto* left = new QVBoxLayout;
    left->addWidget(buildLoan());
    // The lists and the goal share one place, a tab each, so that the left column fits a
    // 768-pixel screen.
    goalPanel_ = new PlannerGoalPanel(planner_, [this](const auto& handler) { return run(handler); });
    auto* entries = new QTabWidget;
    entries->setObjectName("EntryTabs");
    for (QGroupBox* page : {buildPrepayments(), buildRateChanges(),
                            static_cast<QGroupBox*>(goalPanel_)}) {
        entries->addTab(page, page->title());
        page->setTitle(QString());
        page->setFlat(true);
    }
    left->addWidget(entries);
    left->addStretch(1);
    left->addLayout(buildPlanFileButtons());

    auto* leftPanel = new QWidget;
    leftPanel->setLayout(left);
    leftPanel->setFixedWidth(kLeftPanelWidth);
    left->setContentsMargins(0, 0, 0, 0);

    // The content scrolls in a window smaller than it.
    auto* content = new QWidget;
    content->setObjectName("PlannerContent");
    auto* columns = new QHBoxLayout(content);
    columns->addWidget(leftPanel);
    columns->addWidget(buildResults(), 1);
    content->setMinimumSize(kContentMinimumWidth, left->minimumSize().height());
    auto* scroll = new QScrollArea;
    scroll->setObjectName("PlannerScroll");
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The commands stay in sight below it.
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, kCommandMargin);
    root->setSpacing(0);
    root->addWidget(scroll);
    root->addLayout(buildCommands());
    resize(1340, 690);
    setMinimumSize(640, 480);
    refresh();
}

QLayout* PlannerWindow::buildCommands() {
    auto* commands = new QHBoxLayout;
    commands->setContentsMargins(kCommandMargin, 0, kCommandMargin, 0);
    print_ = MakeButton("PrintButton", "Печать...");
    exportCsv_ = MakeButton("ExportCsvButton", "Экспорт в CSV...");
    QPushButton* close = MakeButton("CloseButton", "Закрыть");
    commands->addWidget(print_);
    commands->addWidget(exportCsv_);
    commands->addStretch(1);
    commands->addWidget(close);
    connect(print_, &QPushButton::clicked, this, &PlannerWindow::PrintClick);
    connect(exportCsv_, &QPushButton::clicked, this,
            [this] { run([this] { planner_.ExportCsvClick(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return commands;
}

PlannerWindow::~PlannerWindow() {
    // The controls and views refer to the model, which goes before the base class deletes
    // its children: they go first.
    const QList<QWidget*> widgets = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QPointer<QWidget>& widget :
         QList<QPointer<QWidget>>(widgets.begin(), widgets.end())) {
        delete widget.data();
    }
}

template <class Spin, class Model>
Spin* PlannerWindow::makeSpin(const char* name, Model& model) {
    auto* spin = MakeSpin<Spin>(name, model);
    spins_.push_back(spin);
    return spin;
}

QWidget* PlannerWindow::buildLoan() {
    QGroupBox* group = MakeGroup("LoanGroup", "Кредит");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(kLoanRowSpacing);
    const auto addSpin = [&](SpinEditBase* spin, const char* caption, int row) {
        spin->setFixedWidth(120);
        grid->addWidget(MakeFieldLabel(caption, spin), row, 0);
        grid->addWidget(spin, row, 1);
    };
    addSpin(makeSpin<TFloatSpinEdit>("SumEdit", planner_.Sum), "&Сумма кредита", 0);
    addSpin(makeSpin<TFloatSpinEdit>("RateEdit", planner_.Rate), "Процентная &ставка, %", 1);
    addSpin(makeSpin<TSpinEdit>("TermEdit", planner_.Term), "Срок, &месяцев", 2);
    loanDate_ = MakeDateField("LoanDateEdit");
    grid->addWidget(MakeFieldLabel("&Дата получения кредита", loanDate_), 3, 0);
    grid->addWidget(loanDate_, 3, 1);
    differentiated_ = MakeCheck<QRadioButton>("DifferentiatedRadio", "Дифференцированные платежи");
    equalPayments_ = MakeCheck<QRadioButton>("EqualPaymentsRadio", "Платежи равными частями");
    // The schemes side by side, so that the window keeps to a 768-pixel screen.
    auto* schemeRow = new QHBoxLayout;
    schemeRow->addWidget(differentiated_);
    schemeRow->addWidget(equalPayments_);
    schemeRow->addStretch(1);
    grid->addLayout(schemeRow, 4, 0, 1, 2);
    addSpin(makeSpin<TFloatSpinEdit>("PaymentEdit", planner_.Payment),
            "&Платеж по договору (0 - расчет)", 5);
    buildPaymentDates(grid, 6);
    QPushButton* calculate = MakeButton("CalculateButton", "Рассчитать");
    grid->addWidget(calculate, 8, 1);
    grid->setColumnStretch(0, 1);

    auto* schemes = new QButtonGroup(group);
    schemes->addButton(differentiated_);
    schemes->addButton(equalPayments_);
    connect(differentiated_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.DifferentiatedClick(); }); });
    connect(equalPayments_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.EqualPaymentsClick(); }); });
    connect(loanDate_, &DateField::dateChanged, this,
            [this](const QDate& date) { run([&] { planner_.LoanDateChange(ToDate(date)); }); });
    connect(calculate, &QPushButton::clicked, this,
            [this] { run([this] { planner_.Calculate(); }); });
    return group;
}

void PlannerWindow::buildPaymentDates(QGridLayout* grid, int row) {
    shift_ = new QComboBox;
    shift_->setObjectName("ShiftCombo");
    shift_->setFont(InputFont());
    shift_->addItems({"на следующий рабочий день", "на следующий, в пределах месяца",
                      "не переносить"});
    // The field keeps to its column; the list shows the items whole.
    shift_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    shift_->setMinimumContentsLength(static_cast<int>(
        QString::fromUtf8("на следующий, в пределах месяца").size()));
    grid->addWidget(MakeFieldLabel("Перенос с &выходных", shift_), row, 0);
    grid->addWidget(shift_, row, 1);
    paymentDay_ = new QSpinBox;
    paymentDay_->setObjectName("PaymentDayEdit");
    paymentDay_->setFont(InputFont());
    paymentDay_->setRange(0, 31);
    paymentDay_->setSpecialValueText("как в дате кредита");
    paymentDay_->setToolTip("День месяца, на который приходятся платежи");
    grid->addWidget(MakeFieldLabel("Д&ень платежа", paymentDay_), row + 1, 0);
    grid->addWidget(paymentDay_, row + 1, 1);
    calendar_ = MakeButton("CalendarButton", "Производственный календарь...");
    calendar_->setEnabled(false);
    grid->addWidget(calendar_, row + 2, 0, Qt::AlignLeft);

    connect(shift_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(kShifts.size()))
            run([&] { planner_.ShiftChange(kShifts[static_cast<std::size_t>(index)]); });
    });
    connect(paymentDay_, &QSpinBox::valueChanged, this,
            [this](int day) { run([&] { planner_.PaymentDayChange(day); }); });
    connect(calendar_, &QPushButton::clicked, this, &PlannerWindow::CalendarClick);
}

void PlannerWindow::setCalendarEditor(std::function<bool()> editor) {
    calendarEditor_ = std::move(editor);
    calendar_->setEnabled(static_cast<bool>(calendarEditor_));
}

void PlannerWindow::CalendarClick() {
    if (calendarEditor_ && calendarEditor_())
        run([this] { planner_.CalendarEdited(); });
}

QLayout* PlannerWindow::listButtons(const char* kind,
                                    const std::array<std::function<void()>, 3>& handlers,
                                    QPushButton*& change, QPushButton*& remove) {
    auto* buttons = new QHBoxLayout;
    const std::array<const char*, 3> actions = {"Add", "Change", "Remove"};
    const std::array<const char*, 3> captions = {"Добавить", "Изменить", "Удалить"};
    std::array<QPushButton*, 3> made{};
    for (std::size_t i = 0; i < made.size(); ++i) {
        const std::string name = std::string(actions[i]) + kind + "Button";
        made[i] = MakeButton(name.c_str(), captions[i]);
        buttons->addWidget(made[i]);
        connect(made[i], &QPushButton::clicked, this,
                [this, handler = handlers[i]] { run(handler); });
    }
    change = made[1];
    remove = made[2];
    return buttons;
}

QGroupBox* PlannerWindow::buildPrepayments() {
    QGroupBox* group = MakeGroup("PrepaymentsGroup", "Досрочные погашения");
    auto* grid = new QGridLayout(group);
    prepayments_ =
        MakeEntryList("PrepaymentList", "Досрочные погашения",
                      {"Дата", "Сумма", "Режим", "Повтор", "Следующий\nплатеж"});
    grid->addWidget(prepayments_, 0, 0, 1, 4);

    prepaymentDate_ = MakeDateField("PrepaymentDateEdit");
    grid->addWidget(MakeFieldLabel("Д&ата", prepaymentDate_, "Дата досрочного погашения"), 1, 0);
    grid->addWidget(prepaymentDate_, 1, 1);
    auto* amount = makeSpin<TFloatSpinEdit>("PrepaymentAmountEdit", planner_.PrepaymentAmount);
    grid->addWidget(MakeFieldLabel("С&умма", amount, "Сумма досрочного погашения"), 1, 2);
    grid->addWidget(amount, 1, 3);
    shortenTerm_ = MakeCheck<QRadioButton>("ShortenTermRadio", "Сокращение срока");
    lowerPayment_ = MakeCheck<QRadioButton>("LowerPaymentRadio", "Уменьшение платежа");
    monthly_ = MakeCheck<QCheckBox>("MonthlyCheck", "Ежемесячно");
    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(shortenTerm_);
    modeRow->addWidget(lowerPayment_);
    modeRow->addWidget(monthly_);
    modeRow->addStretch(1);
    grid->addLayout(modeRow, 2, 0, 1, 4);

    grid->addLayout(listButtons("Prepayment",
                                {[this] { planner_.AddPrepaymentClick(); },
                                 [this] { planner_.ChangePrepaymentClick(); },
                                 [this] { planner_.RemovePrepaymentClick(); }},
                                changePrepayment_, removePrepayment_),
                    3, 0, 1, 4);

    auto* modes = new QButtonGroup(group);
    modes->addButton(shortenTerm_);
    modes->addButton(lowerPayment_);
    connect(shortenTerm_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.ShortenTermClick(); }); });
    connect(lowerPayment_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.LowerPaymentClick(); }); });
    connect(monthly_, &QCheckBox::toggled, this,
            [this](bool checked) { planner_.Monthly.Checked = checked; });
    connect(prepaymentDate_, &DateField::dateChanged, this,
            [this](const QDate& date) { planner_.PrepaymentDate.Date = ToDate(date); });
    connect(prepayments_, &QTreeWidget::itemSelectionChanged, this,
            [this] { run([this] { planner_.SelectPrepayment(SelectedEntry(prepayments_)); }); });
    return group;
}

QGroupBox* PlannerWindow::buildRateChanges() {
    QGroupBox* group = MakeGroup("RateChangesGroup", "Изменения ставки");
    auto* grid = new QGridLayout(group);
    rateChanges_ = MakeEntryList("RateChangeList", "Изменения ставки", {"Дата", "Ставка, %"});
    // Rate changes are few: two rows in sight leave the room to the prepayments.
    rateChanges_->setMinimumHeight(kShortListHeight);
    grid->addWidget(rateChanges_, 0, 0, 1, 4);

    rateChangeDate_ = MakeDateField("RateChangeDateEdit");
    grid->addWidget(MakeFieldLabel("Да&та", rateChangeDate_, "Дата изменения ставки"), 1, 0);
    grid->addWidget(rateChangeDate_, 1, 1);
    auto* rate = makeSpin<TFloatSpinEdit>("RateChangeRateEdit", planner_.RateChangeRate);
    grid->addWidget(MakeFieldLabel("&Новая ставка, %", rate), 1, 2);
    grid->addWidget(rate, 1, 3);

    grid->addLayout(listButtons("RateChange",
                                {[this] { planner_.AddRateChangeClick(); },
                                 [this] { planner_.ChangeRateChangeClick(); },
                                 [this] { planner_.RemoveRateChangeClick(); }},
                                changeRateChange_, removeRateChange_),
                    2, 0, 1, 4);

    connect(rateChangeDate_, &DateField::dateChanged, this,
            [this](const QDate& date) { planner_.RateChangeDate.Date = ToDate(date); });
    connect(rateChanges_, &QTreeWidget::itemSelectionChanged, this,
            [this] { run([this] { planner_.SelectRateChange(SelectedEntry(rateChanges_)); }); });
    return group;
}

QWidget* PlannerWindow::buildResults() {
    QGroupBox* planGroup = MakeGroup("PlanGroup", "План погашения");
    auto* planLayout = new QVBoxLayout(planGroup);
    tableModel_ = new PlanTableModel(planner_, this);
    table_ = new QTableView;
    table_->setObjectName("PlanTable");
    table_->setAccessibleName("План погашения");
    table_->setFont(WindowFont());
    table_->setModel(tableModel_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(20);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    planLayout->addWidget(table_);
    // Entries refused are errors, in red; what the plan left out or assumed is information.
    refusals_ = new QLabel;
    refusals_->setObjectName("RefusalsLabel");
    refusals_->setFont(LabelFont());
    refusals_->setWordWrap(true);
    refusals_->setStyleSheet("color: #8a1c1c");
    planLayout->addWidget(refusals_);
    notes_ = new QLabel;
    notes_->setObjectName("NotesLabel");
    notes_->setFont(LabelFont());
    notes_->setWordWrap(true);
    planLayout->addWidget(notes_);

    QGroupBox* comparisonGroup = MakeGroup("ComparisonGroup", "Сравнение вариантов");
    auto* comparisonLayout = new QVBoxLayout(comparisonGroup);
    comparison_ = MakeComparisonTable();
    comparisonLayout->addWidget(comparison_);
    FitComparisonHeight(comparison_);

    QGroupBox* chartGroup = MakeGroup("ChartGroup", "Остаток кредита");
    auto* chartLayout = new QVBoxLayout(chartGroup);
    chart_ = new QChartView;
    chart_->setObjectName("BalanceChart");
    chart_->setAccessibleName("График остатка кредита по вариантам");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumHeight(kChartMinimumHeight);
    chartLayout->addWidget(chart_);

    auto* results = new QSplitter(Qt::Vertical);
    results->setObjectName("ResultSplitter");
    results->addWidget(planGroup);
    results->addWidget(comparisonGroup);
    results->addWidget(chartGroup);
    results->setStretchFactor(0, 4);
    results->setStretchFactor(1, 0);
    results->setStretchFactor(2, 3);
    results->setCollapsible(1, false);
    results->setSizes({300, comparisonGroup->sizeHint().height(), 260});
    return results;
}

void PlannerWindow::Open(const app::MainForm& form) {
    // A plan opened from a file keeps its own loan.
    if (planner_.PlanFilePath().empty()) {
        run([this, &form] { planner_.TakeLoanFrom(form); });
    } else {
        run([this] { planner_.CalculateIfComplete(); });
    }
    show();
    raise();
    activateWindow();
}

bool PlannerWindow::run(const std::function<void()>& handler) {
    const bool completed = planner_.RunHandler(handler);
    refresh();
    return completed;
}

void PlannerWindow::refresh() {
    setWindowTitle(QString::fromStdString(planner_.Caption()));
    for (SpinEditBase* spin : spins_) spin->refresh();
    ShowDate(loanDate_, planner_.LoanDate);
    ShowDate(prepaymentDate_, planner_.PrepaymentDate);
    ShowDate(rateChangeDate_, planner_.RateChangeDate);
    {
        const QSignalBlocker quiet(paymentDay_);
        paymentDay_->setValue(planner_.PaymentDay.Value());
    }
    shift_->setCurrentIndex(static_cast<int>(
        std::find(kShifts.begin(), kShifts.end(), planner_.Shift) - kShifts.begin()));
    ShowCheck(differentiated_, planner_.Differentiated);
    ShowCheck(equalPayments_, planner_.EqualPayments);
    ShowCheck(shortenTerm_, planner_.ShortenTerm);
    ShowCheck(lowerPayment_, planner_.LowerPayment);
    ShowCheck(monthly_, planner_.Monthly);
    showLists();
    goalPanel_->refresh();
    print_->setEnabled(planner_.HasPlan());
    exportCsv_->setEnabled(planner_.HasPlan());
    if (planner_.PlanGeneration() != shownGeneration_)
        showPlan();
}

void PlannerWindow::showLists() {
    ShowEntries(prepayments_, planner_.PrepaymentOrder(), planner_.SelectedPrepayment,
                [this](int i) {
                    const std::array<std::string, 4> texts = planner_.PrepaymentTexts(i);
                    return std::array<std::string, 5>{texts[0], texts[1], texts[2], texts[3],
                                                      planner_.NextPaymentText(i)};
                });
    ShowEntries(rateChanges_,
                EntriesInOrder(static_cast<int>(planner_.RateChanges().size())),
                planner_.SelectedRateChange, [this](int i) { return planner_.RateChangeTexts(i); });
    changePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    removePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    changeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
    removeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
}

void PlannerWindow::showPlan() {
    shownGeneration_ = planner_.PlanGeneration();
    tableModel_->reload();

    ShowComparison(comparison_, planner_.ComparisonLines());

    const auto showLines = [](QLabel* label, const std::vector<std::string>& lines) {
        QStringList texts;
        for (const std::string& line : lines) texts << QString::fromStdString(line);
        label->setText(texts.join('\n'));
        label->setVisible(!texts.isEmpty());
    };
    showLines(refusals_, planner_.Refusals());
    showLines(notes_, planner_.Notes());

    QChart* old = chart_->chart();
    chart_->setChart(MakeBalanceChart(planner_));
    delete old;
}

void PlannerWindow::PrintClick() {
    if (!printWindow_) {
        printWindow_ = new TForm2(PlanDocumentMaker(planner_), this);
    }
    printWindow_->exec();
}

}  // namespace gui
