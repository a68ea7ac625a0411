#pragma once

#include <optional>
#include <string>

#include "loan/date.h"

namespace app {

// Answers of the Yes/No/Cancel question, as the message box returns them.
enum DialogAnswer { kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

// The few ways the main form reaches the person in front of it. The window implements it
// with dialogs; the command line and the tests implement it without any.
class FormPort {
  public:
    virtual ~FormPort() = default;

    // A modal box with an OK button and no owner window; "\r" in the text breaks the line.
    virtual void showMessage(const std::string& caption, const std::string& text) = 0;
    // Yes, No and Cancel with a warning icon.
    virtual DialogAnswer askYesNoCancel(const std::string& caption, const std::string& text) = 0;

    // File dialogs for payment files; empty when the person cancels.
    virtual std::optional<std::string> chooseFileToOpen() { return std::nullopt; }
    virtual std::optional<std::string> chooseFileToSave() { return std::nullopt; }
    // The save dialog of the CSV export; empty when the person cancels.
    virtual std::optional<std::string> chooseCsvFileToSave() { return std::nullopt; }
    // File dialogs for plan files (.crplan); the save dialog offers `offered` (the plan's own
    // file, or empty). Empty when the person cancels.
    virtual std::optional<std::string> choosePlanFileToOpen() { return std::nullopt; }
    virtual std::optional<std::string> choosePlanFileToSave(const std::string& offered) {
        (void)offered;
        return std::nullopt;
    }

    // Shows the forecast settings modally; returns when they are closed.
    virtual void showForecastSettings() {}

    // The table's row count may have changed: the window re-fits its height.
    virtual void adjustWindowToRows() {}

    virtual loan::Date today() const;
};

}  // namespace app
