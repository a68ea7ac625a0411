#pragma once

#include <QIcon>

namespace gui {

// The program's icon, drawn once: a green coin with a percent sign.
QIcon ProgramIcon();

}  // namespace gui
