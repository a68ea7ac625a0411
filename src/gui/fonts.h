#pragma once

// The window's fonts, by the kind of control that uses them (sizes in pixels).

#include <QFont>

namespace gui {

// The window, its buttons and the table: Arial 11.
QFont WindowFont();
// Group captions: Arial bold 13.
QFont GroupFont();
// Labels, radio buttons and check boxes: Arial 13.
QFont LabelFont();
// The input fields: Arial bold 12.
QFont InputFont();

}  // namespace gui
