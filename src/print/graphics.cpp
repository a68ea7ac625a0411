#include "print/graphics.h"

namespace print {

TPvColor ResolveColor(TPvColor color) {
    if (color == clPvNone || (color & clSystemColor) == 0)
        return color;
    switch (color & 0xFF) {
        case 5:  // window
            return clWhite;
        case 8:  // window text
            return clBlack;
        case 15:  // button face
            return PvRgb(0xF0, 0xF0, 0xF0);
        case 16:  // button shadow
            return clGray;
        case 17:  // grey text
            return PvRgb(0x6D, 0x6D, 0x6D);
        default:
            return clGray;
    }
}

}  // namespace print
