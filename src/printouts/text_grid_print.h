#pragma once

// A ruled table of texts laid out over the pages: the title row first, then the body rows,
// as many columns as the title row has. Each column's natural width is measured from its
// texts, so that every figure keeps its line and a title wraps between its words.

#include <string>
#include <vector>

#include "print/abstract_grid_print.h"

namespace gui {

class TextGridPrint : public print::TPvAbstractGridPrint {
  public:
    TextGridPrint();

    // Row 0 is the title row; every row has as many texts as it.
    void SetRows(std::vector<std::vector<std::string>> rows) { rows_ = std::move(rows); }
    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }

  protected:
    std::string ClassName() const override { return "TPvTextGridPrint"; }
    bool HasGrid() const override { return !rows_.empty(); }
    std::string GridMissingMessage() const override { return "The table has no rows"; }
    std::string CellText(int column, int row) const override;
    int ColumnCount() const override;
    int GridRowCount() const override { return static_cast<int>(rows_.size()); }
    // The widest body text whole, or the title's longest word when that is wider.
    print::TPvExtended NaturalColumnWidth(int column) const override;
    // The row's texts laid out in its own font in the widths of this run.
    print::TPvExtended NaturalRowHeight(int row) const override;
    bool IsFixedCell(int /*column*/, int row) const override { return row == 0; }
    print::TPvColor FixedColor() const override;

  private:
    print::TPvExtended textWidth(const print::TPvFont& font, const std::string& text) const;

    std::vector<std::vector<std::string>> rows_;
};

}  // namespace gui
