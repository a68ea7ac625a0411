#pragma once

// Qt's own dialogs (the buttons of a message box, the file dialogs) speak Russian, as the
// program and its help do.

namespace gui {

// Loads Qt's Russian translations (qtbase_ru) into the running application, once, with the
// few file-dialog texts they lack; the main window does it when it is created. False when
// they are not installed: the standard dialogs then keep Qt's English texts.
bool InstallRussianTranslations();

}  // namespace gui
