#pragma once

// Laid-out text on pages: a shared text of the resource table, formatted line by line into
// a page's rectangle. Lines are broken and measured once at the reference resolution;
// fitting (how much text a page takes) and drawing use the same lines.

#include <vector>

#include "print/page_list.h"
#include "print/replay.h"

class QPainter;

namespace print {

struct TPvTextLine {
    int Start;           // first character (UTF-16 code units from the text's start)
    int Length;          // characters, the line break that ends it included
    TPvExtended Top;     // inches below the rectangle's top
    TPvExtended Height;  // inches
};

// The lines of `text` from the line holding `firstChar` on, laid out in a rectangle
// `widthInches` wide (ten times as wide without word wrap), as many as fit within
// `heightInches`. A word wider than the rectangle is broken at its edge. At least one line
// is given when any text remains, so that a line taller than the rectangle cannot stop the
// text from moving on.
std::vector<TPvTextLine> LayoutRichText(const TPvRichText& text, TPvExtended widthInches,
                                        TPvExtended heightInches, bool wordWrap, int firstChar);

// The number of characters in the text (UTF-16 code units).
int RichTextLength(const TPvRichText& text);

// Draws the page's part of its shared text.
void DrawRichTextPart(QPainter& painter, const TPvPageList& pages, const TPvPageRtfInfo& part,
                      TPvDeviceResolution resolution);

}  // namespace print
