// The window program: creates the main window and runs until it closes. The only argument
// it takes is a payment file to open.

#include <QApplication>

#include "gui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Ссудомер");
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    gui::MainWindow window(std::move(arguments));
    window.show();
    return QApplication::exec();
}
