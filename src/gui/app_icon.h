#pragma once

#include <QIcon>

namespace gui {

// The program's icon, the drawing the desktop's icon theme also gets (a schedule sheet
// with a green percent coin), at each of its rendered sizes.
QIcon ProgramIcon();

}  // namespace gui
