// File errors as the person reads them: Russian, and naming the file.

#include <gtest/gtest.h>

#include <cerrno>

#include "storage/file_error.h"

namespace {

using storage::FileAccess;
using storage::FileErrorText;

TEST(FileErrorText, EveryReasonIsRussianAndTheFileIsNamed) {
    struct Case {
        int error;
        FileAccess access;
        const char* reason;
        const char* named;
    };
    const Case cases[] = {
        {ENOENT, FileAccess::Read, "Файл не найден.", "Файл \"a.crp\" не найден."},
        {ENOENT, FileAccess::Write, "Папка не найдена.",
         "Файл \"a.crp\" не записан: папка не найдена."},
        {ENOTDIR, FileAccess::Read, "Папка не найдена.",
         "Файл \"a.crp\" не прочитан: папка не найдена."},
        {EACCES, FileAccess::Read, "Нет доступа.", "Файл \"a.crp\" не прочитан: нет доступа."},
        {EPERM, FileAccess::Write, "Нет доступа.", "Файл \"a.crp\" не записан: нет доступа."},
        {EROFS, FileAccess::Write, "Диск доступен только для чтения.",
         "Файл \"a.crp\" не записан: диск доступен только для чтения."},
        {EISDIR, FileAccess::Read, "Это папка.", "Файл \"a.crp\" не прочитан: это папка."},
        {ENOSPC, FileAccess::Write, "Нет места на диске.",
         "Файл \"a.crp\" не записан: нет места на диске."},
        {EDQUOT, FileAccess::Write, "Нет места на диске.",
         "Файл \"a.crp\" не записан: нет места на диске."},
        {EFBIG, FileAccess::Write, "Файл слишком велик.",
         "Файл \"a.crp\" не записан: файл слишком велик."},
        {ENAMETOOLONG, FileAccess::Write, "Слишком длинное имя файла.",
         "Файл \"a.crp\" не записан: слишком длинное имя файла."},
        {ELOOP, FileAccess::Write, "Слишком много символических ссылок.",
         "Файл \"a.crp\" не записан: слишком много символических ссылок."},
        {EIO, FileAccess::Read, "Ошибка ввода-вывода 5.",
         "Файл \"a.crp\" не прочитан: ошибка ввода-вывода 5."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileErrorText(c.error, c.access), c.reason) << c.error;
        EXPECT_EQ(FileErrorText(c.error, c.access, "a.crp"), c.named) << c.error;
    }
    // Every other errno a save can meet is said in words, not as a bare number.
    for (const int error : {EMFILE, ENFILE, ENOMEM, EAGAIN, EBUSY, ETXTBSY, EEXIST, EMLINK, ENXIO,
                            ENODEV, EINVAL, EOPNOTSUPP, EINTR}) {
        const std::string reason = FileErrorText(error, FileAccess::Write);
        EXPECT_EQ(reason.find_first_of("0123456789"), std::string::npos) << reason;
    }
    // A name that would break the message is quoted short, its control characters shown.
    EXPECT_EQ(FileErrorText(ENOENT, FileAccess::Read, "a\nb\r" + std::string(100, 'x')),
              "Файл \"a\\x0Ab\\x0D" + std::string(56, 'x') + "…\" не найден.");
}

}  // namespace
