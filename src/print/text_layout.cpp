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

namespace {

// Bytes of the longest start of `text` (whole UTF-8 characters, at least one) that is at
// most `width` wide.
std::size_t FittingPrefix(const TPvTextMeasurer& measurer, const TPvFont& font,
                          std::string_view text, TPvExtended width) {
    std::vector<std::size_t> ends;  // the byte after each character
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ends.push_back(i);
    }
    std::size_t fits = 0, tooWide = ends.size();  // indices into `ends`
    while (tooWide - fits > 1) {
        const std::size_t middle = (fits + tooWide) / 2;
        if (measurer.TextWidth(font, text.substr(0, ends[middle]), kPvReferenceDpi) <= width)
            fits = middle;
        else
            tooWide = middle;
    }
    return ends[fits];
}

std::vector<TPvLineSpan> UnwrappedLines(std::string_view text) {
    std::vector<TPvLineSpan> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            lines.push_back({start, i + 1 - start});
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.push_back({start, text.size() - start});
    return lines;
}

}  // namespace

std::vector<TPvLineSpan> LayoutLines(const TPvTextMeasurer& measurer, const TPvFont& font,
                                     std::string_view text, TPvExtended width, bool wordWrap) {
    if (!wordWrap)
        return UnwrappedLines(text);
    std::vector<TPvLineSpan> lines;
    std::size_t lineStart = 0;
    TPvExtended lineWidth = 0;
    bool lineOpen = false;
    const auto endLineAt = [&](std::size_t end) {
        lines.push_back({lineStart, end - lineStart});
        lineStart = end;
        lineWidth = 0;
        lineOpen = false;
    };
    for (std::string_view word : SplitWords(text)) {
        const std::size_t wordStart = std::size_t(word.data() - text.data());
        const bool breaksLine = word.back() == '\r';
        const std::string_view body = breaksLine ? word.substr(0, word.size() - 1) : word;
        TPvExtended wordWidth = measurer.TextWidth(font, body, kPvReferenceDpi);
        if (wordWidth > width) {
            // Too wide for any line: it starts one of its own and goes on in pieces that
            // fit, its blank kept with the last piece.
            if (lineOpen)
                endLineAt(wordStart);
            std::string_view rest = body;
            if (!rest.empty() && rest.back() == ' ')
                rest.remove_suffix(1);
            while (!rest.empty() && measurer.TextWidth(font, rest, kPvReferenceDpi) > width) {
                const std::size_t piece = FittingPrefix(measurer, font, rest, width);
                if (piece == rest.size())
                    break;  // one character wider than the box: the line holds it alone
                endLineAt(lineStart + piece);
                rest.remove_prefix(piece);
            }
            wordWidth =
                measurer.TextWidth(font, body.substr(lineStart - wordStart), kPvReferenceDpi);
        } else if (lineOpen && lineWidth + wordWidth > width) {
            endLineAt(wordStart);
        }
        lineWidth += wordWidth;
        lineOpen = true;
        if (breaksLine)
            endLineAt(wordStart + word.size());
    }
    if (lineOpen)
        endLineAt(text.size());
    return lines;
}

int CountLines(const TPvTextMeasurer& measurer, const TPvFont& font, std::string_view text,
               TPvExtended width, bool wordWrap) {
    return int(LayoutLines(measurer, font, text, width, wordWrap).size());
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
