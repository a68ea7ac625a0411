// The guarded writer's rules for files the user may not write, names near the system's
// limits, concurrent saves of one file, and bytes written a piece at a time.
#include <fcntl.h>
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
#include "storage/temporary_file.h"
#include "support/error_text.h"
#include "support/file_status.h"
#include "support/other_user.h"
#include "support/temp_folder.h"

namespace {

using storage::WriteStage;
using testing_support::kNobody;
using testing_support::NamesIn;
using testing_support::ReadBytes;
using testing_support::StatusOf;
using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string saveError(const std::string& path, const std::string& bytes = "new") {
    return testing_support::ErrorText<storage::FileError>(
        [&] { storage::WriteFileSafely(path, bytes); });
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

const char* const kKept = "\" не записан; прежнее содержимое файла не изменено.";

// ---- Files the user may not write -------------------------------------------------------

TEST(ProtectedFile, AFileNobodyMayWriteIsRefusedAndKeptWhoeverSaves) {
    TempFolder folder;
    const std::string path = folder / "loan.crp";
    WriteBytes(path, "old");
    chmod(path.c_str(), 0444);
    ASSERT_EQ(symlink("loan.crp", (folder / "link.crp").c_str()), 0);
    const ino_t inode = StatusOf(path).st_ino;

    EXPECT_TRUE(endsWith(saveError(path), std::string("Файл \"loan.crp") + kKept))
        << saveError(path);
    EXPECT_TRUE(endsWith(saveError(folder / "link.crp"), std::string("Файл \"loan.crp") + kKept));
    // A second hard link (the in-place path) changes nothing.
    ASSERT_EQ(link(path.c_str(), (folder / "second.crp").c_str()), 0);
    EXPECT_TRUE(endsWith(saveError(path), kKept));
    EXPECT_TRUE(endsWith(testing_support::ErrorText<storage::FileError>(
                             [&] { storage::SafeFileStream stream(path); }),
                         kKept));

    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(StatusOf(path).st_ino, inode);
    EXPECT_EQ(StatusOf(path).st_mode & 07777, 0444u);
    EXPECT_EQ(NamesIn(folder.path()),
              (std::set<std::string>{"link.crp", "loan.crp", "second.crp"}));
}

TEST(ProtectedFile, AnOrdinaryUserIsRefusedWhatHeMayNotWriteAndSavesTheRest) {
    if (!testing_support::CanActAsAnotherUser())
        GTEST_SKIP() << "needs the superuser to act as another user";
    TempFolder folder;
    ASSERT_EQ(chown(folder.path().c_str(), kNobody, kNobody), 0);
    const auto make = [&](const std::string& name, uid_t owner, mode_t mode) {
        WriteBytes(folder / name, "old " + name);
        EXPECT_EQ(chown((folder / name).c_str(), owner, owner), 0);
        chmod((folder / name).c_str(), mode);
    };
    make("own-read-only.crp", kNobody, 0444);
    make("roots.crp", 0, 0644);
    make("roots-shared.crp", 0, 0666);
    make("own.crp", kNobody, 0644);

    const int verdict = testing_support::RunAsNobody([&] {
        return endsWith(saveError(folder / "own-read-only.crp"), kKept) &&
               endsWith(saveError(folder / "roots.crp"), kKept) &&
               saveError(folder / "roots-shared.crp") == "no error" &&
               saveError(folder / "own.crp") == "no error";
    });
    ASSERT_NE(verdict, -1) << "the child could not become nobody";
    EXPECT_EQ(verdict, 1);
    EXPECT_EQ(ReadBytes(folder / "own-read-only.crp"), "old own-read-only.crp");
    EXPECT_EQ(ReadBytes(folder / "roots.crp"), "old roots.crp");
    EXPECT_EQ(ReadBytes(folder / "roots-shared.crp"), "new");
    EXPECT_EQ(StatusOf(folder / "roots-shared.crp").st_uid, 0u);
    EXPECT_EQ(ReadBytes(folder / "own.crp"), "new");
    EXPECT_EQ(NamesIn(folder.path()).size(), 4u);
}

// ---- Names near the limits --------------------------------------------------------------

TEST(LongNames, TheLongestNamesAreSavedAndTheirLeftoversRemoved) {
    TempFolder folder;
    std::string cyrillic;
    for (int i = 0; i < 127; ++i) cyrillic += "ж";  // 254 bytes
    for (const std::string& name : {std::string(255, 'n'), cyrillic}) {
        const std::string path = folder / name;
        EXPECT_EQ(saveError(path, "first"), "no error");
        EXPECT_EQ(saveError(path, "second"), "no error");
        EXPECT_EQ(ReadBytes(path), "second");

        // A save killed before its rename leaves its temporary file (where the file system
        // has no unnamed files); the next removes it.
        const pid_t child = fork();
        if (child == 0) {
            static storage::ScopedNoUnnamedFiles named;
            static storage::ScopedWriteFault kill([](WriteStage now) {
                if (now == WriteStage::Replace)
                    raise(SIGKILL);
                return 0;
            });
            saveError(path, "killed");
            _exit(0);
        }
        waitpid(child, nullptr, 0);
        EXPECT_EQ(NamesIn(folder.path()).size(), 2u);
        EXPECT_EQ(saveError(path, "third"), "no error");
        EXPECT_EQ(NamesIn(folder.path()), std::set<std::string>{name});
        std::filesystem::remove(path);
    }
}

TEST(LongNames, APathNearTheSystemsLimitIsSaved) {
    TempFolder folder;
    std::string deep = folder.path();
    while (deep.size() < PATH_MAX - 300) deep += "/" + std::string(200, 'd');
    std::filesystem::create_directories(deep);
    const std::string path = deep + "/" + std::string(PATH_MAX - 2 - deep.size(), 'f');
    ASSERT_EQ(path.size(), std::size_t(PATH_MAX - 1));
    EXPECT_EQ(saveError(path, "first"), "no error");
    EXPECT_EQ(saveError(path, "second"), "no error");
    EXPECT_EQ(ReadBytes(path), "second");
    EXPECT_EQ(NamesIn(deep).size(), 1u);
}

// ---- Concurrent saves -------------------------------------------------------------------

// Four processes save four contents of different lengths to one file at the same moment,
// round after round: every save says it succeeded, and the file is one whole content.
void saveConcurrently(const std::string& path, const std::string& folder, int rounds) {
    std::vector<std::string> contents;
    for (int k = 0; k < 4; ++k)
        contents.push_back(std::string(3000 * (4 - k), char('a' + k)) + "end " + std::to_string(k));
    const std::set<std::string> whole(contents.begin(), contents.end());
    const std::set<std::string> before = NamesIn(folder);
    for (int round = 0; round < rounds; ++round) {
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        std::vector<pid_t> children;
        for (const std::string& content : contents) {
            const pid_t child = fork();
            if (child == 0) {
                close(start[1]);
                char go;
                if (read(start[0], &go, 1) < 0)
                    _exit(3);
                _exit(saveError(path, content) == "no error" ? 0 : 1);
            }
            children.push_back(child);
        }
        close(start[0]);
        close(start[1]);  // every child starts now
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        }
        const std::string now = ReadBytes(path);
        ASSERT_TRUE(whole.count(now)) << "round " << round << ": " << now.size() << " bytes";
    }
    EXPECT_EQ(NamesIn(folder), before);
}

TEST(ConcurrentSaves, OfAHardLinkedFileLeaveOneWholeFile) {
    TempFolder folder;
    const std::string path = folder / "same.crp";
    WriteBytes(path, "first");
    ASSERT_EQ(link(path.c_str(), (folder / "other.crp").c_str()), 0);
    saveConcurrently(path, folder.path(), 300);
    EXPECT_EQ(ReadBytes(folder / "other.crp"), ReadBytes(path));
}

TEST(ConcurrentSaves, OfAPlainFileLeaveOneWholeFile) {
    TempFolder folder;
    const std::string path = folder / "same.crp";
    WriteBytes(path, "first");
    saveConcurrently(path, folder.path(), 300);
}

// ---- Bytes written a piece at a time ----------------------------------------------------

TEST(SafeFileStream, PiecesReplaceTheFileOnlyWhenCommitted) {
    TempFolder folder;
    const std::string path = folder / "doc.pdf";
    WriteBytes(path, "old");
    chmod(path.c_str(), 0640);
    {
        storage::SafeFileStream stream(path);
        EXPECT_TRUE(stream.Write("new "));
        EXPECT_TRUE(stream.Write(std::string(200000, 'x')));
        EXPECT_EQ(ReadBytes(path), "old");
        stream.Commit();
    }
    EXPECT_EQ(ReadBytes(path), "new " + std::string(200000, 'x'));
    EXPECT_EQ(StatusOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(NamesIn(folder.path()), std::set<std::string>{"doc.pdf"});

    {  // dropped without Commit
        storage::SafeFileStream stream(path);
        stream.Write("abandoned");
    }
    EXPECT_EQ(ReadBytes(path).substr(0, 4), "new ");
    EXPECT_EQ(NamesIn(folder.path()), std::set<std::string>{"doc.pdf"});

    // A failed write is reported at Commit, and the old file stays.
    storage::ScopedWriteFault full(
        [](WriteStage stage) { return stage == WriteStage::Write ? ENOSPC : 0; });
    storage::SafeFileStream failing(path);
    EXPECT_FALSE(failing.Write("lost"));
    const std::string error =
        testing_support::ErrorText<storage::FileError>([&] { failing.Commit(); });
    EXPECT_TRUE(endsWith(error, std::string("Файл \"doc.pdf") + kKept)) << error;
    EXPECT_EQ(ReadBytes(path).substr(0, 4), "new ");
}

TEST(SafeFileStream, KeepsLinksAndRefusesSpecialFilesBeforeWriting) {
    TempFolder folder;
    const std::string path = folder / "a.pdf";
    WriteBytes(path, "old content, longer than the new");
    ASSERT_EQ(link(path.c_str(), (folder / "b.pdf").c_str()), 0);
    const ino_t inode = StatusOf(path).st_ino;
    {
        storage::SafeFileStream stream(path);
        stream.Write("new");
        stream.Commit();
    }
    EXPECT_EQ(ReadBytes(folder / "b.pdf"), "new");
    EXPECT_EQ(StatusOf(path).st_ino, inode);

    ASSERT_EQ(mkfifo((folder / "pipe.pdf").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/null", (folder / "null.pdf").c_str()), 0);
    for (const std::string name : {"pipe.pdf", "null.pdf"}) {
        const std::string error = testing_support::ErrorText<storage::FileError>(
            [&] { storage::SafeFileStream stream(folder / name); });
        EXPECT_NE(error.find("а сохранять можно только в обычный файл"), std::string::npos)
            << error;
    }
    EXPECT_TRUE(S_ISFIFO(StatusOf(folder / "pipe.pdf").st_mode));
    EXPECT_TRUE(S_ISCHR(StatusOf("/dev/null").st_mode));
    EXPECT_EQ(NamesIn(folder.path()),
              (std::set<std::string>{"a.pdf", "b.pdf", "null.pdf", "pipe.pdf"}));
}

TEST(SafeFileStream, AWriterWithItsOwnOpeningAndAFolderWithoutRoom) {
    TempFolder folder;
    const std::string path = folder / "a.pdf";
    WriteBytes(path, "old");
    {
        // A print job opens the file by name, from its start, and truncates it.
        storage::SafeFileStream stream(path);
        stream.Write("replaced by the job's own bytes");
        const std::string name = "/proc/self/fd/" + std::to_string(stream.Descriptor());
        WriteBytes(name, "job");
        stream.Commit();
    }
    EXPECT_EQ(ReadBytes(path), "job");

    // No room for a temporary file beside it: the bytes wait elsewhere and the file is
    // written in place.
    const ino_t inode = StatusOf(path).st_ino;
    storage::ScopedWriteFault denied(
        [](WriteStage stage) { return stage == WriteStage::Create ? EACCES : 0; });
    storage::SafeFileStream stream(path);
    stream.Write(std::string(100000, 's'));
    stream.Commit();
    EXPECT_EQ(ReadBytes(path), std::string(100000, 's'));
    EXPECT_EQ(StatusOf(path).st_ino, inode);
    EXPECT_EQ(NamesIn(folder.path()), std::set<std::string>{"a.pdf"});
}

}  // namespace
