// Writes PNG photographs of the main window in its main states into a folder:
//   main_empty.png      at start
//   grid_scrolled.png   a 24-month schedule with the wheel turned down to its totals
//   grid_recomputed.png then a 1-month schedule computed: shown from the top
//   main_schedule.png   a 24-month differentiated schedule with a fee
//   main_payments.png   the payment-input mode
//   save_question.png   the save question before "Очистить таблицу", in Russian
//   forecast_settings.png  "Настройка прогнозирования", as "Показывать прогноз" asks it
//   payments_forecast.png  two payments entered, with the forecast of the rest below
//   about.png           the About box
//   menu_file.png       the menu "Файл" over a computed schedule
//   full_cost.png       the box of "Полная стоимость кредита..."
//   annuity_hint.png    the annuity suggested when equal payments are computed
//   menu_settings.png   the menu "Настройки" with its "Опции режима расчета"
// and prints how long the window took from creation to its first showing.

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>
#include <vector>

#include "gui/about_box.h"
#include "gui/forecast_dialog.h"
#include "gui/main_window.h"
#include "photo_support.h"

using gui_photos::calculate;
using gui_photos::save;
using gui_photos::type;

namespace {

void turnWheelDown(gui::MainWindow& window, int turns) {
    QWidget* viewport = window.grid()->viewport();
    const QPointF at = viewport->rect().center();
    QWheelEvent down(at, viewport->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    for (int turn = 0; turn < turns; ++turn) {
        QApplication::sendEvent(viewport, &down);
    }
}

// Photographs the next modal window as soon as it opens (when given a name), then answers
// it: a message box with the button `answer`, "Настройка прогнозирования" with its "OK".
void answerNextWindow(QMessageBox::StandardButton answer, const QDir& folder, const char* name,
                      bool& ok) {
    QTimer::singleShot(200, [answer, folder, name, &ok] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            std::printf("no window opened for %s\n", name ? name : "an answer");
            ok = false;
            return;
        }
        if (name)
            ok = save(*modal, folder, name) && ok;
        auto* box = qobject_cast<QMessageBox*>(modal);
        (box ? box->button(answer) : modal->findChild<QPushButton*>("Button1"))->click();
    });
}

// The top of the main window with one of its menus open, and one of that menu's submenus
// when named, down to a little below the lowest open menu.
bool photographMenu(gui::MainWindow& window, const char* menuName, const char* submenuName,
                    const QDir& folder, const char* name) {
    QMenuBar* bar = window.menuBar();
    auto* menu = window.findChild<QMenu*>(menuName);
    menu->popup(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
    std::vector<QMenu*> open{menu};
    if (submenuName) {
        auto* submenu = window.findChild<QMenu*>(submenuName);
        menu->setActiveAction(submenu->menuAction());
        const QRect item = menu->actionGeometry(submenu->menuAction());
        submenu->popup(menu->mapToGlobal(item.topRight()));
        open.push_back(submenu);
    }
    gui_photos::Settle(open.back());
    QRect covered;
    for (QMenu* shown : open) covered |= shown->geometry();
    QPixmap photo = gui_photos::Photograph(window, covered);
    if (!gui_photos::OnDesktop()) {  // the menus are windows of their own there: drawn in
        QPainter painter(&photo);
        for (QMenu* shown : open)
            painter.drawPixmap(window.mapFromGlobal(shown->pos()), shown->grab());
    }
    const int origin = gui_photos::OnDesktop()
                           ? gui_photos::FrameOnScreen(window).value_or(window.geometry()).top()
                           : window.y();
    photo = photo.copy(0, 0, photo.width(), covered.bottom() - origin + 24);
    for (auto shown = open.rbegin(); shown != open.rend(); ++shown) (*shown)->hide();
    return save(photo, folder, name);
}

// Enters one payment in the payment-input mode: its date, its amount (when given) and its
// kind, then "Внести платеж".
void enterPayment(gui::MainWindow& window, QDate date, const char* amount, const char* kind) {
    window.findChild<QDateEdit*>("DateTimePicker2")->setDate(date);
    window.findChild<QAbstractButton*>(kind)->click();
    if (amount)
        type(window, "SpinEdit4", amount);
    window.findChild<QPushButton*>("Button4")->click();
}

}  // namespace

int main(int argc, char* argv[]) {
    gui_photos::PreferOffscreen();
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const QDir folder = gui_photos::OutputFolder(argc, argv);

    gui_photos::PhotographedWindow photographed;
    gui::MainWindow& window = photographed.window;
    QApplication::processEvents();
    std::printf("window shown %lld ms after start\n", static_cast<long long>(clock.elapsed()));
    bool ok = save(window, folder, "main_empty.png");

    type(window, "SpinEdit2", "12");
    type(window, "SpinEdit6", "0,5");
    calculate(window, "120000", "24");
    turnWheelDown(window, 25);
    ok = save(window, folder, "grid_scrolled.png") && ok;
    calculate(window, "12000", "1");
    ok = save(window, folder, "grid_recomputed.png") && ok;

    calculate(window, "120000", "24");
    window.resize(window.width(), window.maximumHeight());
    ok = save(window, folder, "main_schedule.png") && ok;

    window.findChild<QPushButton*>("Button2")->click();
    ok = save(window, folder, "main_payments.png") && ok;

    // One automatic payment, then "Очистить таблицу" asks whether to save it.
    window.findChild<QDateEdit*>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
    enterPayment(window, QDate(2005, 2, 10), nullptr, "RadioButton4");
    answerNextWindow(QMessageBox::Cancel, folder, "save_question.png", ok);
    window.findChild<QPushButton*>("Button5")->click();

    // The forecast shown (its settings are asked first), then a payment larger than the
    // schedule's.
    answerNextWindow(QMessageBox::Ok, folder, "forecast_settings.png", ok);
    window.findChild<QAction*>("N12")->trigger();
    enterPayment(window, QDate(2005, 3, 10), "10000", "RadioButton1");
    window.resize(window.width(), window.maximumHeight());
    ok = save(window, folder, "payments_forecast.png") && ok;

    gui::TAboutBox about(&window);
    about.show();
    ok = save(about, folder, "about.png") && ok;
    about.hide();

    // Back to the calculation mode, the payments not saved, and the same loan computed.
    answerNextWindow(QMessageBox::No, folder, nullptr, ok);
    window.findChild<QPushButton*>("Button2")->click();
    window.findChild<QPushButton*>("Button1")->click();
    ok = photographMenu(window, "N1", nullptr, folder, "menu_file.png") && ok;
    answerNextWindow(QMessageBox::Ok, folder, "full_cost.png", ok);
    window.findChild<QAction*>("FullCost1")->trigger();
    ok = photographMenu(window, "N10", "N17", folder, "menu_settings.png") && ok;

    // Equal payments: the first "Расчет" suggests the annuity.
    window.findChild<QAbstractButton*>("RadioButtonB")->click();
    answerNextWindow(QMessageBox::Ok, folder, "annuity_hint.png", ok);
    window.findChild<QPushButton*>("Button1")->click();
    return ok ? 0 : 1;
}
