#include "pdf/qt_start.h"

#include <QApplication>
#include <QGuiApplication>
#include <QString>

#include <cstdio>

namespace pdf {

namespace {

// Qt's notes about its environment (no runtime folder, and the like) would mix with the
// command's own messages on standard error; only its errors are let through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "ssudomer-cli: %s\n", message.toLocal8Bit().constData());
}

}  // namespace

bool StartQt(bool widgets) {
    if (QCoreApplication* running = QCoreApplication::instance())
        return !widgets || qobject_cast<QApplication*>(running) != nullptr;
    qInstallMessageHandler(quietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ssudomer-cli";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: the module is never unloaded.
    if (widgets)
        new QApplication(argc, argv);
    else
        new QGuiApplication(argc, argv);
    return true;
}

}  // namespace pdf
