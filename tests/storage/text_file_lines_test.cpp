#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "storage/cp1251.h"
#include "storage/file_error.h"
#include "storage/text_file.h"
#include "storage/text_file_lines.h"
#include "support/error_text.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;
using testing_support::WriteBytes;
using Lines = std::vector<std::string>;

constexpr std::size_t kMiB = std::size_t{1} << 20;

Lines readPiecewise(const std::string& path) {
    storage::TextFileLines reader(path);
    Lines lines;
    while (const auto line = reader.next()) lines.emplace_back(*line);
    return lines;
}

// What reading the whole file at once gives.
Lines readWhole(const std::string& bytes) {
    return storage::SplitLines(storage::DecodeFileText(bytes));
}

void expectSameLines(const std::string& bytes, const std::string& what) {
    TempFolder folder;
    const std::string path = folder / "payments.crp";
    WriteBytes(path, bytes);
    const Lines expected = readWhole(bytes);
    const Lines lines = readPiecewise(path);
    ASSERT_EQ(lines.size(), expected.size()) << what;
    for (std::size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(lines[i], expected[i]) << what << ", line " << i;
}

// A text of `size` bytes of the filler, then the tail.
std::string padded(std::size_t size, const std::string& tail, char filler = 'x') {
    return std::string(size, filler) + tail;
}

// The reader takes the file in pieces of about a megabyte: line ends, a CR LF and UTF-8
// sequences cut by a piece's end, lines longer than a piece, and the encoding decided by
// a byte far into the file must all read as the whole text would.
TEST(TextFileLines, LinesCutByThePiecesReadAsTheWholeText) {
    const std::string cyrillicUtf8 = "П+%(вычет)";
    const std::string cyrillic1251 = "\xCF+%(\xE2\xFB\xF7\xE5\xF2)";
    for (const std::size_t cut : {kMiB - 2, kMiB - 1, kMiB, kMiB + 1}) {
        const std::string at = " cut at " + std::to_string(cut);
        expectSameLines(padded(cut - 1, "\r\nb\r\n"), "CR LF" + at);
        expectSameLines(padded(cut - 1, "\r\r\nb"), "CR, CR LF" + at);
        expectSameLines(padded(cut - 1, "\n\rb\r"), "LF CR" + at);
        expectSameLines(padded(cut - 1, "\r"), "a last CR" + at);
        expectSameLines(padded(cut - 1, cyrillicUtf8 + "\r\nend"), "UTF-8" + at);
        expectSameLines(padded(cut - 1, cyrillic1251 + "\r\nend"), "Windows-1251" + at);
    }
    expectSameLines(padded(3 * kMiB + 7, "\r\nshort\r\n" + padded(kMiB, "")), "long lines");
    // Valid UTF-8 for megabytes, then one byte that is not: all of it is Windows-1251.
    expectSameLines(padded(2 * kMiB, "\r\n\xD0\x9F\r\n\xCF\r\n", ';'), "late Windows-1251");
    expectSameLines("\xEF\xBB\xBF" + padded(kMiB, "\r\n" + cyrillicUtf8), "signed UTF-8");
    expectSameLines("\xEF\xBB\xBF" + cyrillic1251 + "\r\n", "signed Windows-1251");
    for (const std::string& small :
         {std::string(), std::string("\xEF\xBB\xBF"), std::string("\xEF\xBB"),
          std::string("\r\n\r\n"), std::string("a"), std::string("\r")}) {
        expectSameLines(small, "small text of " + std::to_string(small.size()) + " bytes");
    }
}

TEST(TextFileLines, RandomTextsReadAsTheWholeText) {
    const std::vector<std::string> pieces = {
        "12,50;", "15.01.2005;", "П+%", "\xCF+%", "\xD0", "\r\n", "\n", "\r", ";", "\xEF\xBB\xBF"};
    std::mt19937 random(20261208);
    for (int text = 0; text < 6; ++text) {
        // Half of the texts are UTF-8 throughout, so that the whole of it is read as such.
        const bool utf8Only = text % 2 == 0;
        std::string bytes;
        while (bytes.size() < 2 * kMiB + 100) {
            std::string piece = pieces[random() % pieces.size()];
            if (utf8Only && !storage::IsValidUtf8(piece))
                continue;
            bytes += piece;
        }
        expectSameLines(bytes, "random text " + std::to_string(text));
    }
}

TEST(TextFileLines, AFileThatCannotBeReadIsRefusedBeforeAnyLine) {
    TempFolder folder;
    const auto error = [](const std::string& path) {
        return testing_support::ErrorText<storage::FileError>(
            [&] { storage::TextFileLines lines(path); });
    };
    EXPECT_EQ(error(folder / "missing.crp"), "Файл \"" + folder / "missing.crp" + "\" не найден.");
    EXPECT_EQ(error("/dev/zero"),
              "Файл \"/dev/zero\" не прочитан: это устройство, а не обычный файл.");
    const std::string fifo = folder / "pipe.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(20);  // a FIFO without a writer must not block
    EXPECT_NE(error(fifo).find("именованный канал"), std::string::npos);
    alarm(0);
    const std::string big = folder / "big.crp";
    WriteBytes(big, "");
    ASSERT_EQ(truncate(big.c_str(), storage::kMaxReadSize + 1), 0);  // sparse: no disk used
    EXPECT_NE(error(big).find("больше 64 МБ"), std::string::npos);
}

}  // namespace
