// "oldinfo.ini": the loan inputs carried from one run to the next.

#include "app/loan_header.h"
#include "app/main_form.h"
#include "text/errors.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"
#include "storage/user_folders.h"

namespace app {

void MainForm::ReadLastLoanFile() {
    const std::string path = storage::LastLoanFilePath(ProgramPath);
    const auto lines = storage::TryReadTextFile(path);
    if (!lines)
        return;  // no file yet: the inputs keep their initial values
    std::optional<LoanHeader> header;
    try {
        header = ReadLastLoanHeader(*lines, locale_);
    } catch (const loan::ConversionError& error) {
        // A damaged file leaves the inputs as they are rather than half filled.
        throw storage::FileError("Файл \"" + loan::Excerpt(path) +
                                 "\" не прочитан: прежний кредит не восстановлен.\r" +
                                 error.what());
    }
    ApplyLoanHeader(*this, header);
}

void MainForm::FormClose() {
    const std::string path = storage::LastLoanFilePath(ProgramPath);
    storage::CreateFolders(storage::ProgramFolder(path));
    // Always the four lines: a field left at 0 must not take the others with it.
    storage::WriteTextFile(path, LastLoanLines(*this));
}

}  // namespace app
