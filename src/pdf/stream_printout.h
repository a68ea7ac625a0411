#pragma once

// A printout's pages streamed into a PDF file while they are laid out, through the guarded
// writer, so that a table of a million rows needs no more memory than one of a hundred.

#include <QString>

#include <string>

#include "print/pdf_output.h"
#include "print/qt_text_measurer.h"
#include "storage/file_error.h"

namespace pdf {

// `build(printout)` lays the pages out on a Printout made over them (it may be asked twice).
// False, with the reason in `error`, when the file could not be written.
template <typename Printout, typename Build>
bool StreamPrintout(const std::string& path, const char* title, std::string& error, Build build) {
    print::TPvPageList pages;
    pages.SetMeasurer(print::QtTextMeasurer());
    Printout printout(pages);
    try {
        print::StreamPdfFile(
            pages, [&] { build(printout); }, path, QString::fromUtf8(title));
    } catch (const storage::FileError& failure) {
        error = failure.what();
        return false;
    }
    return true;
}

}  // namespace pdf
