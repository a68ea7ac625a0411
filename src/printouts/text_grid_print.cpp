#include "printouts/text_grid_print.h"

#include <algorithm>

#include "print/page_list.h"
#include "print/text_layout.h"
#include "print/text_measurer.h"
#include "printouts/grid_geometry.h"

namespace gui {

namespace {

// The cell's inset on both sides (as the layout keeps it) and a little air.
constexpr print::TPvExtended kCellPadding = 0.08L;

}  // namespace

TextGridPrint::TextGridPrint() {
    WordWrap = true;
}

std::string TextGridPrint::CellText(int column, int row) const {
    const std::vector<std::string>& texts = rows_[static_cast<std::size_t>(row)];
    const auto index = static_cast<std::size_t>(column);
    return index < texts.size() ? texts[index] : std::string();
}

int TextGridPrint::ColumnCount() const {
    return rows_.empty() ? 0 : static_cast<int>(rows_.front().size());
}

print::TPvExtended TextGridPrint::textWidth(const print::TPvFont& font,
                                            const std::string& text) const {
    if (!Preview() || !Preview()->HasMeasurer())
        return 0;
    return Preview()->Measurer().TextWidth(font, text, print::kPvReferenceDpi) /
           print::kPvReferenceDpi;
}

print::TPvExtended TextGridPrint::NaturalColumnWidth(int column) const {
    print::TPvExtended width = 0;
    // The title's words, each on a line of its own at the narrowest.
    const std::string title = CellText(column, 0);
    std::size_t start = 0;
    while (start <= title.size()) {
        const std::size_t end = std::min(title.find(' ', start), title.size());
        width = std::max(width, textWidth(FixedCellFont, title.substr(start, end - start)));
        start = end + 1;
    }
    for (int row = 1; row < GridRowCount(); ++row)
        width = std::max(width, textWidth(Font, CellText(column, row)));
    return width + kCellPadding;
}

print::TPvExtended TextGridPrint::NaturalRowHeight(int row) const {
    print::TPvExtended height = print::TPvExtended(kDefaultRowHeight) / kDesignDotsPerInch;
    // The layout measures a row in whatever font the cell drawn before it left on the
    // canvas: the first figures would be measured in the titles' font, and a figure that
    // wraps in its own font would overflow its row. Each row is measured in its own here.
    const print::TPvDecimalList& widths = ColumnWidths();
    if (!Preview() || !Preview()->HasMeasurer() || widths.size() != std::size_t(ColumnCount()))
        return height;
    const print::TPvFont& font = IsFixedCell(0, row) ? FixedCellFont : Font;
    const print::TPvExtended inset = Preview()->Canvas.TextInset.Inches();
    for (int column = 0; column < ColumnCount(); ++column) {
        const std::string text = CellText(column, row);
        if (text.empty())
            continue;
        height = std::max(height,
                          print::LaidOutHeight(Preview()->Measurer(), font, text,
                                               widths[std::size_t(column)] - 2 * inset, WordWrap) +
                              2 * inset);
    }
    return height;
}

print::TPvColor TextGridPrint::FixedColor() const {
    return print::PvRgb(kHeaderRgb[0], kHeaderRgb[1], kHeaderRgb[2]);
}

}  // namespace gui
