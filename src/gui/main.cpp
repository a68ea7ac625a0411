// The window program: creates the main window and runs until it closes. The only argument
// it takes is a payment file or a plan file to open; --help and --version are answered before any window
// system is needed, so that they work without a display.

#include <QApplication>
#include <cstring>
#include <iostream>

#include "gui/main_window.h"

namespace {

constexpr const char* kHelp =
    "Usage: ssudomer [FILE.crp | FILE.crplan]\n"
    "       ssudomer --help | --version\n"
    "\n"
    "Ssudomer, a loan calculator: repayment schedule, payment register and forecast.\n"
    "FILE.crp, a payment file, is opened at start; FILE.crplan, a prepayment plan,\n"
    "opens the planner with it.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "The command-line program is ssudomer-cli; see ssudomer(1) and ssudomer-cli(1).\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kHelp;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "ssudomer (Ссудомер) " SSUDOMER_VERSION "\n";
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Ссудомер");
    QApplication::setApplicationVersion(SSUDOMER_VERSION);
    // Ties the window to the installed desktop entry (its icon and name on Wayland).
    QGuiApplication::setDesktopFileName(SSUDOMER_APP_ID);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    gui::MainWindow window(std::move(arguments));
    window.show();
    return QApplication::exec();
}
