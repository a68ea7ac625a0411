#pragma once

// The temporary file a save writes beside its target before renaming it over the target.
// It is made without a name (O_TMPFILE), so a save killed while it writes leaves nothing in
// the folder; it gets a name only when it is complete: the target's own when there is no
// file under it yet, otherwise ".NAME.tmp-PID-N" for the moment of the rename. A file system
// without unnamed files gets the named file from the start. A name too long to take that
// form is cut (at a character's start) to what the folder admits; a file system that admits
// less still gets one with the name cut to a few dozen bytes; ".NAME.tmp-PID-N" lets the
// folder's owner tell whose it is.
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
    // Whether the file has no name yet.
    bool unnamed() const { return fd_ >= 0 && !created_; }
    // Gives an unnamed file its temporary name (nothing to do for a named one); 0 or errno.
    int giveName();
    // Gives an unnamed file the name `name`, where no file may be (EEXIST when one is);
    // 0 or errno. The file then has the target's name: nothing to remove.
    int linkAs(const std::string& name);
    // The file's name in its folder (after giveName for one made unnamed).
    const std::string& name() const { return name_; }
    // The file now has the target's name: nothing to remove.
    void markRenamed() { renamed_ = true; }

  private:
    int makeNamed(const std::string& target);
    int link(const std::string& name) const;

    int folder_;
    std::string target_;
    std::string name_;
    int fd_ = -1;
    bool created_ = false;
    bool renamed_ = false;
};

// For tests: while one exists, temporary files are made named, as on a file system that
// admits no unnamed ones.
class ScopedNoUnnamedFiles {
  public:
    ScopedNoUnnamedFiles();
    ~ScopedNoUnnamedFiles();
    ScopedNoUnnamedFiles(const ScopedNoUnnamedFiles&) = delete;
    ScopedNoUnnamedFiles& operator=(const ScopedNoUnnamedFiles&) = delete;

  private:
    bool previous_;
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
