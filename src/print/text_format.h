#pragma once

// Laying a plain text out into a formatting rectangle, as an editor formats a page: lines
// break after the blank before a word that would overflow the line, at every line end, and
// inside a word only when the word alone is wider than the rectangle. Lines are one line
// of the font high. Character positions count UTF-16 code units, as an editor counts them.

#include <string_view>
#include <vector>

#include "print/resource_table.h"
#include "print/text_measurer.h"

namespace print {

// Characters [First, First + Length) of the text; a line end that closes the line is
// counted in it.
struct TPvTextLine {
    int First = 0;
    int Length = 0;
};

struct TPvFormattedRange {
    std::vector<TPvTextLine> Lines;
    int Next = 0;  // the first character that did not fit (the text's length when all did)
};

// Number of characters of the text (UTF-8) in UTF-16 code units.
int TextLength(std::string_view text);

// The lines from character `first` on that fit into a rectangle `width` by `height` inches.
// When any character is left, at least one line is placed, so that a rectangle lower than
// a line cannot stall a caller that continues on further pages.
TPvFormattedRange FormatTextRange(const TPvTextMeasurer& measurer, const TPvRichText& text,
                                  int first, TPvExtended width, TPvExtended height);

// The UTF-8 text of characters [first, first + length).
std::string TextRange(std::string_view text, int first, int length);

}  // namespace print
