#include "printouts/text_grid_print.h"

#include <algorithm>

#include "printouts/grid_geometry.h"
#include "print/page_list.h"
#include "print/text_measurer.h"

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

print::TPvExtended TextGridPrint::NaturalRowHeight(int /*row*/) const {
    return print::TPvExtended(kDefaultRowHeight) / kDesignDotsPerInch;
}

print::TPvColor TextGridPrint::FixedColor() const {
    return print::PvRgb(kHeaderRgb[0], kHeaderRgb[1], kHeaderRgb[2]);
}

}  // namespace gui
