#include "cli/console_port.h"

#include "text/text.h"

namespace cli {

void ConsolePort::showMessage(const std::string& caption, const std::string& text) {
    errors_ << caption << ": " << loan::ReplaceAll(text, "\r", "\n") << '\n';
}

app::DialogAnswer ConsolePort::askYesNoCancel(const std::string& caption, const std::string& text) {
    showMessage(caption, text);
    return app::kAnswerNo;
}

}  // namespace cli
