#pragma once

// Writing a file so that a failure never costs the previous good copy: the bytes go to a
// temporary file beside the target, are flushed to the disk, and only then is the
// temporary file renamed over the old one.
//
// Where a rename would do harm or cannot be done, the file is overwritten in place
// (reserved, written, truncated, synced): when it has other hard links or belongs to
// another user, and when its folder admits no new file while the file itself is writable
// (a shared folder).

#include <functional>
#include <string>
#include <string_view>

namespace storage {

enum class WriteStage { Create, Write, Sync, Replace };

// Throws FileError; the old file, when there was one, is left byte-for-byte as it was and
// no temporary file stays behind (an in-place write that fails after it began says the
// file may be incomplete). Only a regular file is replaced: a folder, FIFO, device or
// socket under the name is refused and left alone. Symbolic links are followed: the file
// they name is replaced or, for a dangling link, created, and the link stays. The new file
// keeps the old one's permissions. Temporary files left by saves of the same target that
// were killed are removed.
void WriteFileSafely(const std::string& path, std::string_view bytes);

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
