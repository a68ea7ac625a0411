#pragma once

// The main form's way to the person, with Qt dialogs: parentless message boxes, the save
// question, the payment-file dialogs, the forecast settings and the window re-fit.

#include <QString>

#include "app/form_port.h"

namespace gui {

class MainWindow;

// Message-box texts use "\r" for a line break.
QString MessageText(const std::string& text);

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
    MainWindow& window_;
    QString lastOpened_;  // the open dialog offers its previous choice
    QString lastFolder_;
};

}  // namespace gui
