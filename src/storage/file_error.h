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

// Why an errno stopped a file operation, as a short sentence ("Файл не найден.", "Нет
// доступа.", "Нет места на диске.", "Слишком длинное имя файла."; an errno no save or read meets,
// "Системная ошибка N."). Callers that
// name the file on a line of its own put this first.
std::string FileErrorText(int error, FileAccess access);

// The whole message for a file that could not be read or written, naming it (quoted as an
// excerpt): «Файл "…" не найден.», «Файл "…" не прочитан: нет доступа.», ...
std::string FileErrorText(int error, FileAccess access, const std::string& name);
// The same reason as the part of a sentence after a colon ("нет места на диске").
std::string FileErrorClause(int error, FileAccess access);

// The refusal to read or write something that is not a regular file (a folder, a FIFO, a
// device, a socket): names the file, quoted as an excerpt, and what it is.
std::string NotRegularFileText(const std::string& name, mode_t mode, FileAccess access);

// The file name after the last "/".
std::string FileNameOf(const std::string& path);
// The folder before the last "/" ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace storage
