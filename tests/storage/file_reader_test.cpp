#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/file_error.h"
#include "storage/file_reader.h"
#include "storage/text_file.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;

std::string readError(const std::string& path) {
    return testing_support::ErrorText<storage::FileError>([&] { storage::ReadFileBytes(path); });
}

// Each of these would block, never end, or fill the memory if it were read.
TEST(ReadFileBytes, RefusesWhatIsNoRegularFileWithoutReadingIt) {
    TempFolder folder;
    const std::string fifo = folder / "pipe.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(20);  // a FIFO without a writer must not block the opening
    EXPECT_EQ(readError(fifo), "Файл \"" + fifo +
                                   "\" не прочитан: это именованный канал, а не "
                                   "обычный файл.");
    EXPECT_THROW(storage::TryReadTextFile(fifo), storage::FileError);
    alarm(0);
    EXPECT_EQ(readError("/dev/zero"),
              "Файл \"/dev/zero\" не прочитан: это устройство, а не обычный файл.");
    EXPECT_EQ(readError("/dev/null"),
              "Файл \"/dev/null\" не прочитан: это устройство, а не обычный файл.");
    const std::string link = folder / "zero.crp";
    ASSERT_EQ(symlink("/dev/zero", link.c_str()), 0);
    EXPECT_EQ(readError(link), "Файл \"" + link +
                                   "\" не прочитан: это устройство, а не обычный "
                                   "файл.");
}

TEST(ReadFileBytes, RefusesAFileOverTheLimitAndReadsOneAtIt) {
    TempFolder folder;
    const std::string big = folder / "big.crp";
    WriteBytes(big, "");
    ASSERT_EQ(truncate(big.c_str(), storage::kMaxReadSize + 1), 0);  // sparse: no disk used
    EXPECT_EQ(readError(big), "Файл \"" + big +
                                  "\" не прочитан: он больше 64 МБ, а файл платежей так велик "
                                  "не бывает.");
    ASSERT_EQ(truncate(big.c_str(), storage::kMaxReadSize), 0);
    EXPECT_EQ(storage::ReadFileBytes(big).size(), static_cast<std::size_t>(storage::kMaxReadSize));
}

TEST(ReadFileBytes, FollowsLinksAndQuotesAnOddNameBounded) {
    TempFolder folder;
    WriteBytes(folder / "real.crp", "150000\r\n");
    const std::string link = folder / "link.crp";
    ASSERT_EQ(symlink("real.crp", link.c_str()), 0);
    EXPECT_EQ(storage::ReadFileBytes(link), "150000\r\n");

    const std::string dangling = folder / "dangling.crp";
    ASSERT_EQ(symlink("nowhere.crp", dangling.c_str()), 0);
    EXPECT_EQ(readError(dangling), "Файл \"" + dangling + "\" не найден.");
    EXPECT_FALSE(storage::TryReadTextFile(dangling));

    const std::string odd = folder / ("a\tb" + std::string(200, 'x'));
    ASSERT_EQ(mkdir(odd.c_str(), 0700), 0);
    const std::string error = readError(odd);
    EXPECT_NE(error.find("a\\x09b"), std::string::npos) << error;
    EXPECT_NE(error.find("…\" не прочитан: это папка"), std::string::npos) << error;
    EXPECT_LT(error.size(), 250u);
}

}  // namespace
