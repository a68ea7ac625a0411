#pragma once

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

}  // namespace storage
