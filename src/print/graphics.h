#pragma once

// Pens, brushes and fonts as the pages record them: plain values, compared field by
// field so that the resource table can share equal ones.

#include <cstdint>
#include <string>

namespace print {

// A colour as 0x00BBGGRR (red in the low byte), the form stored texts use.
using TPvColor = std::uint32_t;
constexpr TPvColor clBlack = 0x000000;
constexpr TPvColor clWhite = 0xFFFFFF;
constexpr TPvColor clSilver = 0xC0C0C0;
constexpr TPvColor clGray = 0x808080;
constexpr TPvColor clRed = 0x0000FF;
// "No colour": a pen or brush of this colour draws nothing.
constexpr TPvColor clPvNone = 0x1FFFFFFF;
// System colours carry the high bit and the index of the colour in the low byte.
constexpr TPvColor clSystemColor = 0x80000000;
constexpr TPvColor clBtnFace = clSystemColor | 15;
constexpr TPvColor clWindow = clSystemColor | 5;
constexpr TPvColor clWindowText = clSystemColor | 8;
constexpr TPvColor clGrayText = clSystemColor | 17;

// A system colour as the plain colour it is drawn in (the classic desktop scheme); other
// colours are returned as they are.
TPvColor ResolveColor(TPvColor color);

constexpr TPvColor PvRgb(int red, int green, int blue) {
    return TPvColor(red & 0xFF) | TPvColor(green & 0xFF) << 8 | TPvColor(blue & 0xFF) << 16;
}

// Ordinals are those of the stored pen texts ("12632256,1,2,4": silver, 1, dotted, copy).
enum TPvPenStyle {
    pvPenSolid,
    pvPenDash,
    pvPenDot,
    pvPenDashDot,
    pvPenDashDotDot,
    pvPenClear,
    pvPenInsideFrame,
};

enum TPvPenMode {
    pvModeBlack,
    pvModeWhite,
    pvModeNop,
    pvModeNot,
    pvModeCopy,
};

enum TPvBrushStyle {
    pvBrushSolid,
    pvBrushClear,
    pvBrushHorizontal,
    pvBrushVertical,
    pvBrushFDiagonal,
    pvBrushBDiagonal,
    pvBrushCross,
    pvBrushDiagCross,
};

enum TPvFontStyle : unsigned {
    pvBold = 1,
    pvItalic = 2,
    pvUnderline = 4,
    pvStrikeOut = 8,
};

constexpr int kDefaultCharset = 1;
constexpr int kCyrillicCharset = 204;

struct TPvPen {
    TPvColor Color = clBlack;
    int Width = 1;  // in quarter points when replayed
    TPvPenStyle Style = pvPenSolid;
    TPvPenMode Mode = pvModeCopy;

    bool IsClear() const { return Color == clPvNone || Style == pvPenClear; }
    bool operator==(const TPvPen&) const = default;
};

struct TPvBrush {
    TPvColor Color = clWhite;
    TPvBrushStyle Style = pvBrushSolid;

    bool IsClear() const { return Color == clPvNone || Style == pvBrushClear; }
    bool operator==(const TPvBrush&) const = default;
};

struct TPvFont {
    TPvColor Color = clBlack;
    int Size = 10;  // points
    std::string Name = "Arial";
    int Charset = kDefaultCharset;
    unsigned Style = 0;  // TPvFontStyle bits
    int Angle = 0;       // rotation in tenths of a degree

    bool operator==(const TPvFont&) const = default;
};

inline TPvFont PvFont(std::string name, int size, unsigned style = 0) {
    TPvFont font;
    font.Name = std::move(name);
    font.Size = size;
    font.Style = style;
    return font;
}

}  // namespace print
