#include "print/replay.h"

#include <QList>
#include <QPainter>

#include <cmath>
#include <map>
#include <optional>

#include "print/qt_text_measurer.h"
#include "print/rich_text.h"
#include "print/text_layout.h"

namespace print {

namespace {

int Dots(TPvExtended inches, TPvExtended dotsPerInch) {
    return int(InchesToDots(inches, dotsPerInch));
}

// A pen thinner than one pixel of the painter's device (the screen, which replays at 600
// dots per inch scaled down) is drawn one pixel wide, so that thin lines stay black.
QPen OnDevice(const QPainter& painter, QPen pen) {
    if (pen.style() == Qt::NoPen || pen.isCosmetic())
        return pen;
    const qreal scale =
        std::min(std::abs(painter.transform().m11()) + std::abs(painter.transform().m21()),
                 std::abs(painter.transform().m22()) + std::abs(painter.transform().m12()));
    if (pen.widthF() * scale < 1) {
        pen.setCosmetic(true);
        pen.setWidth(1);
    }
    return pen;
}

class ObjectPainter : public TPvObjectVisitor {
  public:
    ObjectPainter(QPainter& painter, const TPvPageList& pages, int pageNumber,
                  TPvDeviceResolution resolution, bool forPrinter)
        : painter_(painter),
          pages_(pages),
          resources_(pages.Resources),
          pageNumber_(pageNumber),
          resolution_(resolution),
          forPrinter_(forPrinter) {}

    void Visit(const TPvLineObject& line) override {
        if (Skipped(line))
            return;
        SelectPen(line.Pen);
        painter_.drawLine(QPoint(X(line.X1), Y(line.Y1)), QPoint(X(line.X2), Y(line.Y2)));
    }

    void Visit(const TPvRectangleShape& rectangle) override {
        if (Skipped(rectangle))
            return;
        SelectPen(rectangle.Pen);
        SelectBrush(rectangle.Brush);
        painter_.drawPolygon(DevicePolygon(rectangle));
    }

    void Visit(const TPvTextBoxObject& box) override {
        if (Skipped(box))
            return;
        const QRect device = DeviceRect(box);
        QRect text = device;
        const int textHeight = Y(box.TextHeight);
        if (box.VertAlignment == pvMiddle)
            text.setTop(device.top() + (device.height() - textHeight) / 2);
        else if (box.VertAlignment == pvBottom)
            text.setTop(device.bottom() + 1 - textHeight);
        const int insetX = X(box.Inset);
        const int insetY = Y(box.Inset);
        text.adjust(insetX, insetY, -insetX, -insetY);

        SelectPen(box.Pen);
        SelectBrush(box.Brush);
        if (painter_.pen().style() != Qt::NoPen || painter_.brush().style() != Qt::NoBrush)
            painter_.drawPolygon(DevicePolygon(box));

        if (box.Text.empty() || text.isEmpty() || !resources_.Fonts().Valid(box.Font))
            return;
        const TPvFont& font = resources_.Fonts()[box.Font];
        int flags = Qt::AlignTop | Qt::TextExpandTabs | Qt::TextSingleLine;
        flags |= box.Alignment == taCenter         ? Qt::AlignHCenter
                 : box.Alignment == taRightJustify ? Qt::AlignRight
                                                   : Qt::AlignLeft;

        painter_.save();
        painter_.setClipRect(text, Qt::IntersectClip);
        painter_.setFont(DeviceFont(box.Font));
        painter_.setPen(ToQColor(font.Color));
        if (font.Angle != 0) {
            painter_.translate(text.topLeft());
            painter_.rotate(-font.Angle / 10.0);
            text.moveTopLeft(QPoint(0, 0));
        }
        // The lines are those the box's height was measured with, one below the other at
        // the measured line height, so that no line is pushed out of the box.
        const std::string shown = NormalizeLineBreaks(WithTokens(box.Text));
        const TPvTextMeasurer& measurer = pages_.Measurer();
        const std::vector<TPvLineSpan> lines =
            LayoutLines(measurer, font, shown, (box.X2 - box.X1 - 2 * box.Inset) * kPvReferenceDpi,
                        box.WordWrap);
        const TPvExtended lineHeight = measurer.LineHeight(font, kPvReferenceDpi) / kPvReferenceDpi;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int top = text.top() + Y(TPvExtended(i) * lineHeight);
            if (top > text.bottom())
                break;
            std::string_view line = std::string_view(shown).substr(lines[i].Start, lines[i].Length);
            while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
                line.remove_suffix(1);
            painter_.drawText(QRect(text.left(), top, text.width(), text.bottom() + 1 - top), flags,
                              ToQString(line));
        }
        painter_.restore();
    }

  private:
    // Fonts at the device resolution, made once per font of the page.
    const QFont& DeviceFont(int index) {
        auto found = fonts_.find(index);
        if (found == fonts_.end())
            found = fonts_.emplace(index, ToQFont(resources_.Fonts()[index], resolution_.Y)).first;
        return found->second;
    }

    // The text with its tokens replaced; the clock is read once per page, and only when a
    // text has a token.
    std::string WithTokens(const std::string& text) {
        if (text.find('{') == std::string::npos)
            return text;
        if (!tokens_)
            tokens_ = pages_.TokenValues ? pages_.TokenValues(pageNumber_, pages_.PageCount())
                                         : CurrentTokenValues(pageNumber_, pages_.PageCount());
        return ReplaceTokens(text, *tokens_);
    }

    bool Skipped(const TPvBaseObject& object) const { return forPrinter_ && !object.Printable; }
    int X(TPvExtended inches) const { return Dots(inches, resolution_.X); }
    int Y(TPvExtended inches) const { return Dots(inches, resolution_.Y); }

    QRect DeviceRect(const TPvBaseSolidShape& shape) const {
        return QRect(QPoint(X(shape.X1), Y(shape.Y1)), QPoint(X(shape.X2) - 1, Y(shape.Y2) - 1))
            .normalized();
    }
    QPolygon DevicePolygon(const TPvBaseSolidShape& shape) const {
        const int x1 = X(shape.X1), y1 = Y(shape.Y1), x2 = X(shape.X2), y2 = Y(shape.Y2);
        return QPolygon({QPoint(x1, y1), QPoint(x2, y1), QPoint(x2, y2), QPoint(x1, y2)});
    }

    void SelectPen(int index) {
        painter_.setPen(resources_.Pens().Valid(index)
                            ? OnDevice(painter_, ToQPen(resources_.Pens()[index], resolution_.X))
                            : QPen(Qt::NoPen));
    }
    void SelectBrush(int index) {
        painter_.setBrush(resources_.Brushes().Valid(index) ? ToQBrush(resources_.Brushes()[index])
                                                            : QBrush(Qt::NoBrush));
    }

    QPainter& painter_;
    const TPvPageList& pages_;
    const TPvResourceTable& resources_;
    int pageNumber_;
    TPvDeviceResolution resolution_;
    bool forPrinter_;
    std::optional<TPvTokenValues> tokens_;
    std::map<int, QFont> fonts_;
};

}  // namespace

QColor ToQColor(TPvColor color) {
    const TPvColor plain = ResolveColor(color);
    return QColor(int(plain & 0xFF), int(plain >> 8 & 0xFF), int(plain >> 16 & 0xFF));
}

QPen ToQPen(const TPvPen& pen, TPvExtended dotsPerInch) {
    if (pen.IsClear())
        return QPen(Qt::NoPen);
    const int width = int(std::lround(pen.Width * dotsPerInch / 288));
    QPen qpen(ToQColor(pen.Color));
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(Qt::MiterJoin);
    static const Qt::PenStyle styles[] = {Qt::SolidLine,   Qt::DashLine,       Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen,
                                          Qt::SolidLine};
    qpen.setStyle(styles[pen.Style]);
    const bool solid = pen.Style == pvPenSolid || pen.Style == pvPenInsideFrame;
    qpen.setWidth(solid && width <= 1 ? 1 : width);
    return qpen;
}

QBrush ToQBrush(const TPvBrush& brush) {
    if (brush.IsClear())
        return QBrush(Qt::NoBrush);
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::NoBrush,         Qt::HorPattern,
                                            Qt::VerPattern,   Qt::FDiagPattern,    Qt::BDiagPattern,
                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    return QBrush(ToQColor(brush.Color), styles[brush.Style]);
}

void ReplayObjects(QPainter& painter, const TPvPageList& pages, int pageNumber,
                   TPvDeviceResolution resolution, bool forPrinter) {
    ObjectPainter objectPainter(painter, pages, pageNumber, resolution, forPrinter);
    pages.Page(pageNumber).Accept(objectPainter);
}

void ReplayBand(QPainter& painter, const TPvPageList& pages, const TPvHeaderFooter& band,
                const TPvBandLayout& layout, TPvDeviceResolution resolution) {
    if (!band.Visible)
        return;
    const TPvTextMeasurer& measurer = pages.Measurer();
    painter.save();
    for (const TPvBandCaptionPlace& place : layout.Captions) {
        const TPvFont& font = band.Caption(place.Index).Font;
        painter.setFont(ToQFont(font, resolution.Y));
        painter.setPen(ToQColor(font.Color));
        const TPvExtended baseline =
            place.Top * resolution.Y +
            measurer.Ascent(font, kPvReferenceDpi) * resolution.Y / kPvReferenceDpi;
        // Each character at its advance measured at the reference resolution, so that the
        // caption keeps its measured width on every device.
        const std::vector<TPvExtended> advances =
            measurer.CharAdvances(font, place.Text, kPvReferenceDpi);
        const QList<uint> codePoints = ToQString(place.Text).toUcs4();
        TPvExtended x = place.Left * resolution.X;
        for (std::size_t i = 0; i < advances.size() && i < std::size_t(codePoints.size()); ++i) {
            const char32_t codePoint = codePoints[qsizetype(i)];
            painter.drawText(QPointF(double(x), double(baseline)),
                             QString::fromUcs4(&codePoint, 1));
            x += advances[i] * resolution.X / kPvReferenceDpi;
        }
    }
    if (layout.ShowLine) {
        painter.setPen(OnDevice(painter, ToQPen(band.Pen, resolution.X)));
        const int y = Dots(layout.LineY, resolution.Y);
        painter.drawLine(QPoint(Dots(layout.Left, resolution.X), y),
                         QPoint(Dots(layout.Right, resolution.X), y));
    }
    painter.restore();
}

void ReplayPage(QPainter& painter, const TPvPageList& pages, int pageNumber,
                TPvDeviceResolution resolution, bool forPrinter) {
    const TPvPage& page = pages.Page(pageNumber);
    painter.save();
    if (page.RtfInfo.Present())
        DrawRichTextPart(painter, pages, page.RtfInfo, resolution);
    ReplayObjects(painter, pages, pageNumber, resolution, forPrinter);
    if (page.HeaderVisible && pages.Header.Visible)
        ReplayBand(painter, pages, pages.Header, pages.HeaderLayout(pageNumber), resolution);
    if (page.FooterVisible && pages.Footer.Visible)
        ReplayBand(painter, pages, pages.Footer, pages.FooterLayout(pageNumber), resolution);
    painter.restore();
}

}  // namespace print
