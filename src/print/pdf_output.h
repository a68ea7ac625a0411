#pragma once

// A page list written as a PDF through the same replay as the screen and the printer: one
// PDF page per page, on the page's own paper, text kept as text.
//
// Files are written through storage's guarded writer, as every file the program writes:
// the name is taken as the bytes it is, a folder, FIFO, device or socket under it is
// refused and left alone, links are followed and kept, and the old file is replaced only
// by a whole document (renamed over, or written in place where its inode must stay).

#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "print/page_list.h"

class QIODevice;
class QPainter;
class QPdfWriter;

namespace print {

constexpr int kPdfResolution = 1200;

// A PDF written a page at a time onto a device.
class TPvPdfDocument {
  public:
    TPvPdfDocument(QIODevice& device, const QString& title);
    ~TPvPdfDocument();
    TPvPdfDocument(const TPvPdfDocument&) = delete;
    TPvPdfDocument& operator=(const TPvPdfDocument&) = delete;

    // Replays page n as the document's next page. False when the PDF cannot be made.
    bool AddPage(const TPvPageList& pages, int n);
    // Ends the document (one empty page when none was added). False when it failed.
    bool Finish();

  private:
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int added_ = 0;
    bool failed_ = false;
};

// Pages from..to (descending when from > to) into `device`. False when it cannot be
// written.
bool WritePdf(const TPvPageList& pages, QIODevice& device, const QString& title, int from, int to);

// All pages into the file `path`. Throws storage::FileError, with the message a failed save
// shows; the old file is then as it was.
void WritePdfFile(const TPvPageList& pages, const std::string& path, const QString& title);

// A document laid out by `layOut` (which starts by clearing the pages) written into the
// file `path` while it is laid out: each page goes into the PDF as soon as the producers
// leave it and is then released, so memory holds about one page whatever the length. The
// layout runs twice, first to count the pages that "{NUMPAGES}" shows. Throws as
// WritePdfFile; afterwards the page list holds only the released pages.
void StreamPdfFile(TPvPageList& pages, const std::function<void()>& layOut, const std::string& path,
                   const QString& title);

}  // namespace print
