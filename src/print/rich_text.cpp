#include "print/rich_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

#include "print/qt_text_measurer.h"

namespace print {

namespace {

// Paragraph ends at "\r\n", "\r" or "\n": where the break starts and how long it is.
struct Paragraph {
    int start;
    int length;  // without the break
    int breakLength;
};

std::vector<Paragraph> Paragraphs(const QString& text) {
    std::vector<Paragraph> paragraphs;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        const int breakLength = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        paragraphs.push_back({start, i - start, breakLength});
        i += breakLength - 1;
        start = i + 1;
    }
    if (start < text.size())
        paragraphs.push_back({start, int(text.size()) - start, 0});
    return paragraphs;
}

}  // namespace

int RichTextLength(const TPvRichText& text) {
    return int(ToQString(text.Text).size());
}

std::vector<TPvTextLine> LayoutRichText(const TPvRichText& text, TPvExtended widthInches,
                                        TPvExtended heightInches, bool wordWrap, int firstChar) {
    const QString string = ToQString(text.Text);
    const QFont font = ToQFont(text.Font, kPvReferenceDpi);
    const QFontMetricsF metrics(font);
    const TPvExtended lineHeight =
        std::round(metrics.ascent() + metrics.descent()) / TPvExtended(kPvReferenceDpi);
    const qreal width = qreal(widthInches * kPvReferenceDpi * (wordWrap ? 1 : 10));

    std::vector<TPvTextLine> lines;
    TPvExtended top = 0;
    for (const Paragraph& paragraph : Paragraphs(string)) {
        if (paragraph.start + paragraph.length + paragraph.breakLength <= firstChar)
            continue;
        QTextLayout layout(string.mid(paragraph.start, paragraph.length), font);
        QTextOption option;
        // A word wider than the rectangle is broken at its edge rather than run past it.
        option.setWrapMode(wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere
                                    : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        std::vector<std::pair<int, int>> ranges;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ranges.emplace_back(line.textStart(), line.textLength());
        }
        layout.endLayout();
        if (ranges.empty())
            ranges.emplace_back(0, 0);  // an empty paragraph is one empty line
        ranges.back().second += paragraph.breakLength;
        for (const auto& [start, length] : ranges) {
            const int lineStart = paragraph.start + start;
            if (lineStart + length <= firstChar)
                continue;
            if (!lines.empty() && top + lineHeight > heightInches)
                return lines;
            lines.push_back({lineStart, length, top, lineHeight});
            top += lineHeight;
        }
    }
    return lines;
}

void DrawRichTextPart(QPainter& painter, const TPvPageList& pages, const TPvPageRtfInfo& part,
                      TPvDeviceResolution resolution) {
    if (!pages.Resources.Texts().Valid(part.TextIndex))
        return;
    const TPvRichText& text = pages.Resources.Texts()[part.TextIndex];
    const QString string = ToQString(text.Text);
    const std::vector<TPvTextLine> lines = LayoutRichText(
        text, part.Right - part.Left, part.Bottom - part.Top, part.WordWrap, part.FirstChar);
    const QFont font = ToQFont(text.Font, resolution.Y);
    const TPvExtended ascent =
        QFontMetricsF(ToQFont(text.Font, kPvReferenceDpi)).ascent() / TPvExtended(kPvReferenceDpi);

    painter.save();
    painter.setFont(font);
    painter.setPen(ToQColor(text.Font.Color));
    for (const TPvTextLine& line : lines) {
        if (line.Start > part.LastChar)
            break;
        QString shown =
            string.mid(line.Start, std::min(line.Length, part.LastChar + 1 - line.Start));
        while (shown.endsWith(u'\n') || shown.endsWith(u'\r')) shown.chop(1);
        const QPointF origin(double(part.Left * resolution.X),
                             double((part.Top + line.Top + ascent) * resolution.Y));
        painter.drawText(origin, shown);
    }
    painter.restore();
}

}  // namespace print
