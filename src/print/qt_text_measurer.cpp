#include "print/qt_text_measurer.h"

#include <QFontMetricsF>
#include <QList>

#include <cmath>

namespace print {

QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QFont ToQFont(const TPvFont& font, TPvExtended dotsPerInch) {
    QFont qfont(QString::fromStdString(font.Name));
    qfont.setPixelSize(std::max(1, int(std::lround(font.Size * dotsPerInch / 72))));
    qfont.setBold(font.Style & pvBold);
    qfont.setItalic(font.Style & pvItalic);
    qfont.setUnderline(font.Style & pvUnderline);
    qfont.setStrikeOut(font.Style & pvStrikeOut);
    qfont.setHintingPreference(QFont::PreferNoHinting);
    qfont.setKerning(false);
    return qfont;
}

TPvQtTextMeasurer::TPvQtTextMeasurer() = default;
TPvQtTextMeasurer::~TPvQtTextMeasurer() = default;

const QFontMetricsF& TPvQtTextMeasurer::Metrics(const TPvFont& font) const {
    auto& slot = metrics_[Key{font.Name, font.Size, font.Style}];
    if (!slot)
        slot = std::make_unique<QFontMetricsF>(ToQFont(font, kPvReferenceDpi));
    return *slot;
}

TPvExtended TPvQtTextMeasurer::TextWidth(const TPvFont& font, std::string_view text,
                                         int dpi) const {
    constexpr std::size_t kRememberedWidths = 20000;
    WidthKey key{font.Name, font.Size, font.Style, std::string(text)};
    auto found = widths_.find(key);
    if (found == widths_.end()) {
        if (widths_.size() >= kRememberedWidths)
            widths_.clear();
        const TPvExtended width = Metrics(font).horizontalAdvance(ToQString(text));
        found = widths_.emplace(std::move(key), width).first;
    }
    return found->second * dpi / kPvReferenceDpi;
}

TPvExtended TPvQtTextMeasurer::LineHeight(const TPvFont& font, int dpi) const {
    const QFontMetricsF& metrics = Metrics(font);
    return TPvExtended(metrics.ascent() + metrics.descent()) * dpi / kPvReferenceDpi;
}

TPvExtended TPvQtTextMeasurer::Ascent(const TPvFont& font, int dpi) const {
    return TPvExtended(Metrics(font).ascent()) * dpi / kPvReferenceDpi;
}

std::vector<TPvExtended> TPvQtTextMeasurer::CharAdvances(const TPvFont& font, std::string_view text,
                                                         int dpi) const {
    const QFontMetricsF& metrics = Metrics(font);
    const QString string = ToQString(text);
    std::vector<TPvExtended> advances;
    for (const char32_t codePoint : string.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        advances.push_back(TPvExtended(metrics.horizontalAdvance(character)) * dpi /
                           kPvReferenceDpi);
    }
    return advances;
}

std::shared_ptr<const TPvTextMeasurer> QtTextMeasurer() {
    return std::make_shared<TPvQtTextMeasurer>();
}

}  // namespace print
