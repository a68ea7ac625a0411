#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/text_file.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace {

using storage::WriteStage;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

int fileCount(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

std::string errorText(const std::function<void()>& action) {
    return testing_support::ErrorText<storage::FileError>(action);
}

TEST(WriteTextFile, WritesWindows1251WithCrLfAndReplacesTheOldFile) {
    TempFolder folder;
    const std::string path = folder / "a.crp";
    WriteBytes(path, "old content that is longer than the new one");
    storage::WriteTextFile(path, {"150000", "1;15.02.2005;П+%(вычет);"});
    EXPECT_EQ(ReadBytes(path), "150000\r\n1;15.02.2005;\xCF+%(\xE2\xFB\xF7\xE5\xF2);\r\n");
    EXPECT_EQ(storage::ReadTextFile(path),
              (std::vector<std::string>{"150000", "1;15.02.2005;П+%(вычет);"}));
    storage::WriteTextFile(path, {});
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(fileCount(folder.path()), 1);
}

TEST(WriteFileSafely, KeepsPermissionsAndWritesThroughALink) {
    TempFolder folder;
    const std::string real = folder / "real.crp";
    WriteBytes(real, "old");
    chmod(real.c_str(), 0640);
    const std::string link = folder / "link.crp";
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    storage::WriteFileSafely(link, "new");
    EXPECT_EQ(ReadBytes(real), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat status {};
    stat(real.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(WriteFileSafely, AFailureAtAnyStageLeavesTheOldFileIntactAndNoLitter) {
    for (WriteStage stage :
         {WriteStage::Create, WriteStage::Write, WriteStage::Sync, WriteStage::Replace}) {
        TempFolder folder;
        const std::string path = folder / "payments.crp";
        WriteBytes(path, "old\r\nbytes\r\n");
        storage::ScopedWriteFault full(
            [stage](WriteStage now) { return now == stage ? ENOSPC : 0; });
        EXPECT_EQ(errorText([&] { storage::WriteTextFile(path, {"new"}); }),
                  "Нет места на диске.\rФайл \"payments.crp\" не записан; прежнее содержимое файла "
                  "не изменено.")
            << static_cast<int>(stage);
        EXPECT_EQ(ReadBytes(path), "old\r\nbytes\r\n");
        EXPECT_EQ(fileCount(folder.path()), 1);
    }
}

TEST(WriteFileSafely, ReportsWhatWentWrong) {
    TempFolder folder;
    EXPECT_EQ(errorText([&] { storage::WriteFileSafely(folder / "missing/a.crp", "x"); }),
              "Папка не найдена.\rФайл \"a.crp\" не записан.");
    EXPECT_EQ(errorText([&] { storage::WriteFileSafely(folder.path(), "x"); }),
              "Файл \"" + std::filesystem::path(folder.path()).filename().string() +
                  "\" не записан: это папка, а сохранять можно только в обычный файл; ничего не "
                  "изменено.");
    storage::ScopedWriteFault io([](WriteStage now) { return now == WriteStage::Write ? EIO : 0; });
    EXPECT_EQ(errorText([&] { storage::WriteFileSafely(folder / "b.crp", "x"); }),
              "Ошибка ввода-вывода 5.\rФайл \"b.crp\" не записан.");
    EXPECT_FALSE(std::filesystem::exists(folder / "b.crp"));
}

TEST(WriteFileSafely, AReadOnlyFolderRefusesANewFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only folders";
    TempFolder folder;
    const std::string path = folder / "a.crp";
    chmod(folder.path().c_str(), 0555);
    const std::string error = errorText([&] { storage::WriteFileSafely(path, "new"); });
    chmod(folder.path().c_str(), 0755);
    EXPECT_EQ(error, "Нет доступа.\rФайл \"a.crp\" не записан.");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ReadTextFile, MissingFileAndFolder) {
    TempFolder folder;
    EXPECT_EQ(errorText([&] { storage::ReadTextFile(folder / "none.crp"); }),
              "Файл \"" + folder / "none.crp" + "\" не найден.");
    EXPECT_FALSE(storage::TryReadTextFile(folder / "none.crp"));
    EXPECT_EQ(errorText([&] { storage::ReadTextFile(folder.path()); }),
              "Файл \"" + folder.path() + "\" не прочитан: это папка, а не обычный файл.");
}

}  // namespace
