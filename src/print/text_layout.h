#pragma once

// The word rules by which text is measured into a box.

#include <string>
#include <string_view>
#include <vector>

#include "print/text_measurer.h"

namespace print {

// "\r\n" and a lone "\n" become "\r", the one line break the rules know.
std::string NormalizeLineBreaks(std::string_view text);

// Words run up to and including the next blank or carriage return.
std::vector<std::string_view> SplitWords(std::string_view text);

// One line of laid-out text: its bytes in the text, the line break ending it included.
struct TPvLineSpan {
    std::size_t Start;
    std::size_t Length;
};

// The lines of `text` (line breaks already reduced to "\r") in a box `width` reference
// dots wide; every byte is on one line, in order. With word wrap a line ends before a word
// that would overflow it and after a word ending in a carriage return; a word wider than
// the box starts a line of its own and is broken into pieces of as many whole characters
// as fit (at least one), so that nothing runs past the box. Without word wrap only
// carriage returns end lines. Measuring and drawing both lay text out this way.
std::vector<TPvLineSpan> LayoutLines(const TPvTextMeasurer& measurer, const TPvFont& font,
                                     std::string_view text, TPvExtended width, bool wordWrap);

// Number of lines the text takes in a box `width` reference dots wide (see LayoutLines).
int CountLines(const TPvTextMeasurer& measurer, const TPvFont& font, std::string_view text,
               TPvExtended width, bool wordWrap);

// Height of the laid-out text in inches (whole reference dots), without any inset.
TPvExtended LaidOutHeight(const TPvTextMeasurer& measurer, const TPvFont& font,
                          std::string_view text, TPvExtended widthInches, bool wordWrap);

}  // namespace print
