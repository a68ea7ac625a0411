#include "gui/app_icon.h"

#include <QDir>

namespace gui {

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon result;
        const QDir renderings(QStringLiteral(":/icons"));
        for (const QString& name : renderings.entryList({QStringLiteral("*.png")})) {
            result.addFile(renderings.filePath(name));
        }
        return result;
    }();
    return icon;
}

}  // namespace gui
