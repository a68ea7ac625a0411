#include "app/calendar_changes_file.h"

#include "loan/calendar_changes.h"
#include "text/errors.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"

namespace app {

std::vector<loan::CalendarChange> ReadCalendarChangesFile(const std::string& path) {
    const std::vector<std::string> lines = storage::ReadTextFile(path);
    try {
        return loan::ParseCalendarChanges(lines);
    } catch (const loan::ConversionError& error) {
        throw storage::FileError("Файл \"" + loan::Excerpt(path) + "\" не загружен; ничего не изменено.\r" +
                        error.what());
    }
}

void WriteCalendarChangesFile(const std::string& path,
                              const std::vector<loan::CalendarChange>& changes) {
    std::string text;
    for (const std::string& line : loan::FormatCalendarChanges(changes))
        text += line + "\n";
    storage::WriteFileSafely(path, text);
}

}  // namespace app
