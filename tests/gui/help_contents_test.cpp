// The help that F1 shows describes the window the program has: every menu and menu item by
// its caption, and where the last loan is kept.

#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>

#include "gui/help_window.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

// The captions of every menu and menu item of the window, the mnemonic marks taken out.
QStringList menuCaptions(const QMenu& menu) {
    QStringList captions{menu.title()};
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        if (action->menu())
            captions += menuCaptions(*action->menu());
        else
            captions << action->text();
    }
    for (QString& caption : captions) caption = caption.remove('&').trimmed();
    return captions;
}

TEST_F(WindowTest, HelpNamesEveryMenuItemAndWhereTheLastLoanIsKept) {
    form().ProgramPath = SSUDOMER_PROGRAM_DIR "/ssudomer";
    item("SsudomerHelp1")->trigger();
    ASSERT_NE(window->helpWindow(), nullptr);
    const QString help = window->helpWindow()->browser()->toPlainText();

    QStringList captions;
    for (const QAction* action : window->menuBar()->actions()) {
        if (action->menu())
            captions += menuCaptions(*action->menu());
    }
    EXPECT_GE(captions.size(), 20);  // the menus were found at all
    for (const QString& caption : captions) {
        EXPECT_TRUE(help.contains("«" + caption + "»")) << caption.toStdString();
    }
    EXPECT_TRUE(help.contains("oldinfo.ini"));
    EXPECT_TRUE(help.contains("~/.config/ssudomer/"));
}

TEST_F(WindowTest, EscapeClosesTheHelpWindow) {
    form().ProgramPath = SSUDOMER_PROGRAM_DIR "/ssudomer";
    item("SsudomerHelp1")->trigger();
    gui::HelpWindow* help = window->helpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isVisible());
    // The text has the focus; the key reaches the window through it.
    help->browser()->setFocus();
    QTest::keyClick(help->browser(), Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());

    // F1 brings it back.
    item("SsudomerHelp1")->trigger();
    EXPECT_TRUE(help->isVisible());
    help->close();
}

}  // namespace
