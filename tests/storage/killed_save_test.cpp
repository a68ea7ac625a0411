#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <random>
#include <thread>

#include "storage/safe_file_writer.h"
#include "storage/temporary_file.h"
#include "support/temp_folder.h"

namespace {

using storage::WriteStage;
using testing_support::ReadBytes;
using testing_support::TempFolder;

const std::string kOld = std::string(300'000, 'o') + "old end";
const std::string kNew = std::string(600'000, 'n') + "new end";

int entriesBeside(const std::string& folder) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

// Starts a save of kNew in a child process; `inChild` runs there first.
pid_t startSave(const std::string& path, const std::function<void()>& inChild) {
    const pid_t child = fork();
    if (child == 0) {
        inChild();
        storage::WriteFileSafely(path, kNew);
        _exit(0);
    }
    return child;
}

// The target is the whole old file or the whole new one, and the next save leaves nothing
// but the target in the folder.
// Returns whether the killed save had left a temporary file.
bool expectIntactAndCleanedUp(const TempFolder& folder, const std::string& path,
                              const std::string& when) {
    const bool leftover = entriesBeside(folder.path()) > 1;
    const std::string bytes = ReadBytes(path);
    EXPECT_TRUE(bytes == kOld || bytes == kNew) << when << ": " << bytes.size() << " bytes";
    storage::WriteFileSafely(path, kOld);
    EXPECT_EQ(entriesBeside(folder.path()), 1) << when;
    return leftover;
}

TEST(KilledSave, AtEveryStageTheTargetIsOldOrNewAndTheNextSaveLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "payments.crp";
    storage::WriteFileSafely(path, kOld);
    for (WriteStage stage :
         {WriteStage::Create, WriteStage::Write, WriteStage::Sync, WriteStage::Replace}) {
        const pid_t child = startSave(path, [stage] {
            static storage::ScopedWriteFault kill([stage](WriteStage now) {
                if (now == stage)
                    raise(SIGKILL);
                return 0;
            });
        });
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        expectIntactAndCleanedUp(folder, path, "stage " + std::to_string(static_cast<int>(stage)));
    }
}

TEST(KilledSave, KilledAtRandomMomentsTheTargetIsOldOrNew) {
    TempFolder folder;
    const std::string path = folder / "payments.crp";
    storage::WriteFileSafely(path, kOld);
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
    int leftovers = 0;
    for (int round = 0; round < 40; ++round) {
        const pid_t child = startSave(path, [] {});
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        leftovers += expectIntactAndCleanedUp(folder, path, "round " + std::to_string(round));
    }
    RecordProperty("temporary_files_left_by_kills", leftovers);
}

// A save or a streamed write killed while it writes leaves nothing beside the target, with
// no later save needed to clean up; a file system without unnamed files leaves the named
// temporary file, which the next save removes.
TEST(KilledSave, KilledWhileWritingLeavesNoTemporaryFileBehind) {
    for (const bool unnamedFiles : {true, false}) {
        for (const bool streamed : {false, true}) {
            const std::string when = std::string(unnamedFiles ? "unnamed" : "named") +
                                     (streamed ? ", streamed" : ", whole");
            TempFolder folder;
            const std::string path = folder / "plan.pdf";
            storage::WriteFileSafely(path, kOld);
            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            const pid_t child = fork();
            if (child == 0) {
                std::optional<storage::ScopedNoUnnamedFiles> named;
                if (!unnamedFiles)
                    named.emplace();
                static int signal;
                signal = ready[1];
                // Tells the parent that bytes are in the temporary file, then waits to die.
                static storage::ScopedWriteFault stop([](WriteStage now) {
                    if (now == WriteStage::Sync) {
                        (void)!write(signal, "w", 1);
                        pause();
                    }
                    return 0;
                });
                if (!streamed) {
                    storage::WriteFileSafely(path, kNew);
                } else {
                    storage::SafeFileStream stream(path);
                    for (int piece = 0; piece < 6; ++piece) stream.Write(kNew);
                    stream.Commit();
                }
                _exit(0);
            }
            close(ready[1]);
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1) << when;
            close(ready[0]);
            kill(child, SIGKILL);
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status)) << when;
            EXPECT_EQ(ReadBytes(path), kOld) << when;
            EXPECT_EQ(entriesBeside(folder.path()), unnamedFiles ? 1 : 2) << when;
            expectIntactAndCleanedUp(folder, path, when);
        }
    }
}

// The named temporary file of a file system without unnamed files still does the whole job.
TEST(KilledSave, WithoutUnnamedFilesSavesStillReplaceAndCreate) {
    const storage::ScopedNoUnnamedFiles named;
    TempFolder folder;
    const std::string path = folder / "payments.crp";
    storage::WriteFileSafely(path, kOld);
    storage::WriteFileSafely(path, kNew);
    EXPECT_EQ(ReadBytes(path), kNew);
    storage::SafeFileStream stream(folder / "new.pdf");
    stream.Write("%PDF");
    stream.Commit();
    EXPECT_EQ(ReadBytes(folder / "new.pdf"), "%PDF");
    EXPECT_EQ(entriesBeside(folder.path()), 2);
}

}  // namespace
