#pragma once

// The temporary file a save writes beside its target before renaming it over the target:
// ".NAME.tmp-PID-N", so that the folder's owner can tell whose it is. A name too long to
// take that form is cut (at a character's start) to what the folder admits; a file system
// that admits less still gets one with the name cut to a few dozen bytes.
//
// Everything is done relative to the folder's descriptor, so a target whose path is near
// the system's limit gets a temporary file all the same.

#include <string>

namespace storage {

class TemporaryFile {
  public:
    // Creates a new temporary file for the target `name` in the folder open as `folder`;
    // fd() < 0 (errno set) when the folder admits none.
    TemporaryFile(int folder, const std::string& name);
    // Removes the file unless it was renamed into place.
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return fd_; }
    // The file's name in its folder.
    const std::string& name() const { return name_; }
    // The file now has the target's name: nothing to remove.
    void markRenamed() { renamed_ = true; }

  private:
    int folder_;
    std::string name_;
    int fd_ = -1;
    bool created_ = false;
    bool renamed_ = false;
};

// A file with no name for bytes that wait to be copied into a file written in place when
// its folder admits no temporary file: in $TMPDIR (or /tmp), gone when it is closed.
// Returns the descriptor, or -1 with errno set.
int OpenSpoolFile();

// Removes the temporary files of this target left by saves whose process is gone (killed
// between writing and renaming). Files of running processes, and anything not named like a
// temporary file of this target, stay.
void RemoveStaleTemporaries(int folder, const std::string& name);

}  // namespace storage
