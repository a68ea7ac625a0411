#pragma once

// Pages drawn into images, and where their ink falls.

#include <QImage>
#include <QPainter>
#include <QRect>

#include "print/replay.h"

namespace print::testing {

// Page n of the list on white paper at the given resolution.
inline QImage RenderPage(const TPvPageList& pages, int n, int dpi) {
    const TPvPage& page = pages.Page(n);
    QImage image(int(InchesToDots(page.Width, dpi)), int(InchesToDots(page.Height, dpi)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    QPainter painter(&image);
    ReplayPage(painter, pages, n, {TPvExtended(dpi), TPvExtended(dpi)}, false);
    return image;
}

inline bool Ink(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The smallest rectangle holding every dark pixel inside `area` (empty when none).
inline QRect InkBounds(const QImage& image, QRect area = QRect()) {
    if (area.isNull())
        area = image.rect();
    area &= image.rect();
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (Ink(image, x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

}  // namespace print::testing
