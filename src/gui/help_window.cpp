#include "gui/help_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/app_icon.h"
#include "gui/qt_form_port.h"
#include "storage/user_folders.h"

namespace gui {

QString FindHelpFile(const QString& programFolder) {
    const QString beside = QDir(programFolder).filePath(kHelpFileName);
    if (QFileInfo::exists(beside))
        return beside;
    // Installed: the data folder lies where it lies from the program, under any prefix.
    const QString installed = QDir::cleanPath(
        QDir(QString::fromStdString(storage::InstalledDataFolder(programFolder.toStdString())))
            .filePath(kHelpFileName));
    if (QFileInfo::exists(installed))
        return installed;
    // A program started through a link, or from another place: the desktop's data folders.
    const QString shared = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                  QStringLiteral("ssudomer/") + kHelpFileName);
    return shared.isEmpty() ? beside : shared;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), browser_(new QTextBrowser) {
    setObjectName("HelpWindow");
    setWindowTitle("Ссудомер - справка");
    setWindowIcon(ProgramIcon());
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HelpWindow::showContents(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox box(QMessageBox::Warning, "Справка",
                        "Не удается открыть файл справки\n" + QDir::toNativeSeparators(path),
                        QMessageBox::Ok);
        FitMessageBox(box);
        box.exec();
        return false;
    }
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setHtml(QString::fromUtf8(file.readAll()));
    browser_->scrollToAnchor(QStringLiteral("contents"));
    browser_->moveCursor(QTextCursor::Start);
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace gui
