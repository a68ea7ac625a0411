#pragma once

// Shared by the tools that photograph windows: saving a window as a PNG and typing into a
// field of the main window.
//
// On the offscreen platform a photograph is the window's own drawing. On a desktop (an X
// server with a window manager, as scripts/screenshots.sh runs them) it is taken from the
// screen, so that it shows the window's frame and caption, and any menu or box open over it.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <cstdio>

#include "gui/main_window.h"

namespace gui_photos {

inline bool OnDesktop() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// Lets the window system map, frame and draw `window` and whatever was just shown.
inline void Settle(QWidget* window = nullptr) {
    if (!OnDesktop()) {
        QApplication::processEvents();
        return;
    }
    const QDeadlineTimer mapped(5000);
    while (window && !(window->windowHandle() && window->windowHandle()->isExposed()) &&
           !mapped.hasExpired()) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    const QDeadlineTimer drawn(400);
    while (!drawn.hasExpired()) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

// The window as the person sees it; on a desktop with its frame and with whatever covers
// the rectangle `extra` (in global coordinates) as well, such as an open menu. A window
// the desktop never showed gives no photograph.
inline QPixmap Photograph(QWidget& window, const QRect& extra = {}) {
    Settle(&window);
    if (!OnDesktop())
        return window.grab();
    const QRect area = window.frameGeometry().united(extra);
    if (!window.windowHandle() || !window.windowHandle()->isExposed() ||
        area.width() < window.width() || area.height() < window.height())
        return {};
    return window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
}

inline bool save(const QPixmap& photo, const QDir& folder, const char* name) {
    const QString path = folder.filePath(name);
    const bool saved = photo.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

inline bool save(QWidget& window, const QDir& folder, const char* name) {
    return save(Photograph(window), folder, name);
}

inline void type(gui::MainWindow& window, const char* field, const char* text) {
    auto* edit = window.findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    edit->insert(QString::fromUtf8(text));
    window.form().RunHandler([] {});
}

// A sum and a term typed in, then "Расчет" pressed.
inline void calculate(gui::MainWindow& window, const char* sum, const char* term) {
    type(window, "SpinEdit1", sum);
    type(window, "SpinEdit3", term);
    window.findChild<QPushButton*>("Button1")->click();
}

// The photographs need no display unless another platform is asked for; called before
// the application object is made.
inline void PreferOffscreen() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The folder named by the first argument (or the current one), made when missing.
inline QDir OutputFolder(int argc, char* argv[]) {
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QDir().mkpath(folder.path());
    return folder;
}

// The main window under the "," locale, with no last-loan file (as at a first start).
class PhotographedWindow {
  public:
    PhotographedWindow() : window({}, loan::Locale::withSeparator(',')) {
        window.form().ProgramPath = programFolder_.filePath("ssudomer").toStdString();
        window.show();
    }

    gui::MainWindow window;

  private:
    QTemporaryDir programFolder_;
};

}  // namespace gui_photos
