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
#include <cstdlib>
#include <memory>
#include <optional>
#include <type_traits>

#if SSUDOMER_PHOTOS_WITH_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include "gui/main_window.h"

namespace gui_photos {

inline bool OnDesktop() {
    return QGuiApplication::platformName() != QLatin1String("offscreen");
}

// The window with its frame, in screen coordinates, once the window manager has framed it:
// asked of the X server itself (the frame is the window's ancestor just below the root),
// since Qt may have taken the frame's size before the window manager set it. Without X,
// what Qt says.
inline std::optional<QRect> FrameOnScreen(QWidget& window) {
    const QRect client(window.mapToGlobal(QPoint(0, 0)), window.size());
#if SSUDOMER_PHOTOS_WITH_XCB
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        xcb_connection_t* connection = x11->connection();
        const auto reply = [](auto* answer) {
            return std::unique_ptr<std::remove_pointer_t<decltype(answer)>, decltype(&std::free)>(
                answer, &std::free);
        };
        xcb_window_t frame = static_cast<xcb_window_t>(window.winId());
        xcb_window_t root = XCB_NONE;
        for (;;) {
            const auto tree =
                reply(xcb_query_tree_reply(connection, xcb_query_tree(connection, frame), nullptr));
            if (!tree)
                return std::nullopt;
            root = tree->root;
            if (tree->parent == root || tree->parent == XCB_NONE)
                break;
            frame = tree->parent;
        }
        const auto size =
            reply(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr));
        const auto place = reply(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, frame, root, 0, 0), nullptr));
        if (!size || !place)
            return std::nullopt;
        const int border = size->border_width;
        const QRect framed(place->dst_x - border, place->dst_y - border, size->width + 2 * border,
                           size->height + 2 * border);
        if (!framed.contains(client))
            return std::nullopt;  // not framed yet
        return framed;
    }
#endif
    const QRect framed = window.frameGeometry();
    return framed.contains(client) ? std::optional<QRect>(framed) : std::nullopt;
}

// Lets the window system map, frame and draw `window` and whatever was just shown.
inline void Settle(QWidget* window = nullptr) {
    if (!OnDesktop()) {
        QApplication::processEvents();
        return;
    }
    const auto shown = [window] {
        return window->windowHandle() && window->windowHandle()->isExposed() &&
               FrameOnScreen(*window);
    };
    const QDeadlineTimer mapped(5000);
    while (window && !shown() && !mapped.hasExpired()) {
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
    const std::optional<QRect> frame = FrameOnScreen(window);
    if (!window.windowHandle() || !window.windowHandle()->isExposed() || !frame)
        return {};
    const QRect area = frame->united(extra);
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
