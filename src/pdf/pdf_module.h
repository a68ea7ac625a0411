#pragma once

// The seam between ssudomer-cli and the PDF writer. ssudomer-cli stays free of Qt so that
// it starts at once; only a run with --pdf opens the module (built from this folder,
// with Qt) and calls its one entry point. Both sides are built from the same tree, so the
// request may carry C++ objects.

#include <array>
#include <string>

namespace loan {
class ScheduleTable;
}

namespace pdf {

// The file name of the module, looked for beside the program and in ../lib/ssudomer/.
inline constexpr const char* kModuleFileName = "ssudomer-pdf.so";
inline constexpr const char* kEntryPoint = "ssudomer_write_pdf";
// Raised whenever the request changes, so that a stale module is refused, not misread.
inline constexpr int kRequestVersion = 2;

struct PdfRequest {
    int version = kRequestVersion;
    // The loan-information lines of the first page and the table, as the print window
    // would show them.
    const std::array<std::string, 4>* loanInformation = nullptr;
    const loan::ScheduleTable* table = nullptr;
    // Where the pages go, as the bytes of the name given; the file is written as every save
    // is (the guarded writer), and replaced only by the whole document.
    std::string path;
    // Set when the file could not be written: the message a failed save shows.
    std::string error;
};

// The entry point: true when the file was written; otherwise request->error says why.
using WritePdfFunction = bool (*)(PdfRequest* request);

}  // namespace pdf
