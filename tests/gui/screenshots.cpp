// Writes PNG photographs of the main window in its main states into a folder:
//   main_empty.png      at start
//   grid_scrolled.png   a 24-month schedule with the wheel turned down to its totals
//   grid_recomputed.png then a 1-month schedule computed: shown from the top
//   main_schedule.png   a 24-month differentiated schedule with a fee
//   main_payments.png   the payment-input mode
//   save_question.png   the save question before "Очистить таблицу", in Russian
//   about.png, forecast_settings.png   the two small dialogs
// and prints how long the window took from creation to its first showing.

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>

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

// Photographs the next modal box as soon as it opens, then answers it with Cancel.
void photographNextQuestion(const QDir& folder, const char* name, bool& ok) {
    QTimer::singleShot(200, [folder, name, &ok] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ok = false;
            return;
        }
        ok = save(*box, folder, name) && ok;
        box->button(QMessageBox::Cancel)->click();
    });
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
    window.findChild<QDateEdit*>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    window.findChild<QAbstractButton*>("RadioButton4")->click();
    window.findChild<QPushButton*>("Button4")->click();
    photographNextQuestion(folder, "save_question.png", ok);
    window.findChild<QPushButton*>("Button5")->click();

    gui::TAboutBox about(&window);
    about.show();
    ok = save(about, folder, "about.png") && ok;
    window.forecastSettings()->show();
    ok = save(*window.forecastSettings(), folder, "forecast_settings.png") && ok;
    return ok ? 0 : 1;
}
