#pragma once

// Text measured with Qt's font engine at the reference resolution. Font names resolve
// through fontconfig, so Arial, Times New Roman and Courier New are measured in their
// metric-compatible Liberation faces.

#include <QFont>
#include <QString>

#include <map>
#include <memory>
#include <string_view>
#include <tuple>

#include "print/text_measurer.h"

class QFontMetricsF;

namespace print {

// The Qt font for a recorded font, `dotsPerInch` giving its pixel size (whole pixels, as
// a device font is). Hinting is off so that sizes scale linearly.
QFont ToQFont(const TPvFont& font, TPvExtended dotsPerInch);
QString ToQString(std::string_view utf8);

class TPvQtTextMeasurer : public TPvTextMeasurer {
  public:
    TPvQtTextMeasurer();
    ~TPvQtTextMeasurer() override;

    TPvExtended TextWidth(const TPvFont& font, std::string_view text, int dpi) const override;
    TPvExtended LineHeight(const TPvFont& font, int dpi) const override;
    TPvExtended Ascent(const TPvFont& font, int dpi) const override;
    std::vector<TPvExtended> CharAdvances(const TPvFont& font, std::string_view text,
                                          int dpi) const override;

  private:
    // Metrics of the font at the reference resolution, kept per font.
    const QFontMetricsF& Metrics(const TPvFont& font) const;

    using Key = std::tuple<std::string, int, unsigned>;
    mutable std::map<Key, std::unique_ptr<QFontMetricsF>> metrics_;
    // Widths of texts met before (table cells repeat words), at the reference resolution;
    // emptied when it grows large.
    using WidthKey = std::tuple<std::string, int, unsigned, std::string>;
    mutable std::map<WidthKey, TPvExtended> widths_;
};

// A measurer for a page list (needs a QGuiApplication while it is used).
std::shared_ptr<const TPvTextMeasurer> QtTextMeasurer();

}  // namespace print
