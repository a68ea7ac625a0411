#pragma once

#include <sys/types.h>

#include <stdexcept>
#include <string>

namespace storage {

// A file that could not be opened, read, created or written. The text is what the person
// sees in the error box.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum class FileAccess { Read, Write };

// The short run-time text for an errno ("File not found", "File access denied",
// "Disk write error", otherwise "I/O error N").
std::string FileErrorText(int error, FileAccess access);

// The refusal to read or write something that is not a regular file (a folder, a FIFO, a
// device, a socket): names the file, quoted as an excerpt, and what it is.
std::string NotRegularFileText(const std::string& name, mode_t mode, FileAccess access);

// The file name after the last "/".
std::string FileNameOf(const std::string& path);
// The folder before the last "/" ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace storage
