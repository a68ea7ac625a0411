#pragma once

// Lays the cells of a grid out as a ruled table on the pages of a preview, through its
// recording canvas, continuing on following pages with the title row repeated. The layout
// reads its grid only through the accessors below; a subclass fills them for its kind of
// grid.
//
// The preview is reached through the document it shows (its page list), so pages can be
// laid out with no window at all, for a PDF file; a preview control repaints once its
// document's update ends.

#include <functional>
#include <string>
#include <vector>

#include "print/graphics.h"
#include "print/measurement.h"
#include "print/objects.h"

namespace print {

class TPvCanvas;
class TPvPageList;

enum TPvGridOption : unsigned {
    pvVertLine = 1,
    pvHorzLine = 2,
    pvFixedRowPerPage = 4,
    pvFixedCells3D = 8,
    pvGridBorder = 16,
};

// A rectangle in inches.
struct TPvRectInches {
    TPvExtended Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The printed column widths, in inches, one per column.
using TPvDecimalList = std::vector<TPvExtended>;

class TPvAbstractGridPrint {
  public:
    TPvAbstractGridPrint();
    virtual ~TPvAbstractGridPrint();
    TPvAbstractGridPrint(const TPvAbstractGridPrint&) = delete;
    TPvAbstractGridPrint& operator=(const TPvAbstractGridPrint&) = delete;

    // ---- Published properties ------------------------------------------------------------
    TPvColor CellPenColor = clBlack;
    TPvAlignment DefaultCellAlignment = taLeftJustify;
    TPvVertAlignment DefaultCellVertAlignment = pvTop;
    TPvFont Font;
    TPvFont FixedCellFont;  // a copy of Font when the component is made
    unsigned GridOptions = pvVertLine | pvHorzLine | pvFixedRowPerPage | pvGridBorder;
    bool Monochrome = false;
    bool ScaleText = false;  // kept for stored settings; text never follows the width factor
    bool WordWrap = false;

    TPvPageList* Preview() const { return preview_; }
    // Also fixes the bottom reserve: the footer band's height plus the bottom margin (when
    // the document has no font engine yet, at the start of the next run).
    void SetPreview(TPvPageList* preview);

    std::function<void(TPvAbstractGridPrint&sender, int row)> BeforeDrawRow, AfterDrawRow;
    std::function<void(TPvAbstractGridPrint& sender, int percent)> OnDrawProgress;
    std::function<void(TPvAbstractGridPrint& sender, const TPvValue& reached)> OnFinishGrid;
    std::function<void(TPvAbstractGridPrint& sender, int column, int row, TPvAlignment& alignment,
                       TPvVertAlignment& vertical)>
        OnGetCellAlignment;
    std::function<void(TPvAbstractGridPrint& sender, int column, TPvExtended& width)> OnGetColWidth;
    std::function<void(TPvAbstractGridPrint& sender, int row, TPvExtended& height)> OnGetRowHeight;
    std::function<void(TPvAbstractGridPrint& sender, TPvValue& pageTop, TPvValue& bottomReserve)>
        OnGridNewPage;

    // ---- Layout ----------------------------------------------------------------------------
    // Lays the whole grid out from the preview's current page on, its top-left corner at
    // (x, y); a width of 0 keeps the grid's natural width. Lengths are in `unit`.
    void PrintGrid(TPvMeasurement unit, TPvExtended x, TPvExtended y, TPvExtended width);

    // The state of the last run, for the curious (inches).
    TPvExtended WidthFactor() const { return widthFactor_; }
    const TPvDecimalList& ColumnWidths() const { return columnWidths_; }
    TPvExtended TotalWidth() const { return totalWidth_; }
    const TPvValue& BottomReserve() const { return bottomReserve_; }
    // Lowest y a row may reach on a page: the page height less the footer band and the
    // bottom reserve (which holds the footer band once more).
    TPvExtended GridBottomLimit() const;
    TPvExtended FooterBandHeight() const;

  protected:
    // ---- The grid, as the layout sees it -------------------------------------------------
    virtual std::string ClassName() const = 0;
    // False while no grid is attached; PrintGrid then reports GridMissingMessage().
    virtual bool HasGrid() const = 0;
    virtual std::string GridMissingMessage() const = 0;
    virtual std::string CellText(int column, int row) const = 0;
    virtual int ColumnCount() const = 0;
    virtual int GridRowCount() const = 0;
    virtual TPvExtended NaturalColumnWidth(int column) const = 0;  // inches
    virtual TPvExtended NaturalRowHeight(int row) const = 0;       // inches
    virtual bool IsFixedCell(int column, int row) const = 0;
    virtual TPvColor FixedColor() const = 0;
    virtual bool CustomDrawingWanted() const { return false; }
    // Draws a cell in place of DrawCell when CustomDrawingWanted().
    virtual void CustomDrawCell(int /*column*/, int /*row*/, TPvCanvas& /*canvas*/,
                                const TPvRectInches& /*cell*/) {}

    // The row count, read from the grid once per run.
    int RowCount();

    TPvExtended RowHeight(int row);
    void DrawRow(const TPvRectInches& rect, int row);
    void DrawCell(const TPvRectInches& cell, int column, int row);

  private:
    void BuildColumnWidths();
    void GridNewPage();
    void DrawPartBorder();
    TPvCanvas& canvas() const;

    void FixBottomReserve();

    TPvPageList* preview_ = nullptr;
    bool reserveFixed_ = false;
    TPvDecimalList columnWidths_;
    TPvExtended totalWidth_ = 0;
    TPvExtended widthFactor_ = 1;
    TPvExtended tableLeft_ = 0;
    TPvExtended nextRowTop_ = 0;
    TPvValue pageTop_;
    TPvValue bottomReserve_;
    TPvExtended areaLeft_ = 0, areaTop_ = 0;
    TPvRectInches lastRowRect_;
    int rowCountCache_ = -1;
};

}  // namespace print
