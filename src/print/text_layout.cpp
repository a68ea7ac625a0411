#include "print/text_layout.h"

#include <cmath>

namespace print {

std::string NormalizeLineBreaks(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        result.push_back(text[i] == '\n' ? '\r' : text[i]);
    }
    return result;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' || text[i] == '\r') {
            words.push_back(text.substr(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        words.push_back(text.substr(start));
    return words;
}

int CountLines(const TPvTextMeasurer& measurer, const TPvFont& font, std::string_view text,
               TPvExtended width, bool wordWrap) {
    int lines = 0;
    TPvExtended lineWidth = 0;
    bool lineOpen = false;
    auto endLine = [&] {
        ++lines;
        lineWidth = 0;
        lineOpen = false;
    };
    for (std::string_view word : SplitWords(text)) {
        const bool breaksLine = word.back() == '\r';
        if (wordWrap) {
            const std::string_view body = breaksLine ? word.substr(0, word.size() - 1) : word;
            const TPvExtended wordWidth = measurer.TextWidth(font, body, kPvReferenceDpi);
            if (wordWidth > width) {
                // Too wide for any line: it stays on the current one, which ends with it.
                endLine();
                continue;
            }
            if (lineOpen && lineWidth + wordWidth > width)
                endLine();
            lineWidth += wordWidth;
        }
        lineOpen = true;
        if (breaksLine)
            endLine();
    }
    if (lineOpen)
        ++lines;
    return lines;
}

TPvExtended LaidOutHeight(const TPvTextMeasurer& measurer, const TPvFont& font,
                          std::string_view text, TPvExtended widthInches, bool wordWrap) {
    const std::string normalized = NormalizeLineBreaks(text);
    const int lines =
        CountLines(measurer, font, normalized, widthInches * kPvReferenceDpi, wordWrap);
    const TPvExtended dots = std::round(lines * measurer.LineHeight(font, kPvReferenceDpi));
    return dots / kPvReferenceDpi;
}

}  // namespace print
