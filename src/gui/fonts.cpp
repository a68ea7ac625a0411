#include "gui/fonts.h"

namespace gui {

namespace {
QFont arial(int pixels, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
}  // namespace

QFont WindowFont() {
    return arial(11, false);
}
QFont GroupFont() {
    return arial(13, true);
}
QFont LabelFont() {
    return arial(13, false);
}
QFont InputFont() {
    return arial(12, true);
}

}  // namespace gui
