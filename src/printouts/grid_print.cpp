#include "printouts/grid_print.h"

#include "printouts/grid_geometry.h"

namespace gui {

namespace {

constexpr int kFixedRows = 1;
constexpr int kFixedColumns = 0;

}  // namespace

std::string TPvGridPrint::GridMissingMessage() const {
    // The closing double quote belongs to the message.
    return "The \"Grid\" property must be set to a valid grid component\"";
}

std::string TPvGridPrint::CellText(int column, int row) const {
    return grid_->cell(column, row);
}

int TPvGridPrint::ColumnCount() const {
    return loan::ScheduleTable::kColumnCount;
}

int TPvGridPrint::GridRowCount() const {
    return grid_->rowCount();
}

print::TPvExtended TPvGridPrint::NaturalColumnWidth(int column) const {
    return print::TPvExtended(kColumnWidths[column]) / kDesignDotsPerInch;
}

print::TPvExtended TPvGridPrint::NaturalRowHeight(int /*row*/) const {
    return print::TPvExtended(kDefaultRowHeight) / kDesignDotsPerInch;
}

bool TPvGridPrint::IsFixedCell(int column, int row) const {
    return column < kFixedColumns || row < kFixedRows;
}

print::TPvColor TPvGridPrint::FixedColor() const {
    return print::PvRgb(kHeaderRgb[0], kHeaderRgb[1], kHeaderRgb[2]);
}

void TPvGridPrint::CustomDrawCell(int column, int row, print::TPvCanvas& canvas,
                                  const print::TPvRectInches& cell) {
    OnDrawCell(*this, column, row, canvas, cell);
}

}  // namespace gui
