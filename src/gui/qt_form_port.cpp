#include "gui/qt_form_port.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTreeView>

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
constexpr FileKind kPlanFile = {"*.crplan (*.crplan)", "crplan"};
constexpr int kDialogWidth = 720;
constexpr int kDialogHeight = 460;

// Qt sizes the detail view's columns for English sample texts ("128.88 GB", "10/29/81
// 02:02PM"), which cut the Russian headers, sizes and dates short: those columns take the
// width of what they show, and the names the rest.
void fitDetailColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

std::optional<std::string> runFileDialog(QFileDialog& dialog, const FileKind& kind,
                                         QString& lastFolder) {
    dialog.setNameFilter(kind.filter);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    fitDetailColumns(dialog);
    FitCaption(dialog);
    // Room for the names, sizes, kinds and dates side by side.
    dialog.resize(std::max(dialog.width(), kDialogWidth), std::max(dialog.height(), kDialogHeight));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    lastFolder = QFileInfo(chosen).absolutePath();
    return chosen.toStdString();
}

// The buttons read Russian even where Qt's translations are missing.
void nameAnswerButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> names[] = {
        {QMessageBox::Yes, "&Да"}, {QMessageBox::No, "&Нет"}, {QMessageBox::Cancel, "Отмена"}};
    for (const auto& [which, name] : names) {
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromUtf8(name));
    }
}

// A save dialog that asks before it replaces an existing file, in a box of its own: "Нет"
// returns to the dialog and nothing is written.
class SaveDialog : public QFileDialog {
  public:
    SaveDialog(const char* title, const QString& folder)
        : QFileDialog(nullptr, QString::fromUtf8(title), folder) {
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        setOption(DontConfirmOverwrite);  // Qt's own question cuts the caption short
    }

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (!chosen.isEmpty()) {
            const QFileInfo file(chosen.front());
            if (file.exists() && !file.isDir() && !mayReplace(file.fileName()))
                return;
        }
        QFileDialog::accept();
    }

  private:
    bool mayReplace(const QString& name) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        "Файл «" + name + "» уже существует.\nЗаменить его?",
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        nameAnswerButtons(box);
        FitMessageBox(box);
        return box.exec() == QMessageBox::Yes;
    }
};

}  // namespace

QString MessageText(const std::string& text) {
    return QString::fromStdString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

int CaptionWidth(const QString& caption) {
    QFont font = QApplication::font();
    font.setBold(true);                    // as title bars mostly draw it
    constexpr int kTitleBarButtons = 150;  // icon, minimise, maximise, close, margins
    return QFontMetrics(font).horizontalAdvance(caption) + kTitleBarButtons;
}

void FitCaption(QWidget& window) {
    window.setMinimumWidth(std::max(window.minimumWidth(), CaptionWidth(window.windowTitle())));
}

void FitMessageBox(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label)
        return;
    // Qt wraps a message at about half the screen's width; the program's messages are
    // broken into lines of their own (the annuity message has five of some 75 characters),
    // which are kept whole as long as the screen is wide enough.
    const QFontMetrics metrics(label->font());
    int textWidth = 0;
    for (const QString& line : box.text().split(QLatin1Char('\n')))
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    // The text's share of the box: the caption must fit above the icon and the text.
    const int iconWidth = box.iconPixmap().isNull() ? 0 : box.iconPixmap().width() + 16;
    textWidth = std::max(textWidth + 2, CaptionWidth(box.windowTitle()) - iconWidth - 40);
    if (const QScreen* screen = box.screen())
        textWidth = std::min(textWidth, screen->availableGeometry().width() * 9 / 10 - 100);
    label->setMinimumWidth(textWidth);
}

void QtFormPort::showMessage(const std::string& caption, const std::string& text) {
    ShowMessageBox(caption, text);
}

void ShowMessageBox(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), MessageText(text),
                    QMessageBox::Ok);
    FitMessageBox(box);
    box.exec();
}

app::DialogAnswer QtFormPort::askYesNoCancel(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(caption), MessageText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    nameAnswerButtons(box);
    FitMessageBox(box);
    switch (box.exec()) {
        case QMessageBox::Yes:
            return app::kAnswerYes;
        case QMessageBox::No:
            return app::kAnswerNo;
        default:
            return app::kAnswerCancel;
    }
}

QString QtFormPort::startFolder(bool offersLoadedFile) const {
    const std::string& loaded = window_.form().CurrentFilePath;
    const QString loadedFolder =
        loaded.empty() ? QString() : QFileInfo(QString::fromStdString(loaded)).absolutePath();
    if (offersLoadedFile && !loadedFolder.isEmpty())
        return loadedFolder;
    if (!lastFolder_.isEmpty())
        return lastFolder_;
    if (!loadedFolder.isEmpty())
        return loadedFolder;
    return QDir::homePath();
}

std::optional<std::string> QtFormPort::chooseFileToOpen() {
    QFileDialog dialog(nullptr, kOpenTitle, startFolder(false));
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
    // The loaded file's name is offered in the folder it came from.
    const std::string& preset = window_.form().CurrentFileName;
    SaveDialog dialog(kSaveTitle, startFolder(!preset.empty()));
    if (!preset.empty())
        dialog.selectFile(QString::fromStdString(preset));
    return runFileDialog(dialog, kPaymentFile, lastFolder_);
}

std::optional<std::string> QtFormPort::chooseCsvFileToSave() {
    SaveDialog dialog(kExportTitle, startFolder(false));
    // A loaded payment file offers its own name for the table.
    const std::string& loaded = window_.form().CurrentFileName;
    if (!loaded.empty())
        dialog.selectFile(QFileInfo(QString::fromStdString(loaded)).completeBaseName() + ".csv");
    return runFileDialog(dialog, kCsvFile, lastFolder_);
}

std::optional<std::string> ChooseCsvFileToSave(const char* title, const QString& name,
                                               QString& folder) {
    SaveDialog dialog(title, folder.isEmpty() ? QDir::homePath() : folder);
    dialog.selectFile(name);
    return runFileDialog(dialog, kCsvFile, folder);
}

std::optional<std::string> ChoosePlanFileToOpen(QString& folder) {
    QFileDialog dialog(nullptr, QString::fromUtf8("Открыть план"),
                       folder.isEmpty() ? QDir::homePath() : folder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runFileDialog(dialog, kPlanFile, folder);
}

std::optional<std::string> ChoosePlanFileToSave(const std::string& offered, QString& folder) {
    const QFileInfo file(QString::fromStdString(offered));
    const QString start = !offered.empty()      ? file.absolutePath()
                          : folder.isEmpty() ? QDir::homePath()
                                             : folder;
    SaveDialog dialog("Сохранить план", start);
    dialog.selectFile(offered.empty() ? QString::fromUtf8("план.crplan") : file.fileName());
    return runFileDialog(dialog, kPlanFile, folder);
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
