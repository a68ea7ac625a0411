// The controls of the main window at their designed places (pixels at 96 dots per inch)
// and the wiring of each to the main form.

#include <algorithm>

#include <QDate>
#include <QFontMetrics>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/control_binding.h"
#include "gui/fonts.h"
#include "gui/main_window.h"
#include "gui/widget_factories.h"

namespace gui {

namespace {

constexpr int kClientWidth = 659;
constexpr int kClientHeight = 489;
constexpr int kStatusBarHeight = 19;

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
    QLabel* label = MakeLabel(caption, parent);
    label->setObjectName(name);
    label->adjustSize();
    label->move(left, top);
    return label;
}

// A summary value, right-aligned in the box from `left` to `right` on its caption's line.
QLabel* makeValue(QWidget* parent, const char* name, const QLabel* caption, int left,
                  int right) {
    auto* label = new QLabel("0", parent);
    label->setObjectName(name);
    label->setFont(LabelFont());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(left, caption->y(), right - left, 16);
    return label;
}

// A figure is shown whole: one wider than its box (only the largest totals are) is written
// in a smaller size of the same font.
void showValue(QLabel* label, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    QFont font = LabelFont();
    constexpr int kSmallestPixels = 6;
    while (font.pixelSize() > kSmallestPixels &&
           QFontMetrics(font).horizontalAdvance(shown) > label->width()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
    label->setText(shown);
}

QGroupBox* makeGroup(QWidget* parent, const char* name, const char* caption, QRect place) {
    QGroupBox* group = MakeGroup(name, caption, parent);
    group->setGeometry(place);
    group->setAutoFillBackground(true);  // opaque: the payment entry covers the options
    return group;
}

template <class Spin, class Model>
Spin* makeSpin(QWidget* parent, const char* name, Model& model, QRect place) {
    auto* spin = MakeSpin<Spin>(name, model, parent);
    spin->setGeometry(place);
    return spin;
}

DateField* makeDatePicker(QWidget* parent, const char* name, QRect place) {
    DateField* picker = MakeDateField(name, parent);
    picker->setGeometry(place);
    return picker;
}

// A command at its place in the column of buttons at the right.
QPushButton* makeButton(QWidget* parent, const char* name, const std::string& caption, int top) {
    QPushButton* button = MakeButton(name, caption, parent);
    button->setFont(WindowFont());
    button->setGeometry(540, top, 105, 30);
    return button;
}

void makeBevel(QWidget* parent, int top) {
    auto* bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Raised);
    bevel->setGeometry(540, top, 105, 2);
}

}  // namespace

void MainWindow::buildControls() {
    setFont(WindowFont());
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    setCentralWidget(client_);

    buildLoanGroup();
    buildCalculationGroup();
    buildPaymentGroup();
    buildSummaryGroup();
    buildButtons();
    buildTablePanel();
    buildStatusBar();

    resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

// "Данные по кредиту".
void MainWindow::buildLoanGroup() {
    GroupBox1 = makeGroup(client_, "GroupBox1", "Данные по кредиту", {8, 0, 281, 163});
    // Each input is named by its label, for screen readers as for the eye.
    QLabel* label = makeLabel(GroupBox1, "Label1", "Сумма кредита", 8, 23);
    SpinEdit1 =
        makeSpin<TFloatSpinEdit>(GroupBox1, "SpinEdit1", form_.SpinEdit1, {165, 18, 90, 26});
    label->setBuddy(SpinEdit1);
    label = makeLabel(GroupBox1, "Label2", "Процентная ставка", 8, 58);
    SpinEdit2 =
        makeSpin<TFloatSpinEdit>(GroupBox1, "SpinEdit2", form_.SpinEdit2, {165, 54, 90, 24});
    label->setBuddy(SpinEdit2);
    makeLabel(GroupBox1, "Label5", "%", 260, 58);
    label = makeLabel(GroupBox1, "Label3", "Дата получения кредита", 8, 94);
    DateTimePicker1 = makeDatePicker(GroupBox1, "DateTimePicker1", {165, 90, 90, 23});
    label->setBuddy(DateTimePicker1);
    label = makeLabel(GroupBox1, "Label4", "Срок погашения (мес)", 8, 131);
    SpinEdit3 = makeSpin<TSpinEdit>(GroupBox1, "SpinEdit3", form_.SpinEdit3, {165, 127, 90, 24});
    label->setBuddy(SpinEdit3);
}

// "Как будем считать... ".
void MainWindow::buildCalculationGroup() {
    GroupBox4 = makeGroup(client_, "GroupBox4", "Как будем считать... ", {296, 0, 233, 163});
    RadioButtonA =
        MakeCheck<QRadioButton>(GroupBox4, "RadioButtonA", "Дифференцированные платежи", 8, 24);
    RadioButtonB =
        MakeCheck<QRadioButton>(GroupBox4, "RadioButtonB", "Платежи равными частями", 8, 53);
    QLabel* label = makeLabel(GroupBox4, "Label20", "Сумма:", 80, 83);
    SpinEdit5 = makeSpin<TSpinEdit>(GroupBox4, "SpinEdit5", form_.SpinEdit5, {130, 79, 90, 24});
    label->setBuddy(SpinEdit5);
    CheckBox1 = MakeCheck<QCheckBox>(GroupBox4, "CheckBox1", "Диф.платежи-равными частями", 8, 111);
    Label21 = makeLabel(GroupBox4, "Label21", "Обслуживание (%):", 8, 139);
    SpinEdit6 =
        makeSpin<TFloatSpinEdit>(GroupBox4, "SpinEdit6", form_.SpinEdit6, {130, 135, 90, 24});
    Label21->setBuddy(SpinEdit6);  // its caption follows the fee basis, and so does the name
}

// "Ввод платежей", over the calculation options.
void MainWindow::buildPaymentGroup() {
    // The payment entry covers the calculation options when it is shown.
    GroupBox2 = makeGroup(client_, "GroupBox2", "Ввод платежей", {296, 0, 233, 163});
    QLabel* label = makeLabel(GroupBox2, "Label6", "Дата платежа", 8, 24);
    DateTimePicker2 = makeDatePicker(GroupBox2, "DateTimePicker2", {130, 20, 90, 23});
    label->setBuddy(DateTimePicker2);
    label = makeLabel(GroupBox2, "Label7", "Сумма платежа", 8, 54);
    SpinEdit4 =
        makeSpin<TFloatSpinEdit>(GroupBox2, "SpinEdit4", form_.SpinEdit4, {130, 50, 90, 24});
    label->setBuddy(SpinEdit4);
    RadioButton1 =
        MakeCheck<QRadioButton>(GroupBox2, "RadioButton1", "Платеж + % (без вычета из СП)", 8, 82);
    RadioButton1->setToolTip(
        "Платеж равен сумме  введенного платежа ,проценты расчитываются дополнительно...");
    RadioButton3 =
        MakeCheck<QRadioButton>(GroupBox2, "RadioButton3", "Платеж + % (с вычетом из СП)", 8, 108);
    RadioButton3->setToolTip(
        "Введенный платеж разбивается на основной платеж и проценты на дату платежа...");
    RadioButton4 =
        MakeCheck<QRadioButton>(GroupBox2, "RadioButton4", "Автоматический платеж", 8, 134);
    RadioButton4->setToolTip("В этом режиме производится стандартный платеж");
    GroupBox2->raise();
}

// "Расчетная информация по платежам": each value right of its caption.
void MainWindow::buildSummaryGroup() {
    GroupBox3 =
        makeGroup(client_, "GroupBox3", "Расчетная информация по платежам", {8, 163, 521, 96});
    // The values of a column share the room right of its widest caption.
    constexpr int kRightColumn = 268;
    const QLabel* captions[] = {
        makeLabel(GroupBox3, "Label14", "Полная сумма выплат", 8, 22),
        makeLabel(GroupBox3, "Label16", "Выплачено процентов", 8, 46),
        makeLabel(GroupBox3, "Label10", "Остаток", 8, 70),
        makeLabel(GroupBox3, "Label8", "Основной платеж", kRightColumn, 22),
        makeLabel(GroupBox3, "Label12", "Проценты на дату платежа", kRightColumn, 46),
        makeLabel(GroupBox3, "Label18", "\"Опережение\" платежей", kRightColumn, 70)};
    const auto valuesLeft = [&](int first) {
        constexpr int kGap = 6;
        int right = 0;
        for (int i = first; i < first + 3; ++i) right = std::max(right, captions[i]->geometry().right());
        return right + 1 + kGap;
    };
    const int leftFrom = valuesLeft(0);
    const int leftTo = kRightColumn - 10;
    const int rightFrom = valuesLeft(3);
    const int rightTo = GroupBox3->width() - 6;
    Label15 = makeValue(GroupBox3, "Label15", captions[0], leftFrom, leftTo);
    Label17 = makeValue(GroupBox3, "Label17", captions[1], leftFrom, leftTo);
    Label11 = makeValue(GroupBox3, "Label11", captions[2], leftFrom, leftTo);
    Label9 = makeValue(GroupBox3, "Label9", captions[3], rightFrom, rightTo);
    Label13 = makeValue(GroupBox3, "Label13", captions[4], rightFrom, rightTo);
    Label19 = makeValue(GroupBox3, "Label19", captions[5], rightFrom, rightTo);
}

// The buttons down the right edge.
void MainWindow::buildButtons() {
    Button2 = makeButton(client_, "Button2", form_.Button2.Caption, 8);
    Button1 = makeButton(client_, "Button1", form_.Button1.Caption, 48);
    makeBevel(client_, 88);
    Button4 = makeButton(client_, "Button4", form_.Button4.Caption, 97);
    Button6 = makeButton(client_, "Button6", form_.Button6.Caption, 137);
    makeBevel(client_, 176);
    Button5 = makeButton(client_, "Button5", form_.Button5.Caption, 187);
    Button3 = makeButton(client_, "Button3", form_.Button3.Caption, 227);
}

// The schedule grid on its sunken panel.
void MainWindow::buildTablePanel() {
    Panel1 = new QFrame(client_);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(5, 262, 647, 206);
    auto* panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    StringGrid1 = new ScheduleGrid(form_, Panel1);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setAccessibleName("Таблица платежей");
    panelLayout->addWidget(StringGrid1);
    // The panel keeps its distance to the bottom edge: it takes every change of height.
    panelBottomMargin_ = kClientHeight - kStatusBarHeight - (262 + 206);
    client_->installEventFilter(this);
}

// The notice in the status bar.
void MainWindow::buildStatusBar() {
    statusNotice_ = new QLabel(statusBar());
    statusNotice_->setObjectName("StatusBar1");
    statusNotice_->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(statusNotice_, 1);
    statusBar()->setFixedHeight(kStatusBarHeight);
}

void MainWindow::placePanel() {
    const QRect place = Panel1->geometry();
    Panel1->setGeometry(place.left(), place.top(), place.width(),
                        std::max(0, client_->height() - place.top() - panelBottomMargin_));
}

void MainWindow::connectControls() {
    connect(Button1, &QPushButton::clicked, this,
            [this] { run([this] { form_.Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { run([this] { form_.Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this, &QWidget::close);
    connect(Button4, &QPushButton::clicked, this,
            [this] { run([this] { form_.Button4Click(); }); });
    connect(Button5, &QPushButton::clicked, this,
            [this] { run([this] { form_.Button5Click(); }); });
    connect(Button6, &QPushButton::clicked, this,
            [this] { run([this] { form_.Button6Click(); }); });

    connect(RadioButtonA, &QRadioButton::clicked, this,
            [this] { run([this] { form_.RadioButtonAClick(); }); });
    connect(RadioButtonB, &QRadioButton::clicked, this,
            [this] { run([this] { form_.RadioButtonBClick(); }); });
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this](bool checked) { form_.CheckBox1.Checked = checked; });

    const auto choosePaymentKind = [this](app::CheckControl& chosen) {
        form_.RadioButton1.Checked = form_.RadioButton3.Checked = form_.RadioButton4.Checked =
            false;
        chosen.Checked = true;
    };
    connect(RadioButton1, &QRadioButton::clicked, this,
            [this, choosePaymentKind] { choosePaymentKind(form_.RadioButton1); });
    connect(RadioButton3, &QRadioButton::clicked, this,
            [this, choosePaymentKind] { choosePaymentKind(form_.RadioButton3); });
    connect(RadioButton4, &QRadioButton::clicked, this,
            [this, choosePaymentKind] { choosePaymentKind(form_.RadioButton4); });

    connect(DateTimePicker1, &DateField::dateChanged, this,
            [this](const QDate& date) { form_.DateTimePicker1.Date = ToDate(date); });
    connect(DateTimePicker2, &DateField::dateChanged, this, [this](const QDate& date) {
        form_.DateTimePicker2.Date = ToDate(date);
        run([this] { form_.DateTimePicker2Change(); });
    });
}

void MainWindow::refresh() {
    setWindowTitle(QString::fromStdString(form_.Caption));

    for (SpinEditBase* spin :
         {static_cast<SpinEditBase*>(SpinEdit1), static_cast<SpinEditBase*>(SpinEdit2),
          static_cast<SpinEditBase*>(SpinEdit3), static_cast<SpinEditBase*>(SpinEdit4),
          static_cast<SpinEditBase*>(SpinEdit5), static_cast<SpinEditBase*>(SpinEdit6)}) {
        spin->refresh();
    }
    ShowDate(DateTimePicker1, form_.DateTimePicker1);
    ShowDate(DateTimePicker2, form_.DateTimePicker2);

    ShowCheck(RadioButtonA, form_.RadioButtonA);
    ShowCheck(RadioButtonB, form_.RadioButtonB);
    ShowCheck(CheckBox1, form_.CheckBox1);
    ShowCheck(RadioButton1, form_.RadioButton1);
    ShowCheck(RadioButton3, form_.RadioButton3);
    ShowCheck(RadioButton4, form_.RadioButton4);

    GroupBox4->setVisible(form_.GroupBox4.Visible);
    GroupBox4->setEnabled(form_.GroupBox4.Enabled);
    GroupBox2->setVisible(form_.GroupBox2.Visible);
    GroupBox2->setEnabled(form_.GroupBox2.Enabled);
    Label21->setText(QString::fromStdString(form_.Label21));
    Label21->adjustSize();

    const std::pair<QLabel*, const std::string*> values[] = {
        {Label9, &form_.Label9},   {Label11, &form_.Label11}, {Label13, &form_.Label13},
        {Label15, &form_.Label15}, {Label17, &form_.Label17}, {Label19, &form_.Label19}};
    for (const auto& [label, text] : values) showValue(label, *text);

    const std::pair<QPushButton*, const app::Button*> buttons[] = {
        {Button1, &form_.Button1}, {Button2, &form_.Button2}, {Button3, &form_.Button3},
        {Button4, &form_.Button4}, {Button5, &form_.Button5}, {Button6, &form_.Button6}};
    for (const auto& [button, model] : buttons) {
        button->setText(QString::fromStdString(model->Caption));
        button->setEnabled(model->Enabled);
    }

    const std::pair<const char*, const app::CheckControl*> marks[] = {
        {"N13", &form_.N13}, {"N16", &form_.N16}, {"N18", &form_.N18}, {"N19", &form_.N19},
        {"A1", &form_.A1},   {"N14", &form_.N14}, {"N12", &form_.N12}, {"N20", &form_.N20}};
    for (const auto& [name, model] : marks) {
        QAction* item = action(name);
        const QSignalBlocker quiet(item);
        if (item->isCheckable())
            item->setChecked(model->Checked);
        item->setEnabled(model->Enabled);
    }
    action("FullCost1")->setEnabled(form_.FullCostEnabled());

    StringGrid1->refresh();
    FormCanResize();
}

}  // namespace gui
