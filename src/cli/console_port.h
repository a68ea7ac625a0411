#pragma once

#include <ostream>
#include <string>

#include "app/form_port.h"

namespace cli {

// The form's port on a terminal: every message box goes to the error stream as
// "caption: text"; questions are answered No, since the command line keeps nothing unsaved.
class ConsolePort : public app::FormPort {
  public:
    explicit ConsolePort(std::ostream& errors) : errors_(errors) {}

    void showMessage(const std::string& caption, const std::string& text) override;
    app::DialogAnswer askYesNoCancel(const std::string& caption, const std::string& text) override;

  private:
    std::ostream& errors_;
};

}  // namespace cli
