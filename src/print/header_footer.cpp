#include "print/header_footer.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace print {

TPvHeaderFooterCaption& TPvHeaderFooter::Caption(int index) {
    return index == 0 ? CaptionLeft : index == 1 ? CaptionCenter : CaptionRight;
}

const TPvHeaderFooterCaption& TPvHeaderFooter::Caption(int index) const {
    return index == 0 ? CaptionLeft : index == 1 ? CaptionCenter : CaptionRight;
}

int TPvHeaderFooter::LargestCaption() const {
    int largest = 0;
    for (int i = 1; i < 3; ++i) {
        if (Caption(i).Font.Size > Caption(largest).Font.Size)
            largest = i;
    }
    return largest;
}

TPvExtended TPvHeaderFooter::BandHeight(const TPvTextMeasurer& measurer) const {
    if (Height.Inches() != 0)
        return Height.Inches();
    constexpr int kBandDpi = 600;
    const TPvFont& font = Caption(LargestCaption()).Font;
    return std::round(measurer.LineHeight(font, kBandDpi)) / kBandDpi;
}

TPvTokenValues CurrentTokenValues(int page, int numPages) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d.%02d", local.tm_hour, local.tm_min);
    return {date, time, page, numPages};
}

std::string ReplaceTokens(std::string_view text, const TPvTokenValues& values) {
    const std::pair<std::string_view, std::string> tokens[] = {
        {"{DATE}", values.Date},
        {"{TIME}", values.Time},
        {"{PAGE}", std::to_string(values.Page)},
        {"{NUMPAGES}", std::to_string(values.NumPages)},
    };
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == '{') {
            for (const auto& [token, value] : tokens) {
                if (text.substr(i, token.size()) == token) {
                    result += value;
                    i += token.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            result.push_back(text[i++]);
    }
    return result;
}

TPvBandLayout LayoutBand(const TPvHeaderFooter& band, const TPvTextMeasurer& measurer,
                         TPvExtended pageWidth, TPvExtended pageHeight, TPvExtended leftMargin,
                         TPvExtended topMargin, TPvExtended rightMargin, TPvExtended bottomMargin,
                         const TPvTokenValues& tokens) {
    TPvBandLayout layout;
    const TPvExtended height = band.BandHeight(measurer);
    layout.Left = leftMargin;
    layout.Right = pageWidth - rightMargin;
    if (band.IsHeader()) {
        layout.Top = topMargin;
        layout.Bottom = topMargin + height;
        layout.LineY = layout.Bottom;
    } else {
        layout.Bottom = pageHeight - bottomMargin;
        layout.Top = layout.Bottom - height;
        layout.LineY = layout.Top;
    }
    layout.ShowLine = band.ShowLine;

    for (int index = 0; index < 3; ++index) {
        const TPvHeaderFooterCaption& caption = band.Caption(index);
        std::string text = ReplaceTokens(caption.Caption, tokens);
        if (text.empty())
            continue;
        const TPvExtended width =
            measurer.TextWidth(caption.Font, text, kPvReferenceDpi) / kPvReferenceDpi;
        const TPvExtended lineHeight =
            std::round(measurer.LineHeight(caption.Font, kPvReferenceDpi)) / kPvReferenceDpi;
        TPvBandCaptionPlace place{index, std::move(text), layout.Left, 0};
        if (index == 1)
            place.Left = (layout.Left + layout.Right - width) / 2;
        else if (index == 2)
            place.Left = layout.Right - width;
        place.Top = band.IsHeader() ? layout.Bottom - lineHeight : layout.Top;
        layout.Captions.push_back(std::move(place));
    }
    return layout;
}

}  // namespace print
