#include "print/pdf_output.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

#include "print/replay.h"

namespace print {

namespace {

QPageLayout LayoutOf(const TPvPage& page) {
    // The page's own size, portrait: the orientation turns it.
    const bool landscape = page.Orientation == pvLandscape;
    const TPvExtended width = landscape ? page.Height : page.Width;
    const TPvExtended height = landscape ? page.Width : page.Height;
    const QPageSize size(QSizeF(double(width * 25.4L), double(height * 25.4L)),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

}  // namespace

bool WritePdf(const TPvPageList& pages, QIODevice& device, const QString& title, int from, int to) {
    if (device.isOpen() && !device.isWritable())
        return false;
    from = std::clamp(from, 1, pages.PageCount());
    to = std::clamp(to, 1, pages.PageCount());
    const int step = from <= to ? 1 : -1;

    QPdfWriter writer(&device);
    writer.setResolution(kPdfResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Ссудомер 2.0"));
    writer.setPageLayout(LayoutOf(pages.Page(from)));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const TPvDeviceResolution resolution{kPdfResolution, kPdfResolution};
    for (int n = from;; n += step) {
        ReplayPage(painter, pages, n, resolution, true);
        if (n == to)
            break;
        writer.setPageLayout(LayoutOf(pages.Page(n + step)));
        if (!writer.newPage())
            return false;
    }
    return painter.end();
}

bool WritePdfFile(const TPvPageList& pages, const QString& path, const QString& title,
                  QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!WritePdf(pages, file, title, 1, pages.PageCount())) {
        file.cancelWriting();
        if (error)
            *error = QStringLiteral("the PDF could not be written");
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace print
