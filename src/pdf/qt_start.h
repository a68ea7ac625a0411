#pragma once

// Qt inside the module: one application object for the process, on the offscreen platform
// whatever QT_QPA_PLATFORM says, its notes kept off the command's standard error.

namespace pdf {

// Starts Qt when it is not running yet: a widget application when `widgets` is asked for (the
// chart is drawn by widgets), else a plain one, which starts sooner. False when Qt already
// runs without the widgets asked for.
bool StartQt(bool widgets);

}  // namespace pdf
