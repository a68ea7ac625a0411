#pragma once

// The main form's way to the person, with Qt dialogs: parentless message boxes, the save
// question, the payment-file dialogs, the forecast settings and the window re-fit.

#include <QString>

#include "app/form_port.h"

class QMessageBox;
class QWidget;

namespace gui {

class MainWindow;

// Message-box texts use "\r" for a line break.
QString MessageText(const std::string& text);
// A parentless message box with an OK button, fitted to its text.
void ShowMessageBox(const std::string& caption, const std::string& text);

// The width a window needs for its caption beside the window manager's buttons.
int CaptionWidth(const QString& caption);
// A window at least as wide as that.
void FitCaption(QWidget& window);
// A message box wide enough for each line of its text and for its caption, so that lines
// are not wrapped in two (within the screen's width).
void FitMessageBox(QMessageBox& box);

// A save dialog for a CSV file under `title`, offering `name` in `folder` (the home folder
// when empty); it asks before it replaces a file. Empty when cancelled; `folder` becomes the
// chosen file's.
std::optional<std::string> ChooseCsvFileToSave(const char* title, const QString& name,
                                               QString& folder);

// The plan files' dialogs: open and save "*.crplan" under their titles, in `folder` (the
// home folder when empty) or, for the save, in the folder of `offered`, whose name it
// offers. Empty when cancelled; `folder` becomes the chosen file's.
std::optional<std::string> ChoosePlanFileToOpen(QString& folder);
std::optional<std::string> ChoosePlanFileToSave(const std::string& offered, QString& folder);

class QtFormPort : public app::FormPort {
  public:
    explicit QtFormPort(MainWindow& window) : window_(window) {}

    void showMessage(const std::string& caption, const std::string& text) override;
    app::DialogAnswer askYesNoCancel(const std::string& caption, const std::string& text) override;
    std::optional<std::string> chooseFileToOpen() override;
    std::optional<std::string> chooseFileToSave() override;
    std::optional<std::string> chooseCsvFileToSave() override;
    void showForecastSettings() override;
    void adjustWindowToRows() override;
    loan::Date today() const override;

  private:
    // Where a file dialog opens: the loaded file's folder when it offers that file's name,
    // else the folder used last, else the loaded file's, else the home folder; never the
    // process's current folder.
    QString startFolder(bool offersLoadedFile) const;

    MainWindow& window_;
    QString lastOpened_;  // the open dialog offers its previous choice
    QString lastFolder_;
};

}  // namespace gui
