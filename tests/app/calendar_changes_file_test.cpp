#include <gtest/gtest.h>

#include "app/calendar_changes_file.h"
#include "storage/file_error.h"
#include "storage/file_reader.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string readError(const std::string& path) {
    return testing_support::ErrorText<storage::FileError>(
        [&] { app::ReadCalendarChangesFile(path); });
}

TEST(CalendarChangesFile, WrittenChangesReadBack) {
    TempFolder folder;
    const std::string path = folder / "calendar.txt";
    const std::vector<loan::CalendarChange> changes = {{{2024, 12, 28}, false},
                                                       {{2027, 1, 2}, true}};
    app::WriteCalendarChangesFile(path, changes);
    EXPECT_EQ(storage::ReadFileBytes(path), "28.12.2024 нерабочий\n02.01.2027 рабочий\n");
    EXPECT_EQ(app::ReadCalendarChangesFile(path), changes);
}

TEST(CalendarChangesFile, ABadLineRefusesTheWholeFileNamingFileAndLine) {
    TempFolder folder;
    const std::string path = folder / "calendar.txt";
    // Windows-1251 with CR LF reads as well as UTF-8: "рабочий", then "выходной".
    WriteBytes(path, "01.05.2024 \xf0\xe0\xe1\xee\xf7\xe8\xe9\r\n\r\n"
                     "02.05.2024 \xe2\xfb\xf5\xee\xe4\xed\xee\xe9\r\n");
    EXPECT_EQ(readError(path), "Файл \"" + path +
                                   "\" не загружен; ничего не изменено.\rСтрока 3: "
                                   "\"выходной\" — не \"рабочий\" и не \"нерабочий\".");
    EXPECT_EQ(readError(folder / "missing.txt"),
              "Файл \"" + (folder / "missing.txt") + "\" не найден.");
}

}  // namespace
