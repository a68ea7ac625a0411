// Writes PNG photographs of the main window in its main states into a folder:
//   main_empty.png      at start
//   main_schedule.png   a 24-month differentiated schedule with a fee
//   main_payments.png   the payment-input mode
//   about.png, forecast_settings.png   the two small dialogs
// and prints how long the window took from creation to its first showing.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

#include "gui/about_box.h"
#include "gui/forecast_dialog.h"
#include "gui/main_window.h"
#include "photo_support.h"

using gui_photos::save;
using gui_photos::type;

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    const QDir folder = gui_photos::OutputFolder(argc, argv);

    gui_photos::PhotographedWindow photographed;
    gui::MainWindow& window = photographed.window;
    QApplication::processEvents();
    std::printf("window shown %lld ms after start\n", static_cast<long long>(clock.elapsed()));
    bool ok = save(window, folder, "main_empty.png");

    type(window, "SpinEdit1", "120000");
    type(window, "SpinEdit2", "12");
    type(window, "SpinEdit3", "24");
    type(window, "SpinEdit6", "0,5");
    window.findChild<QPushButton*>("Button1")->click();
    window.resize(window.width(), window.maximumHeight());
    ok = save(window, folder, "main_schedule.png") && ok;

    window.findChild<QPushButton*>("Button2")->click();
    ok = save(window, folder, "main_payments.png") && ok;

    gui::TAboutBox about(&window);
    about.show();
    ok = save(about, folder, "about.png") && ok;
    window.forecastSettings()->show();
    ok = save(*window.forecastSettings(), folder, "forecast_settings.png") && ok;
    return ok ? 0 : 1;
}
