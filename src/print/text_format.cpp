#include "print/text_format.h"

#include <string>

#include "print/text_layout.h"

namespace print {

namespace {

// The text cut into characters: each code point's bytes and its UTF-16 position.
struct Characters {
    std::vector<std::string_view> bytes;
    std::vector<int> position;  // one more entry than characters: the end
};

std::size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

Characters split(std::string_view text) {
    Characters result;
    int position = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::min(sequenceLength(text[i]), text.size() - i);
        result.bytes.push_back(text.substr(i, length));
        result.position.push_back(position);
        position += length == 4 ? 2 : 1;
        i += length;
    }
    result.position.push_back(position);
    return result;
}

bool isLineEnd(std::string_view character) {
    return character == "\r" || character == "\n";
}

// Index of the character at UTF-16 position `first` (or the first one after it).
std::size_t indexAt(const Characters& characters, int first) {
    std::size_t index = 0;
    while (index + 1 < characters.position.size() && characters.position[index] < first)
        ++index;
    return index;
}

}  // namespace

int TextLength(std::string_view text) {
    return split(text).position.back();
}

std::string TextRange(std::string_view text, int first, int length) {
    const Characters characters = split(text);
    std::string result;
    for (std::size_t i = indexAt(characters, first);
         i < characters.bytes.size() && characters.position[i] < first + length; ++i)
        result += characters.bytes[i];
    return result;
}

TPvFormattedRange FormatTextRange(const TPvTextMeasurer& measurer, const TPvRichText& text,
                                  int first, TPvExtended width, TPvExtended height) {
    const Characters characters = split(text.Text);
    const std::size_t count = characters.bytes.size();
    const TPvExtended lineHeight =
        measurer.LineHeight(text.Font, kPvReferenceDpi) / kPvReferenceDpi;
    const auto widthOf = [&](std::size_t from, std::size_t to) {
        std::string run;
        for (std::size_t i = from; i < to; ++i) run += characters.bytes[i];
        return measurer.TextWidth(text.Font, run, kPvReferenceDpi) / kPvReferenceDpi;
    };

    TPvFormattedRange range;
    std::size_t start = indexAt(characters, first);
    while (start < count) {
        if (!range.Lines.empty() && (range.Lines.size() + 1) * lineHeight > height)
            break;
        // Grow the line word by word; a word is its characters and the blank after it.
        std::size_t end = start;
        bool closed = false;
        while (end < count && !closed) {
            std::size_t wordEnd = end;
            while (wordEnd < count && characters.bytes[wordEnd] != " " &&
                   !isLineEnd(characters.bytes[wordEnd]))
                ++wordEnd;
            const std::size_t visibleEnd = wordEnd;
            if (wordEnd < count)
                ++wordEnd;  // the blank or line end belongs to the word
            if (widthOf(start, visibleEnd) > width) {
                if (end == start) {
                    // A word wider than the line: break it where the line is full.
                    end = start + 1;
                    while (end < visibleEnd && widthOf(start, end + 1) <= width) ++end;
                }
                closed = true;
                break;
            }
            end = wordEnd;
            closed = end > 0 && isLineEnd(characters.bytes[end - 1]);
        }
        range.Lines.push_back(
            {characters.position[start], characters.position[end] - characters.position[start]});
        start = end;
    }
    range.Next = characters.position[start];
    return range;
}

}  // namespace print
