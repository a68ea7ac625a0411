#include "print/abstract_grid_print.h"

#include <algorithm>

#include "print/page_list.h"
#include "print/producer_support.h"
#include "print/error_report.h"

namespace print {

namespace {

constexpr TPvExtended kCellInset = 0.025L;  // inches, on every side of a cell's text
const TPvPen kClearPen{clPvNone, 1, pvPenClear, pvModeCopy};

}  // namespace

TPvAbstractGridPrint::TPvAbstractGridPrint() {
    Font = PvFont("Arial", 8);
    FixedCellFont = Font;
}

TPvAbstractGridPrint::~TPvAbstractGridPrint() = default;

void TPvAbstractGridPrint::SetPreview(TPvPageList* preview) {
    preview_ = preview;
    reserveFixed_ = false;
    if (preview_ && preview_->HasMeasurer())
        FixBottomReserve();
}

void TPvAbstractGridPrint::FixBottomReserve() {
    bottomReserve_.SetInches(FooterBandHeight() + preview_->Margins.Bottom.Inches());
    reserveFixed_ = true;
}

TPvExtended TPvAbstractGridPrint::FooterBandHeight() const {
    return preview_->FooterHeight();
}

TPvCanvas& TPvAbstractGridPrint::canvas() const {
    return preview_->Canvas;
}

int TPvAbstractGridPrint::RowCount() {
    if (rowCountCache_ < 0)
        rowCountCache_ = GridRowCount();
    return rowCountCache_;
}

TPvExtended TPvAbstractGridPrint::GridBottomLimit() const {
    if (!preview_)
        return 0;
    return preview_->PageHeight(pvInches) - FooterBandHeight() - bottomReserve_.Inches();
}

void TPvAbstractGridPrint::PrintGrid(TPvMeasurement unit, TPvExtended x, TPvExtended y,
                                     TPvExtended width) {
    if (!preview_) {
        PvReport(PvComponentError(ClassName(), kPvPreviewMissing));
        return;
    }
    if (!HasGrid()) {
        PvReport(PvComponentError(ClassName(), GridMissingMessage()));
        return;
    }
    if (!reserveFixed_)
        FixBottomReserve();
    rowCountCache_ = -1;

    TPvExtended naturalWidth = 0;
    for (int column = 0; column < ColumnCount(); ++column)
        naturalWidth += NaturalColumnWidth(column);
    widthFactor_ = width != 0 && naturalWidth != 0 ? ToInches(width, unit) / naturalWidth : 1.0L;

    TPvUpdateScope update(*preview_);
    BuildColumnWidths();
    tableLeft_ = ToInches(x, unit);
    nextRowTop_ = ToInches(y, unit);
    areaLeft_ = tableLeft_;
    areaTop_ = nextRowTop_;
    pageTop_.SetInches(nextRowTop_);
    lastRowRect_ = {tableLeft_, nextRowTop_, tableLeft_ + totalWidth_, nextRowTop_};
    canvas().Font = Font;

    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        const TPvExtended height = RowHeight(row);
        if (BeforeDrawRow)
            BeforeDrawRow(*this, row);
        // A row that ends exactly at the limit still fits.
        if (GridBottomLimit() < nextRowTop_ + height)
            GridNewPage();
        lastRowRect_ = {tableLeft_, nextRowTop_, tableLeft_ + totalWidth_, nextRowTop_ + height};
        DrawRow(lastRowRect_, row);
        nextRowTop_ += height;
        if (AfterDrawRow)
            AfterDrawRow(*this, row);
        if (OnDrawProgress)
            OnDrawProgress(*this, static_cast<int>((row + 1) * 100LL / rows));
    }
    if (OnFinishGrid)
        OnFinishGrid(*this, TPvValue(nextRowTop_));
    DrawPartBorder();
}

void TPvAbstractGridPrint::BuildColumnWidths() {
    columnWidths_.clear();
    totalWidth_ = 0;
    for (int column = 0; column < ColumnCount(); ++column) {
        TPvExtended width = NaturalColumnWidth(column) * widthFactor_;
        if (OnGetColWidth)
            OnGetColWidth(*this, column, width);
        columnWidths_.push_back(width);
        totalWidth_ += width;
    }
}

TPvExtended TPvAbstractGridPrint::RowHeight(int row) {
    // The natural height is not scaled: text keeps its size whatever the width factor.
    TPvExtended height = NaturalRowHeight(row);
    if (OnGetRowHeight)
        OnGetRowHeight(*this, row, height);
    // Measured in the font the last cell drawn left on the canvas.
    TPvCanvas& target = canvas();
    target.WordWrap = WordWrap;
    for (int column = 0; column < ColumnCount(); ++column) {
        const std::string text = CellText(column, row);
        if (text.empty())
            continue;
        height = std::max(height, target.TextHeight(text, pvInches, columnWidths_[column]));
    }
    return height;
}

void TPvAbstractGridPrint::DrawPartBorder() {
    if (!(GridOptions & pvGridBorder))
        return;
    TPvCanvas& target = canvas();
    target.Brush.Style = pvBrushClear;
    target.Rectangle(pvInches, areaLeft_, areaTop_, lastRowRect_.Right, lastRowRect_.Bottom);
}

void TPvAbstractGridPrint::GridNewPage() {
    DrawPartBorder();
    if (preview_->CurrentPage() == preview_->PageCount())
        preview_->NewPage();
    else
        preview_->SetCurrentPage(preview_->CurrentPage() + 1);
    if (OnGridNewPage)
        OnGridNewPage(*this, pageTop_, bottomReserve_);

    // Every continuation page starts with the title row, whatever GridOptions says.
    nextRowTop_ = pageTop_.Inches();
    areaLeft_ = tableLeft_;
    areaTop_ = nextRowTop_;
    const TPvExtended height = RowHeight(0);
    DrawRow({tableLeft_, nextRowTop_, tableLeft_ + totalWidth_, nextRowTop_ + height}, 0);
    nextRowTop_ += height;
}

void TPvAbstractGridPrint::DrawRow(const TPvRectInches& rect, int row) {
    TPvCanvas& target = canvas();
    TPvExtended left = rect.Left;
    for (int column = 0; column < ColumnCount(); ++column) {
        const TPvRectInches cell{left, rect.Top, left + columnWidths_[column], rect.Bottom};
        if (IsFixedCell(column, row)) {
            target.Font = FixedCellFont;
            target.Brush = {FixedColor(), pvBrushSolid};
        } else {
            target.Font = Font;
            target.Brush = {clWhite, pvBrushSolid};
        }
        if (CustomDrawingWanted())
            CustomDrawCell(column, row, target, cell);
        else
            DrawCell(cell, column, row);
        left = cell.Right;
    }

    // The border draws the table's outer edges: no line above row 0 or left of column 0.
    target.Pen = {CellPenColor, 1, pvPenSolid, pvModeCopy};
    if ((GridOptions & pvHorzLine) && row > 0)
        target.Line(pvInches, rect.Left, rect.Top, rect.Right, rect.Top);
    if (GridOptions & pvVertLine) {
        TPvExtended x = rect.Left;
        for (int column = 1; column < ColumnCount(); ++column) {
            x += columnWidths_[column - 1];
            target.Line(pvInches, x, rect.Top, x, rect.Bottom);
        }
    }
}

void TPvAbstractGridPrint::DrawCell(const TPvRectInches& cell, int column, int row) {
    // White cells are left as the paper is. (The preview control's own background is never
    // clear, so it does not stop the fill either.)
    TPvCanvas& target = canvas();
    if (!Monochrome && target.Brush.Color != clWhite) {
        target.Pen = kClearPen;
        target.Rectangle(pvInches, cell.Left, cell.Top, cell.Right, cell.Bottom);
    }

    const std::string text = CellText(column, row);
    if (text.empty())
        return;
    TPvAlignment alignment = DefaultCellAlignment;
    TPvVertAlignment vertical = DefaultCellVertAlignment;
    if (OnGetCellAlignment)
        OnGetCellAlignment(*this, column, row, alignment, vertical);

    target.Pen = kClearPen;
    target.Brush.Style = pvBrushClear;
    target.WordWrap = WordWrap;
    target.TextBox(text, alignment, pvInches, vertical, kCellInset, cell.Left, cell.Top, cell.Right,
                   cell.Bottom);
}

}  // namespace print
