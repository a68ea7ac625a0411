#include "gui/planner_window.h"

#include <QAbstractTableModel>
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
#include "gui/control_binding.h"
#include "gui/fonts.h"
#include "chart/planner_chart.h"
#include "printouts/planner_pages.h"
#include "gui/print_window.h"
#include "gui/qt_form_port.h"
#include "gui/spin_edit.h"

namespace gui {

namespace {

constexpr const char* kExportTitle = "Экспорт плана в CSV";
constexpr const char* kExportName = "план погашения.csv";

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The planner's way to the person: the main window's message boxes and a save dialog of its
// own for the export.
class PlannerPort : public app::FormPort {
  public:
    explicit PlannerPort(app::FormPort& messages) : messages_(messages) {}

    void showMessage(const std::string& caption, const std::string& message) override {
        messages_.showMessage(caption, message);
    }
    app::DialogAnswer askYesNoCancel(const std::string& caption,
                                     const std::string& question) override {
        return messages_.askYesNoCancel(caption, question);
    }
    std::optional<std::string> chooseCsvFileToSave() override {
        return ChooseCsvFileToSave(kExportTitle, kExportName, folder_);
    }
    loan::Date today() const override { return messages_.today(); }

  private:
    app::FormPort& messages_;
    QString folder_;  // the dialog opens where the last file went
};

// The printed plan in the planner's print window.
class PlanDocument : public PrintedDocument {
  public:
    PlanDocument(const app::PlannerForm& planner, print::TPvPageList& pages)
        : planner_(planner), pages_(pages) {}
    void Build() override { pages_.Build(planner_); }

  private:
    const app::PlannerForm& planner_;
    PlannerPages pages_;
};

// "Последний платеж" becomes two lines, broken at the blank nearest the middle.
QString twoLines(const char* caption) {
    QString title = QString::fromUtf8(caption);
    int best = -1;
    for (int i = 0; i < title.size(); ++i) {
        if (title[i] == ' ' &&
            (best < 0 || std::abs(i - title.size() / 2) < std::abs(best - title.size() / 2)))
            best = i;
    }
    if (best >= 0)
        title[best] = '\n';
    return title;
}

QGroupBox* makeGroup(const char* name, const char* caption) {
    auto* group = new QGroupBox(QString::fromUtf8(caption));
    group->setObjectName(name);
    group->setFont(GroupFont());
    return group;
}

// A caption for `field`; screen readers announce the field by it, or by `spokenName` where
// the caption alone would not tell two fields apart.
QLabel* makeLabel(const char* caption, QWidget* field, const char* spokenName = nullptr) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setFont(LabelFont());
    label->setBuddy(field);
    field->setAccessibleName(spokenName ? QString::fromUtf8(spokenName)
                                        : QString::fromUtf8(caption).remove('&'));
    return label;
}

DateField* makeDate(const char* name) {
    auto* picker = new DateField;
    picker->setObjectName(name);
    return picker;
}

template <class Check>
Check* makeCheck(const char* name, const char* caption) {
    auto* check = new Check(QString::fromUtf8(caption));
    check->setObjectName(name);
    check->setFont(LabelFont());
    return check;
}

QPushButton* makeButton(const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QTreeWidget* makeList(const char* name, const char* accessibleName, const QStringList& columns) {
    auto* list = new QTreeWidget;
    list->setObjectName(name);
    list->setAccessibleName(QString::fromUtf8(accessibleName));
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setStretchLastSection(true);
    list->header()->setMinimumSectionSize(40);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setMinimumHeight(84);
    return list;
}

void showEntries(QTreeWidget* list, int count, int selected,
                 const std::function<QStringList(int)>& texts) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (int i = 0; i < count; ++i) list->addTopLevelItem(new QTreeWidgetItem(texts(i)));
    if (selected >= 0 && selected < count)
        list->setCurrentItem(list->topLevelItem(selected));
    else
        list->clearSelection();
    for (int column = 0; column + 1 < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

int selectedEntry(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> chosen = list->selectedItems();
    return chosen.isEmpty() ? -1 : list->indexOfTopLevelItem(chosen.front());
}

}  // namespace

PrintedDocumentMaker PlanDocumentMaker(const app::PlannerForm& planner) {
    return [&planner](print::TPvPageList& pages) {
        return std::make_unique<PlanDocument>(planner, pages);
    };
}

// The plan's table: row 0 of the planner's table is the header, the prepayment rows tinted,
// the totals row in bold.
class PlanTableModel : public QAbstractTableModel {
  public:
    explicit PlanTableModel(const app::PlannerForm& planner, QObject* parent)
        : QAbstractTableModel(parent), planner_(planner) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(0, planner_.Table().rowCount() - 1);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : loan::ScheduleTable::kColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const int row = index.row() + 1;
        switch (role) {
            case Qt::DisplayRole:
                return text(planner_.Table().cell(index.column(), row));
            case Qt::TextAlignmentRole:
                return QVariant::fromValue(Qt::AlignCenter);
            case Qt::BackgroundRole:
                if (planner_.RowKind(row) == loan::PlanRowKind::Prepayment)
                    return QColor(kPrepaymentRowRgb[0], kPrepaymentRowRgb[1], kPrepaymentRowRgb[2]);
                return {};
            case Qt::FontRole:
                if (isTotals(row)) {
                    QFont bold = WindowFont();
                    bold.setBold(true);
                    return bold;
                }
                return {};
            default:
                return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return text(planner_.Table().cell(section, 0));
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void reload() {
        beginResetModel();
        endResetModel();
    }

  private:
    bool isTotals(int row) const { return row == planner_.Table().rowCount() - 1; }

    const app::PlannerForm& planner_;
};

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
    auto* commands = new QHBoxLayout;
    print_ = makeButton("PrintButton", "Печать...");
    exportCsv_ = makeButton("ExportCsvButton", "Экспорт в CSV...");
    QPushButton* close = makeButton("CloseButton", "Закрыть");
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

QWidget* PlannerWindow::buildLoan() {
    QGroupBox* group = makeGroup("LoanGroup", "Кредит");
    auto* grid = new QGridLayout(group);
    const auto addSpin = [&](auto* spin, const char* name, const char* caption, int row) {
        spin->setObjectName(name);
        spin->setFont(InputFont());
        spin->setFixedWidth(120);
        spins_.push_back(spin);
        grid->addWidget(makeLabel(caption, spin), row, 0);
        grid->addWidget(spin, row, 1);
    };
    addSpin(new TFloatSpinEdit(planner_.Sum), "SumEdit", "&Сумма кредита", 0);
    addSpin(new TFloatSpinEdit(planner_.Rate), "RateEdit", "Процентная &ставка, %", 1);
    addSpin(new TSpinEdit(planner_.Term), "TermEdit", "Срок, &месяцев", 2);
    loanDate_ = makeDate("LoanDateEdit");
    grid->addWidget(makeLabel("&Дата получения кредита", loanDate_), 3, 0);
    grid->addWidget(loanDate_, 3, 1);
    differentiated_ = makeCheck<QRadioButton>("DifferentiatedRadio", "Дифференцированные платежи");
    equalPayments_ = makeCheck<QRadioButton>("EqualPaymentsRadio", "Платежи равными частями");
    grid->addWidget(differentiated_, 4, 0, 1, 2);
    grid->addWidget(equalPayments_, 5, 0, 1, 2);
    addSpin(new TFloatSpinEdit(planner_.Payment), "PaymentEdit", "&Платеж по договору (0 - расчет)",
            6);
    QPushButton* calculate = makeButton("CalculateButton", "Рассчитать");
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
        made[i] = makeButton(name.c_str(), captions[i]);
        buttons->addWidget(made[i]);
        connect(made[i], &QPushButton::clicked, this,
                [this, handler = handlers[i]] { run(handler); });
    }
    change = made[1];
    remove = made[2];
    return buttons;
}

QWidget* PlannerWindow::buildPrepayments() {
    QGroupBox* group = makeGroup("PrepaymentsGroup", "Досрочные погашения");
    auto* grid = new QGridLayout(group);
    prepayments_ =
        makeList("PrepaymentList", "Досрочные погашения", {"Дата", "Сумма", "Режим", "Повтор"});
    grid->addWidget(prepayments_, 0, 0, 1, 4);

    prepaymentDate_ = makeDate("PrepaymentDateEdit");
    grid->addWidget(makeLabel("Д&ата", prepaymentDate_, "Дата досрочного погашения"), 1, 0);
    grid->addWidget(prepaymentDate_, 1, 1);
    auto* amount = new TFloatSpinEdit(planner_.PrepaymentAmount);
    amount->setObjectName("PrepaymentAmountEdit");
    amount->setFont(InputFont());
    spins_.push_back(amount);
    grid->addWidget(makeLabel("С&умма", amount, "Сумма досрочного погашения"), 1, 2);
    grid->addWidget(amount, 1, 3);
    shortenTerm_ = makeCheck<QRadioButton>("ShortenTermRadio", "Сокращение срока");
    lowerPayment_ = makeCheck<QRadioButton>("LowerPaymentRadio", "Уменьшение платежа");
    monthly_ = makeCheck<QCheckBox>("MonthlyCheck", "Ежемесячно");
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
            [this] { run([this] { planner_.SelectPrepayment(selectedEntry(prepayments_)); }); });
    return group;
}

QWidget* PlannerWindow::buildRateChanges() {
    QGroupBox* group = makeGroup("RateChangesGroup", "Изменения ставки");
    auto* grid = new QGridLayout(group);
    rateChanges_ = makeList("RateChangeList", "Изменения ставки", {"Дата", "Ставка, %"});
    grid->addWidget(rateChanges_, 0, 0, 1, 4);

    rateChangeDate_ = makeDate("RateChangeDateEdit");
    grid->addWidget(makeLabel("Да&та", rateChangeDate_, "Дата изменения ставки"), 1, 0);
    grid->addWidget(rateChangeDate_, 1, 1);
    auto* rate = new TFloatSpinEdit(planner_.RateChangeRate);
    rate->setObjectName("RateChangeRateEdit");
    rate->setFont(InputFont());
    spins_.push_back(rate);
    grid->addWidget(makeLabel("&Новая ставка, %", rate), 1, 2);
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
            [this] { run([this] { planner_.SelectRateChange(selectedEntry(rateChanges_)); }); });
    return group;
}

QWidget* PlannerWindow::buildResults() {
    QGroupBox* planGroup = makeGroup("PlanGroup", "План погашения");
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

    QGroupBox* comparisonGroup = makeGroup("ComparisonGroup", "Сравнение вариантов");
    auto* comparisonLayout = new QVBoxLayout(comparisonGroup);
    comparison_ = new QTableWidget(4, static_cast<int>(app::kComparisonHeaders.size()));
    comparison_->setObjectName("ComparisonTable");
    comparison_->setAccessibleName("Сравнение вариантов");
    comparison_->setFont(WindowFont());
    QStringList headers;
    for (const char* header : app::kComparisonHeaders) headers << twoLines(header);
    comparison_->setHorizontalHeaderLabels(headers);
    comparison_->verticalHeader()->hide();
    comparison_->verticalHeader()->setDefaultSectionSize(20);
    comparison_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    comparison_->setSelectionBehavior(QAbstractItemView::SelectRows);
    comparison_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The variant's name and the payments "A / A'" are shown whole.
    comparison_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    comparison_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    comparison_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    comparison_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    comparisonLayout->addWidget(comparison_);
    comparison_->setFixedHeight(comparison_->horizontalHeader()->sizeHint().height() + 4 * 20 + 4);

    QGroupBox* chartGroup = makeGroup("ChartGroup", "Остаток кредита");
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
    run([this, &form] { planner_.TakeLoanFrom(form); });
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
    showEntries(prepayments_, static_cast<int>(planner_.Prepayments().size()),
                planner_.SelectedPrepayment, [this](int i) {
                    QStringList texts;
                    for (const std::string& cell : planner_.PrepaymentTexts(i)) texts << text(cell);
                    return texts;
                });
    showEntries(rateChanges_, static_cast<int>(planner_.RateChanges().size()),
                planner_.SelectedRateChange, [this](int i) {
                    QStringList texts;
                    for (const std::string& cell : planner_.RateChangeTexts(i)) texts << text(cell);
                    return texts;
                });
    changePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    removePrepayment_->setEnabled(planner_.SelectedPrepayment >= 0);
    changeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
    removeRateChange_->setEnabled(planner_.SelectedRateChange >= 0);
}

void PlannerWindow::showPlan() {
    shownGeneration_ = planner_.PlanGeneration();
    tableModel_->reload();

    const std::array<app::ComparisonRow, 4> rows = planner_.ComparisonTexts();
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < comparison_->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(
                text(rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignCenter);
            if (row == 0) {
                QFont bold = WindowFont();
                bold.setBold(true);
                item->setFont(bold);
            }
            comparison_->setItem(row, column, item);
        }
    }

    QStringList notes;
    for (const std::string& refusal : planner_.Refusals()) notes << text(refusal);
    for (const std::string& note : planner_.Notes()) notes << text(note);
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
