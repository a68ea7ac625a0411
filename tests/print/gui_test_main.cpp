// The render tests measure and draw text, which needs a QGuiApplication; they run on the
// offscreen platform.
#ifdef PRINT_TESTS_WITH_WIDGETS
#include <QApplication>
#else
#include <QGuiApplication>
#endif

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef PRINT_TESTS_WITH_WIDGETS
    QApplication application(argc, argv);
#else
    QGuiApplication application(argc, argv);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
