#include "gui/planner_window.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
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
#include "gui/planner_port.h"
#include "gui/spin_edit.h"
#include "gui/widget_factories.h"

namespace gui {

PlannerWindow::PlannerWindow(app::FormPort& messages, loan::Locale locale, QWidget* owner)
    : QWidget(owner, Qt::Window),
      port_(std::make_unique<PlannerPort>(messages)),
      planner_(*port_, std::move(locale)) {
    setObjectName("PlannerWindow");
    setWindowTitle(QString::fromUtf8(app::kPlannerCaption));
    setFont(WindowFont());

    auto* left = new QVBoxLayout;
    left->addWidget(buildLoan());
    left->addWidget(buildPrepayments());
    left->addWidget(buildRateChanges());
    left->addStretch(1);
    left->addLayout(buildPlanFileButtons());
    auto* commands = new QHBoxLayout;
    print_ = MakeButton("PrintButton", "Печать...");
    exportCsv_ = MakeButton("ExportCsvButton", "Экспорт в CSV...");
    QPushButton* close = MakeButton("CloseButton", "Закрыть");
    commands->addWidget(print_);
    commands->addWidget(exportCsv_);
    commands->addStretch(1);
    commands->addWidget(close);
    left->addLayout(commands);
    connect(print_, &QPushButton::clicked, this, &PlannerWindow::PrintClick);
    connect(exportCsv_, &QPushButton::clicked, this,
            [this] { run([this] { planner_.ExportCsvClick(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* leftPanel = new QWidget;
    leftPanel->setLayout(left);
    leftPanel->setFixedWidth(400);
    left->setContentsMargins(0, 0, 0, 0);

    auto* root = new QHBoxLayout(this);
    root->addWidget(leftPanel);
    root->addWidget(buildResults(), 1);
    resize(1220, 740);
    setMinimumSize(980, 640);
    refresh();
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
    grid->addWidget(differentiated_, 4, 0, 1, 2);
    grid->addWidget(equalPayments_, 5, 0, 1, 2);
    addSpin(makeSpin<TFloatSpinEdit>("PaymentEdit", planner_.Payment),
            "&Платеж по договору (0 - расчет)", 6);
    QPushButton* calculate = MakeButton("CalculateButton", "Рассчитать");
    grid->addWidget(calculate, 7, 1);
    grid->setColumnStretch(0, 1);

    auto* schemes = new QButtonGroup(group);
    schemes->addButton(differentiated_);
    schemes->addButton(equalPayments_);
    connect(differentiated_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.DifferentiatedClick(); }); });
    connect(equalPayments_, &QRadioButton::clicked, this,
            [this] { run([this] { planner_.EqualPaymentsClick(); }); });
    connect(loanDate_, &DateField::dateChanged, this,
            [this](const QDate& date) { planner_.LoanDate.Date = ToDate(date); });
    connect(calculate, &QPushButton::clicked, this,
            [this] { run([this] { planner_.Calculate(); }); });
    return group;
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

QWidget* PlannerWindow::buildPrepayments() {
    QGroupBox* group = MakeGroup("PrepaymentsGroup", "Досрочные погашения");
    auto* grid = new QGridLayout(group);
    prepayments_ =
        MakeEntryList("PrepaymentList", "Досрочные погашения", {"Дата", "Сумма", "Режим", "Повтор"});
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
    grid->addWidget(shortenTerm_, 2, 0, 1, 2);
    grid->addWidget(lowerPayment_, 2, 2, 1, 2);
    grid->addWidget(monthly_, 3, 0, 1, 2);

    grid->addLayout(listButtons("Prepayment",
                                {[this] { planner_.AddPrepaymentClick(); },
                                 [this] { planner_.ChangePrepaymentClick(); },
                                 [this] { planner_.RemovePrepaymentClick(); }},
                                changePrepayment_, removePrepayment_),
                    4, 0, 1, 4);

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

QWidget* PlannerWindow::buildRateChanges() {
    QGroupBox* group = MakeGroup("RateChangesGroup", "Изменения ставки");
    auto* grid = new QGridLayout(group);
    rateChanges_ = MakeEntryList("RateChangeList", "Изменения ставки", {"Дата", "Ставка, %"});
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
    notes_ = new QLabel;
    notes_->setObjectName("NotesLabel");
    notes_->setFont(LabelFont());
    notes_->setWordWrap(true);
    notes_->setStyleSheet("color: #8a1c1c");
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
    chart_->setMinimumHeight(240);
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
    results->setSizes({270, comparisonGroup->sizeHint().height(), 310});
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
    ShowCheck(differentiated_, planner_.Differentiated);
    ShowCheck(equalPayments_, planner_.EqualPayments);
    ShowCheck(shortenTerm_, planner_.ShortenTerm);
    ShowCheck(lowerPayment_, planner_.LowerPayment);
    ShowCheck(monthly_, planner_.Monthly);
    showLists();
    print_->setEnabled(planner_.HasPlan());
    exportCsv_->setEnabled(planner_.HasPlan());
    if (planner_.PlanGeneration() != shownGeneration_)
        showPlan();
}

void PlannerWindow::showLists() {
    ShowEntries(prepayments_, static_cast<int>(planner_.Prepayments().size()),
                planner_.SelectedPrepayment, [this](int i) { return planner_.PrepaymentTexts(i); });
    ShowEntries(rateChanges_, static_cast<int>(planner_.RateChanges().size()),
                planner_.SelectedRateChange, [this](int i) { return planner_.RateChangeTexts(i); });
    changePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    removePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    changeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
    removeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
}

void PlannerWindow::showPlan() {
    shownGeneration_ = planner_.PlanGeneration();
    tableModel_->reload();

    ShowComparison(comparison_, planner_.ComparisonTexts());

    QStringList notes;
    for (const std::string& refusal : planner_.Refusals())
        notes << QString::fromStdString(refusal);
    for (const std::string& note : planner_.Notes()) notes << QString::fromStdString(note);
    notes_->setText(notes.join('\n'));
    notes_->setVisible(!notes.isEmpty());

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
