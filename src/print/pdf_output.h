#pragma once

// A page list written as a PDF file through the same replay as the screen and the printer:
// one PDF page per page, on the page's own paper, text kept as text.

#include <QString>

#include "print/page_list.h"

class QIODevice;

namespace print {

constexpr int kPdfResolution = 1200;

// Pages from..to (descending when from > to) into `device`. False when it cannot be
// written.
bool WritePdf(const TPvPageList& pages, QIODevice& device, const QString& title, int from, int to);
// All pages into a file, replacing it only when the whole document was written: a failed
// write leaves an existing file as it was. `error` gets the reason of a failure.
bool WritePdfFile(const TPvPageList& pages, const QString& path, const QString& title,
                  QString* error = nullptr);

}  // namespace print
