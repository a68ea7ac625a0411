#pragma once

// The planner's way to the person: the main window's message boxes and a save dialog of its
// own for the export, which opens where the last exported file went.

#include <QString>

#include "app/form_port.h"

namespace gui {

class PlannerPort : public app::FormPort {
  public:
    explicit PlannerPort(app::FormPort& messages) : messages_(messages) {}

    void showMessage(const std::string& caption, const std::string& message) override;
    app::DialogAnswer askYesNoCancel(const std::string& caption,
                                     const std::string& question) override;
    std::optional<std::string> chooseCsvFileToSave() override;
    std::optional<std::string> choosePlanFileToOpen() override;
    std::optional<std::string> choosePlanFileToSave(const std::string& offered) override;
    loan::Date today() const override;

  private:
    app::FormPort& messages_;
    QString folder_;
    QString planFolder_;
};

}  // namespace gui
