// What the window finds of its installed files: the help in the data folder under any
// prefix, and the icon at every size the desktop's icon theme gets.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "gui/app_icon.h"
#include "gui/help_window.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

void placeHelp(const QString& folder) {
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(QDir(folder).filePath(gui::kHelpFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(FindHelpFile, BesideTheProgramThenUnderItsPrefixThenInTheDesktopsDataFolders) {
    TempFolder root;
    ScopedEnvironment dataHome("XDG_DATA_HOME", root / "nowhere");
    ScopedEnvironment dataDirs("XDG_DATA_DIRS", root / "xdg");
    const QString prefix = QString::fromStdString(root / "any prefix");
    const QString bin = prefix + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));

    // Nothing anywhere: the path beside the program, for the message that names it.
    EXPECT_EQ(gui::FindHelpFile(bin), bin + "/ssudomer.hlp");

    placeHelp(QString::fromStdString(root / "xdg/ssudomer"));
    EXPECT_EQ(gui::FindHelpFile(bin), QString::fromStdString(root / "xdg/ssudomer/ssudomer.hlp"));

    placeHelp(prefix + "/share/ssudomer");
    EXPECT_EQ(gui::FindHelpFile(bin), prefix + "/share/ssudomer/ssudomer.hlp");

    placeHelp(bin);
    EXPECT_EQ(gui::FindHelpFile(bin), bin + "/ssudomer.hlp");
}

TEST(ProgramIcon, HasEveryRenderedSize) {
    const QList<QSize> sizes = gui::ProgramIcon().availableSizes();
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
}

}  // namespace
