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

// Number of lines the text takes in a box `width` reference dots wide. With word wrap a
// line ends before a word that would overflow it and after a word ending in a carriage
// return; a word wider than the box alone joins the current line, which then ends.
// Without word wrap only carriage returns end lines.
int CountLines(const TPvTextMeasurer& measurer, const TPvFont& font, std::string_view text,
               TPvExtended width, bool wordWrap);

// Height of the laid-out text in inches (whole reference dots), without any inset.
TPvExtended LaidOutHeight(const TPvTextMeasurer& measurer, const TPvFont& font,
                          std::string_view text, TPvExtended widthInches, bool wordWrap);

}  // namespace print
