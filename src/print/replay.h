#pragma once

// Replay of a recorded page onto any QPainter: the screen, a printer, a PDF or an image.
// The painter's coordinates must be device dots measured from the paper's top-left corner
// at the resolution given; text sizes come from the reference measurements, scaled.

#include <QBrush>
#include <QColor>
#include <QPen>

#include "print/page_list.h"

class QPainter;

namespace print {

struct TPvDeviceResolution {
    TPvExtended X = 600;
    TPvExtended Y = 600;
};

QColor ToQColor(TPvColor color);
// The recorded pen at a resolution: width in quarter points, a thin solid pen as one dot,
// flat ends and mitred joins, "none" as no pen.
QPen ToQPen(const TPvPen& pen, TPvExtended dotsPerInch);
QBrush ToQBrush(const TPvBrush& brush);

// The whole page: its laid-out text part, its objects in recorded order (only printable
// ones when `forPrinter`), then the header and footer bands.
void ReplayPage(QPainter& painter, const TPvPageList& pages, int pageNumber,
                TPvDeviceResolution resolution, bool forPrinter);

// The parts, for callers that draw something between them.
void ReplayObjects(QPainter& painter, const TPvPageList& pages, int pageNumber,
                   TPvDeviceResolution resolution, bool forPrinter);
void ReplayBand(QPainter& painter, const TPvPageList& pages, const TPvHeaderFooter& band,
                const TPvBandLayout& layout, TPvDeviceResolution resolution);

}  // namespace print
