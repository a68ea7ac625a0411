#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::RunCliCommand;
using testing_support::TempFolder;

bool isFifo(const std::string& path) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// `show /dev/zero` once grew until the memory ran out, and `show` of a FIFO blocked for good.
TEST(UnusualFilesCommand, ShowRefusesADeviceAndAFifoAtOnce) {
    CliRun r = RunCliCommand({"show", "/dev/zero"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Ссудомер: Файл \"/dev/zero\" не прочитан: это устройство, а не обычный "
              "файл.\n");

    TempFolder folder;
    const std::string fifo = folder / "loan.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    alarm(20);
    r = RunCliCommand({"show", fifo});
    alarm(0);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("это именованный канал"), std::string::npos) << r.err;
}

// `register --save` onto a FIFO once replaced it with a regular file and exited 0.
TEST(UnusualFilesCommand, RegisterDoesNotSaveOverAFifo) {
    TempFolder folder;
    const std::string fifo = folder / "loan.crp";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const CliRun r =
        RunCliCommand({"register", "--sum", "12000", "--rate", "12", "--term", "12", "--date",
                       "10.01.2005", "--pay", "10.02.2005:1500:pi", "--save", fifo});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Ссудомер: Файл \"loan.crp\" не записан: это именованный канал, а "
              "сохранять можно только в обычный файл; ничего не изменено.\n");
    EXPECT_TRUE(isFifo(fifo));
}

}  // namespace
