// "oldinfo.ini": the loan inputs carried from one run to the next.

#include "app/loan_header.h"
#include "app/main_form.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"
#include "storage/user_folders.h"

namespace app {

void MainForm::ReadLastLoanFile() {
    const auto lines = storage::TryReadTextFile(storage::LastLoanFilePath(ProgramPath));
    if (!lines)
        return;  // no file yet: the inputs keep their initial values
    ApplyLoanHeader(*this, *lines);
}

void MainForm::FormClose() {
    const std::string path = storage::LastLoanFilePath(ProgramPath);
    storage::CreateFolders(storage::ProgramFolder(path));
    storage::WriteTextFile(path, LoanHeaderLines(*this));
}

}  // namespace app
