#pragma once

// Shared by the tools that photograph windows: saving a window as a PNG and typing into a
// field of the main window.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

#include "gui/main_window.h"

namespace gui_photos {

inline bool save(QWidget& window, const QDir& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
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
