#pragma once

// PvGridPrint1: the grid-to-page layout over the schedule table. Columns and rows take
// the grid's designed sizes (615 pixels across at 96 dots per inch, rows 21 pixels), not
// whatever size the window's grid happens to have, so the pages never depend on the window.

#include <functional>

#include "loan/schedule_table.h"
#include "print/abstract_grid_print.h"

namespace gui {

class TPvGridPrint : public print::TPvAbstractGridPrint {
  public:
    const loan::ScheduleTable* Grid() const { return grid_; }
    void SetGrid(const loan::ScheduleTable* grid) { grid_ = grid; }

    // When set, draws each cell in place of the built-in drawing.
    std::function<void(TPvGridPrint& sender, int column, int row, print::TPvCanvas& canvas,
                       const print::TPvRectInches& cell)>
        OnDrawCell;

  protected:
    std::string ClassName() const override { return "TPvGridPrint"; }
    bool HasGrid() const override { return grid_ != nullptr; }
    std::string GridMissingMessage() const override;
    std::string CellText(int column, int row) const override;
    int ColumnCount() const override;
    int GridRowCount() const override;
    print::TPvExtended NaturalColumnWidth(int column) const override;
    print::TPvExtended NaturalRowHeight(int row) const override;
    bool IsFixedCell(int column, int row) const override;
    print::TPvColor FixedColor() const override;
    bool CustomDrawingWanted() const override { return static_cast<bool>(OnDrawCell); }
    void CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                        const print::TPvRectInches& cell) override;

  private:
    const loan::ScheduleTable* grid_ = nullptr;
};

}  // namespace gui
