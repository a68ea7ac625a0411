// The main menu: every item with its marks, each handing its choice to the main form.

#include <QActionGroup>
#include <QMenuBar>

#include "gui/calendar_dialog.h"
#include "gui/main_window.h"
#include "gui/planner_window.h"

namespace gui {

namespace {

QAction* addItem(QMenu* menu, const char* name, const char* caption) {
    QAction* item = menu->addAction(QString::fromUtf8(caption));
    item->setObjectName(name);
    return item;
}

QAction* addMark(QMenu* menu, const char* name, const char* caption, QActionGroup* group) {
    QAction* item = addItem(menu, name, caption);
    item->setCheckable(true);
    if (group)
        group->addAction(item);
    return item;
}

}  // namespace

QAction* MainWindow::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    // A handler's outcome is for the command line; the window shows the form as it is after.
    const auto handle = [this](QAction* item, auto handler) {
        connect(item, &QAction::triggered, this,
                [this, handler] { run([this, handler] { (form_.*handler)(); }); });
    };

    QMenu* file = bar->addMenu("&Файл ");
    file->setObjectName("N1");
    handle(addItem(file, "N2", "Новый кредит"), &app::MainForm::N2Click);
    handle(addItem(file, "N3", "Загрузить платежи..."), &app::MainForm::N3Click);
    handle(addItem(file, "N4", "Сохранить платежи..."), &app::MainForm::N4Click);
    connect(addItem(file, "N9", "Печать платежей"), &QAction::triggered, this,
            &MainWindow::N9Click);
    handle(addItem(file, "ExportCsv1", "Экспорт таблицы в CSV..."), &app::MainForm::ExportCsvClick);
    file->addSeparator();
    handle(addItem(file, "FullCost1", "Полная стоимость кредита..."),
           &app::MainForm::FullCostClick);
    connect(addItem(file, "Planner1", "Досрочное погашение..."), &QAction::triggered, this,
            &MainWindow::PlannerClick);
    file->addSeparator()->setObjectName("N5");
    connect(addItem(file, "N6", "Выход"), &QAction::triggered, this, &QWidget::close);

    QMenu* settings = bar->addMenu("Настройки");
    settings->setObjectName("N10");
    QMenu* mode = settings->addMenu("Режим");
    mode->setObjectName("N11");
    auto* modes = new QActionGroup(this);
    handle(addMark(mode, "N13", "Режим расчета (Универсальный)", modes), &app::MainForm::N13Click);
    handle(addMark(mode, "N16", "Режим ввода платежей (Сбербанк)", modes),
           &app::MainForm::N16Click);

    QMenu* calculation = settings->addMenu("Опции режима расчета");
    calculation->setObjectName("N17");
    auto* feeBases = new QActionGroup(this);
    handle(addMark(calculation, "N18", "Процент за ведение счета с суммы кредита", feeBases),
           &app::MainForm::N18Click);
    handle(addMark(calculation, "N19", "Процент за ведение счета с остатка кредита", feeBases),
           &app::MainForm::N19Click);
    handle(addMark(calculation, "A1", "Фиксированная сумма за ведение счета", feeBases),
           &app::MainForm::A1Click);

    QMenu* payments = settings->addMenu("Опции режима ввода платежей");
    payments->setObjectName("N15");
    handle(addMark(payments, "N14", "Учитывать просрочку", nullptr), &app::MainForm::N14Click);
    handle(addMark(payments, "N12", "Показывать прогноз", nullptr), &app::MainForm::N12Click);
    handle(addItem(payments, "N20", "Параметры прогноза"), &app::MainForm::N20Click);
    connect(addItem(settings, "ProductionCalendar1", "Производственный календарь..."),
            &QAction::triggered, this, &MainWindow::ProductionCalendarClick);
    handle(addItem(settings, "crp1", "Зарегистрировать *.crp"), &app::MainForm::crp1Click);

    QMenu* help = bar->addMenu("Справка");
    help->setObjectName("N7");
    QAction* contents = addItem(help, "SsudomerHelp1", "&Справка Ссудомера");
    contents->setShortcut(Qt::Key_F1);
    contents->setShortcutContext(Qt::ApplicationShortcut);
    contents->setStatusTip("Справка");
    contents->setToolTip("Справка");
    connect(contents, &QAction::triggered, this, &MainWindow::SsudomerHelp1Click);
    connect(addItem(help, "N8", "&О программе..."), &QAction::triggered, this,
            &MainWindow::N8Click);
}

PlannerWindow& MainWindow::plannerMadeOnce() {
    if (!planner_) {
        planner_ = new PlannerWindow(port_, form_.locale(), this);
        planner_->setCalendarEditor([this] { return EditProductionCalendar(planner_, port_); });
    }
    return *planner_;
}

void MainWindow::PlannerClick() {
    plannerMadeOnce().Open(form_);
}

void MainWindow::ProductionCalendarClick() {
    if (!EditProductionCalendar(this, port_) || !planner_)
        return;
    // The planner reads the saved calendar and moves its payments by it.
    app::PlannerForm& planner = planner_->planner();
    planner_->run([&planner] { planner.CalendarEdited(); });
}

void MainWindow::OpenPlanFile(const std::string& path) {
    plannerMadeOnce().OpenPlanFile(path);
}

}  // namespace gui
