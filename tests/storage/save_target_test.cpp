#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>

#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace {

using storage::WriteStage;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr uid_t kNobody = 65534;

std::string saveError(const std::string& path, const std::string& bytes = "new") {
    return testing_support::ErrorText<storage::FileError>(
        [&] { storage::WriteFileSafely(path, bytes); });
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct stat statusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

std::string refusal(const std::string& name, const std::string& kind) {
    return "Файл \"" + name + "\" не записан: " + kind +
           ", а сохранять можно только в обычный файл; ничего не изменено.";
}

TEST(SaveTarget, RefusesAFifoADeviceAndAFolderAndLeavesThemAlone) {
    TempFolder folder;
    const std::string fifo = folder / "pipe.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkdir((folder / "dir.crp").c_str(), 0700), 0);
    ASSERT_EQ(symlink("pipe.crp", (folder / "to-pipe.crp").c_str()), 0);
    const bool canMakeDevices =
        mknod((folder / "null.crp").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    const auto before = namesIn(folder.path());

    EXPECT_EQ(saveError(fifo), refusal("pipe.crp", "это именованный канал"));
    EXPECT_EQ(saveError(folder / "to-pipe.crp"), refusal("pipe.crp", "это именованный канал"));
    EXPECT_EQ(saveError(folder / "dir.crp"), refusal("dir.crp", "это папка"));
    EXPECT_TRUE(S_ISFIFO(statusOf(fifo).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(folder / "to-pipe.crp").st_mode));
    if (canMakeDevices) {
        EXPECT_EQ(saveError(folder / "null.crp"), refusal("null.crp", "это устройство"));
        EXPECT_TRUE(S_ISCHR(statusOf(folder / "null.crp").st_mode));
    }
    EXPECT_EQ(namesIn(folder.path()), before);
}

TEST(SaveTarget, ADanglingLinkCreatesTheFileItNames) {
    TempFolder folder;
    ASSERT_EQ(mkdir((folder / "sub").c_str(), 0700), 0);
    const std::string link = folder / "link.crp";
    ASSERT_EQ(symlink("sub/target.crp", link.c_str()), 0);
    storage::WriteFileSafely(link, "new");
    EXPECT_TRUE(S_ISLNK(statusOf(link).st_mode));
    EXPECT_EQ(ReadBytes(folder / "sub/target.crp"), "new");
    EXPECT_EQ(namesIn(folder / "sub"), std::set<std::string>{"target.crp"});

    // A loop of links is refused, and the links stay.
    ASSERT_EQ(symlink("loop-b", (folder / "loop-a").c_str()), 0);
    ASSERT_EQ(symlink("loop-a", (folder / "loop-b").c_str()), 0);
    EXPECT_EQ(saveError(folder / "loop-a").rfind("Слишком много символических ссылок.\r", 0), 0u);
    EXPECT_TRUE(S_ISLNK(statusOf(folder / "loop-a").st_mode));
}

TEST(SaveTarget, AFileWithOtherLinksIsWrittenInPlace) {
    TempFolder folder;
    const std::string path = folder / "a.crp";
    WriteBytes(path, "old content, longer than the new");
    ASSERT_EQ(link(path.c_str(), (folder / "b.crp").c_str()), 0);
    const ino_t inode = statusOf(path).st_ino;
    storage::WriteFileSafely(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(ReadBytes(folder / "b.crp"), "new");
    EXPECT_EQ(statusOf(path).st_ino, inode);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"a.crp", "b.crp"}));

    // A full disk is found before a byte changes.
    storage::ScopedWriteFault full(
        [](WriteStage stage) { return stage == WriteStage::Write ? ENOSPC : 0; });
    EXPECT_EQ(saveError(path, "newer"),
              "Нет места на диске.\rФайл \"a.crp\" не записан; прежнее содержимое файла не "
              "изменено.");
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(SaveTarget, AFolderWithoutRoomForATemporaryFileGetsTheFileWrittenInPlace) {
    TempFolder folder;
    const std::string path = folder / "a.crp";
    WriteBytes(path, "old");
    const ino_t inode = statusOf(path).st_ino;
    storage::ScopedWriteFault denied(
        [](WriteStage stage) { return stage == WriteStage::Create ? EACCES : 0; });
    storage::WriteFileSafely(path, "new and longer");
    EXPECT_EQ(ReadBytes(path), "new and longer");
    EXPECT_EQ(statusOf(path).st_ino, inode);
    // A new file needs the folder: refused.
    EXPECT_EQ(saveError(folder / "b.crp"), "Нет доступа.\rФайл \"b.crp\" не записан.");
}

// The shared folder: root's folder, a file anyone may write, a user who is not root.
TEST(SaveTarget, AnotherUserSavesAWritableFileInAFolderHeCannotWrite) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs the superuser to act as another user";
    TempFolder folder;
    chmod(folder.path().c_str(), 0755);
    const std::string path = folder / "loan.crp";
    WriteBytes(path, "old");
    chmod(path.c_str(), 0666);
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0)
            _exit(3);
        const bool saved = saveError(path, "new from nobody") == "no error";
        const bool newRefused = saveError(folder / "other.crp").rfind("Нет доступа.", 0) == 0;
        _exit(saved && newRefused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(ReadBytes(path), "new from nobody");
    EXPECT_EQ(statusOf(path).st_uid, 0u);
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"loan.crp"});
}

TEST(SaveTarget, AFileOfAnotherUserKeepsItsOwner) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs the superuser to give a file away";
    TempFolder folder;
    const std::string path = folder / "a.crp";
    WriteBytes(path, "old");
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    storage::WriteFileSafely(path, "new");
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(statusOf(path).st_uid, kNobody);
}

TEST(SaveTarget, RemovesTemporaryFilesOfKilledSavesOnly) {
    TempFolder folder;
    const pid_t gone = fork();
    if (gone == 0)
        _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = ".a.crp.tmp-" + std::to_string(gone) + "-7";
    const std::string live = ".a.crp.tmp-1-0";  // init never goes away
    const std::string other = ".b.crp.tmp-" + std::to_string(gone) + "-0";
    for (const std::string& name : {dead, live, other, std::string(".a.crp.tmp-x-1")})
        WriteBytes(folder / name, "half");
    storage::WriteFileSafely(folder / "a.crp", "new");
    EXPECT_EQ(namesIn(folder.path()),
              (std::set<std::string>{"a.crp", live, other, ".a.crp.tmp-x-1"}));
}

}  // namespace
