#include "gui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "app/notice.h"
#include "gui/about_box.h"
#include "gui/app_icon.h"
#include "gui/forecast_dialog.h"
#include "gui/help_window.h"
#include "gui/planner_window.h"
#include "gui/print_window.h"
#include "gui/translations.h"
#include "gui/window_fit.h"

namespace gui {

namespace {

constexpr int kDesignedMaxHeight = 768;  // before the first showing

QString hint(const char* text) {
    return MessageText(text);
}

}  // namespace

MainWindow::MainWindow(std::vector<std::string> arguments, loan::Locale locale)
    : port_(*this), form_(port_, std::move(locale)), arguments_(std::move(arguments)) {
    InstallRussianTranslations();
    setObjectName("Form1");
    setWindowIcon(ProgramIcon());
    form_.ProgramPath = QCoreApplication::applicationFilePath().toStdString();
    buildControls();
    buildMenu();
    connectControls();
    setMaximumHeight(kDesignedMaxHeight);
    form3_ = new TForm3(form_.Form3, this);

    // FormCreate: fitting is off until the first showing; remember the screen's size.
    form_.WindowFitEnabled = false;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        savedScreenWidth_ = screen->geometry().width();
        savedScreenHeight_ = screen->geometry().height();
        connect(screen, &QScreen::geometryChanged, this, [this](const QRect& geometry) {
            DisplayChanged(geometry.width(), geometry.height());
        });
    }
    refresh();
}

MainWindow::~MainWindow() {
    // The controls and dialogs refer to the form, which goes before the base class deletes
    // its children: they go first.
    const QList<QWidget*> widgets = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (const QPointer<QWidget>& widget :
         QList<QPointer<QWidget>>(widgets.begin(), widgets.end())) {
        delete widget.data();
    }
}

bool MainWindow::run(const std::function<void()>& handler) {
    const bool completed = form_.RunHandler(handler);
    refresh();
    return completed;
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    FormShow();
}

void MainWindow::FormShow() {
    // Centred on the desktop.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desk = screen->availableGeometry();
        move(desk.center() - QPoint(width() / 2, height() / 2));
    }
    // The width is fixed from now on; the height follows the table's rows.
    setMinimumSize(size());
    setMaximumSize(size());
    form_.InitialGridHeight = StringGrid1->height();
    form_.WindowExtraHeight = minimumHeight() - form_.InitialGridHeight;
    if (logicalDpiY() == 120)
        StringGrid1->useWideColumns();

    form_.RunHandler([this] { form_.FormShow(); });
    form_.RunHandler(
        [this] { statusNotice_->setText(QString::fromStdString(app::StatusNotice())); });
    helpFile_ = FindHelpFile(QFileInfo(QString::fromStdString(form_.ProgramPath)).absolutePath());

    RadioButtonA->setToolTip(
        hint("Равномерное погашение кредита, с уплатой процентов на остаток задолженности"));
    RadioButtonB->setToolTip(
        hint("Аннуитет. Поток  одинаковых по сумме платежей, которые осуществляются\rс равной "
             "переодичностью (в нашем случае - один раз в месяц)"));
    SpinEdit6->setToolTip(
        hint("Если вы не платите процентов за обслуживание вашего ссудного счета, оставте\rв "
             "данном поле - 0 %"));
    refresh();

    // A date in the last-loan file that is no date skips the command-line file.
    if (run([this] { form_.ReadLastLoanFile(); }))
        run([this] { form_.OpenCommandLineFile(arguments_); });
    // A plan file opens the planner with it.
    if (!arguments_.empty() && app::NamesPlanFile(arguments_.front()))
        OpenPlanFile(arguments_.front());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool mayClose = false;
    const bool asked = run([this, &mayClose] { mayClose = form_.FormCloseQuery(); });
    if (!asked || !mayClose) {
        event->ignore();
        return;
    }
    // Then the plan, which the program's end would lose as well.
    if (planner_ && !planner_->queryClose(true)) {
        event->ignore();
        return;
    }
    run([this] { form_.FormClose(); });
    if (help_)
        help_->close();
    event->accept();
}

void MainWindow::FormCanResize() {
    if (!form_.WindowFitEnabled)
        return;
    const int frame = 2 * StringGrid1->frameWidth();
    const auto limit = MaxWindowHeight(form_.StringGrid1.rowCount(), form_.WindowExtraHeight,
                                       logicalDpiY(), {kDefaultRowHeight + 1, frame});
    if (!limit)
        return;
    if (*limit < minimumHeight())
        setMinimumHeight(*limit);
    if (*limit != maximumHeight())
        setMaximumHeight(*limit);  // a taller window is cut back at once
}

void MainWindow::AdjustWindowToRows() {
    if (form_.StringGrid1.rowCount() == form_.PreviousRowCount)
        return;
    savedLeft_ = x();
    if (maximised_) {
        // A maximised window takes the new limit at once and keeps its place.
        BeginRedrawLock();
        FormCanResize();
        fitMaximised(savedLeft_);
        EndRedrawLock();
        return;
    }
    FormCanResize();
    update();
}

void MainWindow::fitMaximised(int left) {
    const QRect desk = screen()->availableGeometry();
    fitting_ = true;
    const int frameHeight = frameGeometry().height() - height();
    resize(width(), std::min(maximumHeight(), desk.height() - frameHeight));
    move(left, desk.top());
    fitting_ = false;
    fittedHeight_ = height();
    maximised_ = true;
}

void MainWindow::BeginRedrawLock() {
    setUpdatesEnabled(false);
}

void MainWindow::EndRedrawLock() {
    setUpdatesEnabled(true);
    repaint();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (!isMaximized() || (change->oldState() & Qt::WindowMaximized))
        return;
    // Maximising only stretches the window downwards, up to its height limit, and keeps
    // its horizontal place. The platform would fill the screen, so the window takes the
    // normal state back and lays itself out as maximised.
    const int left = normalGeometry().x() + (frameGeometry().x() - geometry().x());
    QTimer::singleShot(0, this, [this, left] {
        showNormal();
        fitMaximised(left);
    });
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Any other change of height ends the maximised layout.
    if (!fitting_ && height() != fittedHeight_)
        maximised_ = false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        placePanel();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::DisplayChanged(int width, int height) {
    if (savedScreenWidth_ <= 0 || savedScreenHeight_ <= 0 || width <= 0 || height <= 0)
        return;
    const double ratio = static_cast<double>(width) / savedScreenWidth_;
    const int newWidth =
        RoundScaled(static_cast<double>(width) * this->width() / savedScreenWidth_);
    const int newHeight =
        RoundScaled(static_cast<double>(height) * this->height() / savedScreenHeight_);

    // Scale every placed control, its font, and the table's columns and rows.
    for (QWidget* child : client_->findChildren<QWidget*>()) {
        QFont font = child->font();
        if (child->testAttribute(Qt::WA_SetFont) && font.pixelSize() > 0) {
            font.setPixelSize(std::max(1, RoundScaled(font.pixelSize() * ratio)));
            child->setFont(font);
        }
        const QWidget* parent = child->parentWidget();
        if (parent == client_ || qobject_cast<const QGroupBox*>(parent)) {
            const QRect g = child->geometry();
            child->setGeometry(RoundScaled(g.x() * ratio), RoundScaled(g.y() * ratio),
                               RoundScaled(g.width() * ratio), RoundScaled(g.height() * ratio));
        }
    }
    for (int column = 0; column < StringGrid1->model()->columnCount(); ++column) {
        StringGrid1->setColumnWidth(column, RoundScaled(StringGrid1->columnWidth(column) * ratio));
    }
    panelBottomMargin_ = RoundScaled(panelBottomMargin_ * ratio);

    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    resize(newWidth, std::clamp(newHeight, minimumHeight(), maximumHeight()));
    setFixedWidth(newWidth);
    savedScreenWidth_ = width;
    savedScreenHeight_ = height;
}

void MainWindow::showForecastSettings() {
    form3_->showModally();
}

void MainWindow::SsudomerHelp1Click() {
    helpFile_ = FindHelpFile(QFileInfo(QString::fromStdString(form_.ProgramPath)).absolutePath());
    if (!help_)
        help_ = new HelpWindow(this);
    help_->showContents(helpFile_);
}

void MainWindow::N9Click() {
    if (!form2_)
        form2_ = new TForm2(form_, this);
    form2_->exec();
}

void MainWindow::N8Click() {
    if (!about_) {
        about_ = new TAboutBox(this);
        connect(about_, &TAboutBox::helpRequested, this, &MainWindow::SsudomerHelp1Click);
    }
    about_->exec();
}

}  // namespace gui
