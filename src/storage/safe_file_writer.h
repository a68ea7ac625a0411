#pragma once

// Writing a file so that a failure never costs the previous good copy: the bytes go to a
// temporary file beside the target, are flushed to the disk, and only then is the
// temporary file renamed over the old one.
//
// Where a rename would do harm or cannot be done, the file is overwritten in place
// (reserved, written, truncated, synced): when it has other hard links or belongs to
// another user, and when its folder admits no new file while the file itself is writable
// (a shared folder).
//
// Saves of one file by several processes at once leave one whole file: the old file is
// locked (flock) while it is overwritten or renamed over, and a save that finds the name
// taken by another file meanwhile starts its last step again on that one.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace storage {

enum class WriteStage { Create, Write, Sync, Replace };

// Throws FileError; the old file, when there was one, is left byte-for-byte as it was and
// no temporary file stays behind (an in-place write that fails after it began says the
// file may be incomplete). Only a regular file is replaced: a folder, FIFO, device or
// socket under the name is refused and left alone, and so is a file its user may not
// write (the superuser, who may write any file, is refused one that has no write
// permission for anybody). Symbolic links are followed: the file they name is replaced or,
// for a dangling link, created, and the link stays. The new file keeps the old one's
// permissions. Temporary files left by saves of the same target that were killed are
// removed. The path is used as the bytes it is.
void WriteFileSafely(const std::string& path, std::string_view bytes);

// The same write for bytes that come a piece at a time and need not stand in memory
// together (a long PDF): they go straight into the temporary file, and Commit puts the
// file in place by the rules above. A stream dropped without Commit leaves the target as
// it was and no temporary file.
class SafeFileStream {
  public:
    // Checks the target and makes the temporary file; throws FileError when the target is
    // refused or there is no room for the bytes.
    explicit SafeFileStream(const std::string& path);
    ~SafeFileStream();
    SafeFileStream(const SafeFileStream&) = delete;
    SafeFileStream& operator=(const SafeFileStream&) = delete;

    // Appends bytes. False once a write has failed; Commit then reports that failure.
    bool Write(std::string_view bytes);
    // The temporary file, for a writer that opens it by a name of its own
    // ("/proc/self/fd/N"); what it writes there replaces what Write wrote.
    int Descriptor() const;
    // Puts the file in place. Throws FileError; the old file then stays as it was.
    void Commit();

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// For tests: called before each stage of every write; a non-zero errno it returns makes
// that stage fail as the system call would have.
using WriteFaultHook = std::function<int(WriteStage)>;

class ScopedWriteFault {
  public:
    explicit ScopedWriteFault(WriteFaultHook hook);
    ~ScopedWriteFault();
    ScopedWriteFault(const ScopedWriteFault&) = delete;
    ScopedWriteFault& operator=(const ScopedWriteFault&) = delete;

  private:
    WriteFaultHook previous_;
};

// Creates the folder and any missing parents; FileError when it cannot.
void CreateFolders(const std::string& folder);

}  // namespace storage
