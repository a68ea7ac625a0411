#pragma once

// The preview's zoom rules and where the paper lies in the control: plain arithmetic,
// kept apart from the widget so that it reads (and is tested) on its own.

#include <optional>

#include "print/measurement.h"

namespace print {

enum TPvZoomStyle { pvFixedZoom, pvVariableZoom };

// Percent.
constexpr int kZoomSteps[] = {7, 10, 14, 20, 30, 45, 60, 80, 120, 170, 250, 350, 500, 650, 800};

class TPvZoomRules {
  public:
    int Zoom() const { return zoom_; }
    int MinZoom() const { return min_; }
    int MaxZoom() const { return max_; }

    // Each gives true when the zoom changed.
    bool SetZoom(int zoom);
    bool ZoomIn();
    bool ZoomOut();
    // A limit beyond the other one stops at it; a zoom outside the new limits follows.
    bool SetMaxZoom(int maxZoom);
    bool SetMinZoom(int minZoom);

    int ZoomIncrement = 10;
    TPvZoomStyle ZoomStyle = pvVariableZoom;

  private:
    int zoom_ = 20;
    int min_ = 5;
    int max_ = 400;
};

// A length on screen at a zoom, to the nearest pixel (96 per inch).
int ScreenPixels(TPvExtended inches, int zoom);

// Along one axis: the paper's start in the control's client area.
// Centred when the paper and its gutters fit, else scrolled by `scroll`.
int PaperStart(int clientExtent, int gutter, int paperExtent, int scroll);
// The scroll range: the paper and a gutter on each side.
inline int ScrollRange(int paperExtent, int gutter) {
    return paperExtent + 2 * gutter;
}
// A scroll position kept as a share of the scrollable extent when the range changes.
int KeepScrollShare(int position, int oldRange, int newRange, int clientExtent);

}  // namespace print
