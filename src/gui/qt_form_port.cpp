#include "gui/qt_form_port.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "gui/main_window.h"

namespace gui {

namespace {

constexpr const char* kOpenTitle = "Загрузка предыдущих платежей";
constexpr const char* kSaveTitle = "Сохранение платежей";
constexpr const char* kExportTitle = "Экспорт таблицы в CSV";

struct FileKind {
    const char* filter;
    const char* suffix;
};
constexpr FileKind kPaymentFile = {"*.crp (*.crp)", "crp"};
constexpr FileKind kCsvFile = {"*.csv (*.csv)", "csv"};

std::optional<std::string> runFileDialog(QFileDialog& dialog, const FileKind& kind,
                                         QString& lastFolder) {
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    lastFolder = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

}  // namespace

QString MessageText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void QtFormPort::showMessage(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), MessageText(text),
                    QMessageBox::Ok);
    box.exec();
}

app::DialogAnswer QtFormPort::askYesNoCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(caption), MessageText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return app::kAnswerYes;
        case QMessageBox::No:
            return app::kAnswerNo;
        default:
            return app::kAnswerCancel;
    }
}

std::optional<std::string> QtFormPort::chooseFileToOpen() {
    QFileDialog dialog(nullptr, kOpenTitle, lastFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!lastOpened_.isEmpty())
        dialog.selectFile(lastOpened_);
    auto chosen = runFileDialog(dialog, kPaymentFile, lastFolder_);
    if (chosen)
        lastOpened_ = QString::fromStdString(*chosen);
    return chosen;
}

std::optional<std::string> QtFormPort::chooseFileToSave() {
    QFileDialog dialog(nullptr, kSaveTitle, lastFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const std::string& preset = window_.form().CurrentFileName;
    if (!preset.empty())
        dialog.selectFile(QString::fromStdString(preset));
    return runFileDialog(dialog, kPaymentFile, lastFolder_);
}

std::optional<std::string> QtFormPort::chooseCsvFileToSave() {
    QFileDialog dialog(nullptr, kExportTitle, lastFolder_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // A loaded payment file offers its own name for the table.
    const std::string& loaded = window_.form().CurrentFileName;
    if (!loaded.empty())
        dialog.selectFile(QFileInfo(QString::fromStdString(loaded)).completeBaseName() + ".csv");
    return runFileDialog(dialog, kCsvFile, lastFolder_);
}

void QtFormPort::showForecastSettings() {
    window_.showForecastSettings();
}

void QtFormPort::adjustWindowToRows() {
    window_.AdjustWindowToRows();
}

loan::Date QtFormPort::today() const {
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day()};
}

}  // namespace gui
