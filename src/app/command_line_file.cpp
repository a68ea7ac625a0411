// The payment file named on the command line, loaded at the first showing.

#include "app/main_form.h"

namespace app {

namespace {

std::string latinLowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// True when the first ".crp" of the lower-cased text is at its very end.
bool namesPaymentFile(const std::string& argument) {
    constexpr std::string_view kExtension = ".crp";
    const auto at = latinLowerCase(argument).find(kExtension);
    return at != std::string::npos && at + kExtension.size() == argument.size();
}

}  // namespace

void MainForm::OpenCommandLineFile(const std::vector<std::string>& arguments) {
    // File names are case-sensitive here: the test is on the lower-cased text, but the file
    // is opened under the name it really has.
    if (arguments.empty() || !namesPaymentFile(arguments.front()))
        return;
    LoadPaymentFile(arguments.front());
}

}  // namespace app
