#include "print/preview_geometry.h"

#include <algorithm>
#include <cmath>

namespace print {

bool TPvZoomRules::SetZoom(int zoom) {
    zoom = std::clamp(zoom, min_, max_);
    if (zoom == zoom_)
        return false;
    zoom_ = zoom;
    return true;
}

bool TPvZoomRules::ZoomIn() {
    if (ZoomStyle == pvFixedZoom)
        return SetZoom(zoom_ + ZoomIncrement);
    for (int step : kZoomSteps) {
        if (step > zoom_)
            return SetZoom(step);
    }
    return false;
}

bool TPvZoomRules::ZoomOut() {
    if (ZoomStyle == pvFixedZoom)
        return SetZoom(zoom_ - ZoomIncrement);
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it) {
        if (*it < zoom_)
            return SetZoom(*it);
    }
    return false;
}

bool TPvZoomRules::SetMaxZoom(int maxZoom) {
    if (maxZoom == max_)
        return false;
    max_ = std::max(maxZoom, min_);
    return zoom_ > max_ && SetZoom(max_);
}

bool TPvZoomRules::SetMinZoom(int minZoom) {
    if (minZoom == min_)
        return false;
    min_ = std::min(minZoom, max_);
    return zoom_ < min_ && SetZoom(min_);
}

int ScreenPixels(TPvExtended inches, int zoom) {
    return int(std::lround(kPixelsPerInch * inches * zoom / 100));
}

int PaperStart(int clientExtent, int gutter, int paperExtent, int scroll) {
    const int range = ScrollRange(paperExtent, gutter);
    if (range <= clientExtent)
        return gutter + (clientExtent - 2 * gutter - paperExtent) / 2;
    return gutter - scroll;
}

int KeepScrollShare(int position, int oldRange, int newRange, int clientExtent) {
    const int oldScrollable = oldRange - clientExtent;
    const int newScrollable = newRange - clientExtent;
    if (oldScrollable < 1 || newScrollable < 1)
        return 0;
    const double share = double(position) / oldScrollable;
    return int(std::lround(share * newScrollable));
}

}  // namespace print
