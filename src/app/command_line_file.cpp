// The payment file named on the command line, loaded at the first showing.

#include "app/main_form.h"
#include "storage/file_error.h"

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
    const std::string& path = arguments.front();
    try {
        LoadPaymentFile(path);
    } catch (const storage::FileError& error) {
        // Nobody chose this file in a dialog: say which one could not be read.
        const std::string text = error.what();
        if (text.find(path) != std::string::npos)
            throw;
        throw storage::FileError(text + ": " + path);
    }
}

}  // namespace app
