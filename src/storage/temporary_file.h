#pragma once

// The temporary file a save writes beside its target before renaming it over the target:
// ".NAME.tmp-PID-N", so that the folder's owner can tell whose it is.

#include <string>

namespace storage {

class TemporaryFile {
  public:
    // Creates a new temporary file beside the target; fd() < 0 (errno set) when the folder
    // admits none.
    explicit TemporaryFile(const std::string& target);
    // Removes the file unless it was renamed into place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    // Closes the descriptor; returns 0 or the errno of a failed close.
    int close();
    // The file now has the target's name: nothing to remove.
    void markRenamed() { renamed_ = true; }

  private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
    bool renamed_ = false;
};

// Removes the temporary files of this target left by saves whose process is gone (killed
// between writing and renaming). Files of running processes, and anything not named like a
// temporary file of this target, stay.
void RemoveStaleTemporaries(const std::string& target);

}  // namespace storage
