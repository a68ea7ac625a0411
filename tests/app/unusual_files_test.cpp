#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

class UnusualFiles : public ::testing::Test, protected testing_support::FormFixture {
  protected:
    TempFolder folder;

    std::string lastMessage() const {
        return port.messages.empty() ? "" : port.messages.back().text;
    }
    // "Загрузить платежи..." answered with the path.
    bool loadFromMenu(const std::string& path) {
        port.filesToOpen.push_back(path);
        return form.RunHandler([&] { form.N3Click(); });
    }
};

// A FIFO would block the window for good, a device fill the memory; both are refused with a
// message and the window stays in its mode, with no file named as loaded.
TEST_F(UnusualFiles, TheLoadMenuAndTheCommandLineRefuseWhatIsNoRegularFile) {
    const std::string fifo = folder / "pipe.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(20);
    EXPECT_FALSE(loadFromMenu(fifo));
    alarm(0);
    EXPECT_EQ(lastMessage(),
              "Файл \"" + fifo + "\" не прочитан: это именованный канал, а не обычный файл.");
    EXPECT_FALSE(form.N16.Checked);
    EXPECT_EQ(form.CurrentFileName, "");

    const std::string device = folder / "zero.crp";
    ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
    EXPECT_FALSE(form.RunHandler([&] { form.OpenCommandLineFile({device}); }));
    EXPECT_EQ(lastMessage(),
              "Файл \"" + device + "\" не прочитан: это устройство, а не обычный файл.");
    EXPECT_FALSE(form.N16.Checked);
    EXPECT_TRUE(S_ISFIFO([&] {
        struct stat status {};
        lstat(fifo.c_str(), &status);
        return status.st_mode;
    }()));
}

TEST_F(UnusualFiles, ALastLoanFileThatIsAFifoDoesNotHoldUpTheStart) {
    form.ProgramPath = folder / "ssudomer";
    ASSERT_EQ(mkfifo((folder / "oldinfo.ini").c_str(), 0600), 0);
    alarm(20);
    EXPECT_FALSE(form.RunHandler([&] { form.ReadLastLoanFile(); }));
    alarm(0);
    EXPECT_EQ(lastMessage(), "Файл \"" + folder / "oldinfo.ini" +
                                 "\" не прочитан: это именованный канал, а не обычный файл.");
    EXPECT_EQ(form.SpinEdit1.Text, "0");
}

// A huge field once made a message as large as the file, and a NUL byte cut it short.
TEST_F(UnusualFiles, ABadFieldIsQuotedShortAndWhole) {
    const std::string path = folder / "bad.crp";
    const std::string header = "12000\r\n12\r\n12\r\n10.01.2005\r\n";
    WriteBytes(path, header + "1;10.02.2005;12" + std::string(1'000'000, '0') + "x;0;0;0;АП;\r\n");
    EXPECT_FALSE(loadFromMenu(path));
    const std::string refused = "Файл \"" + path + "\" не загружен; ничего не изменено.\r";
    EXPECT_EQ(lastMessage(), refused + "Строка 5, поле \"Остаток кредита\": \"12" +
                                 std::string(58, '0') + "…\" не является числом.");

    WriteBytes(path, header + "1;10.02.2005;15" + std::string(1, '\0') + "00;0;0;0;АП;\r\n");
    EXPECT_FALSE(loadFromMenu(path));
    EXPECT_EQ(lastMessage(),
              refused + "Строка 5, поле \"Остаток кредита\": \"15\\x0000\" не является числом.");

    WriteBytes(path, "12000\r\n12\r\n12\r\n10.01.\x01\x7F\r\n");
    EXPECT_FALSE(loadFromMenu(path));
    EXPECT_EQ(lastMessage(), refused +
                                 "Строка 4 (дата получения кредита): \"10.01.\\x01\\x7F\" — "
                                 "нужна дата вида 15.01.2005.");
}

// An editor put a UTF-8 signature before Windows-1251 text: the payment kinds load as
// letters, and a save writes them back as they were.
TEST_F(UnusualFiles, ASignatureBeforeWindows1251TextLoadsAndSavesTheLetters) {
    const std::string body =
        "12000\r\n12\r\n12\r\n10.01.2005\r\n"
        "1;10.02.2005;12000,00;1000,00;121,97;1121,97;\xCF+%(\xE2\xFB\xF7\xE5\xF2);\r\n";
    const std::string path = folder / "signed.crp";
    WriteBytes(path, "\xEF\xBB\xBF" + body);
    ASSERT_TRUE(loadFromMenu(path)) << lastMessage();
    EXPECT_EQ(form.StringGrid1.cell(6, 1), "П+%(вычет)");
    form.SaveFile(folder / "saved.crp");
    EXPECT_EQ(ReadBytes(folder / "saved.crp"), body);
}

}  // namespace
