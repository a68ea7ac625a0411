// ssudomer-cli's standard output, run as a whole process: a result that cannot be written
// whole is never a success, and a reader that goes away ends the program as it ends any
// filter, once its other outputs are written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;

const std::vector<std::string> kSmallSchedule = {"schedule", "--sum", "12000",  "--rate",    "12",
                                                 "--term",   "12",    "--date", "10.01.2005"};
// More than a pipe holds and more than the program's own buffer.
const std::vector<std::string> kLongSchedule = {"schedule", "--sum", "3000000", "--rate",    "12",
                                                "--term",   "1000",  "--date",  "10.01.2005"};
constexpr const char* kNoSpace =
    "ssudomer-cli: результат не выведен полностью: нет места на диске.";

struct Finished {
    int waitStatus = -1;
    std::string err;
};

// Starts the program with `output` as its standard output and `errors` as its standard
// error; `prepare` runs in the child just before the program replaces it.
pid_t start(const std::vector<std::string>& args, int output, int errors,
            const std::function<void()>& prepare = {}) {
    std::vector<char*> argv = {const_cast<char*>(SSUDOMER_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(errors, STDERR_FILENO);
        if (output >= 0) {
            dup2(output, STDOUT_FILENO);
        } else {
            close(STDOUT_FILENO);
        }
        if (prepare)
            prepare();
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

int waitFor(pid_t child) {
    int status = -1;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

class StandardOutput : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string errPath = folder / "err.txt";

    int openErrors() const { return open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600); }

    // Runs the program to its end with standard output opened from `path` (closed for an
    // empty path).
    Finished runInto(const std::vector<std::string>& args, const std::string& path,
                     int flags = O_WRONLY) {
        const int errors = openErrors();
        const int output = path.empty() ? -1 : open(path.c_str(), flags);
        Finished finished;
        finished.waitStatus = waitFor(start(args, output, errors));
        if (output >= 0)
            close(output);
        close(errors);
        finished.err = ReadBytes(errPath);
        return finished;
    }

    // Runs the program into a pipe whose reader takes `taken` bytes and then leaves.
    Finished runIntoLeavingReader(const std::vector<std::string>& args, std::size_t taken,
                                  const std::function<void()>& prepare = {}) {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        const int errors = openErrors();
        const pid_t child = start(args, ends[1], errors, [&] {
            close(ends[0]);
            if (prepare)
                prepare();
        });
        close(ends[1]);
        close(errors);
        std::string received(taken, '\0');
        std::size_t have = 0;
        while (have < taken) {
            const ssize_t n = read(ends[0], received.data() + have, taken - have);
            if (n <= 0)
                break;
            have += static_cast<std::size_t>(n);
        }
        EXPECT_EQ(have, taken);
        close(ends[0]);
        Finished finished;
        finished.waitStatus = waitFor(child);
        finished.err = ReadBytes(errPath);
        return finished;
    }
};

bool exitedWith(const Finished& finished, int status) {
    return WIFEXITED(finished.waitStatus) && WEXITSTATUS(finished.waitStatus) == status;
}

TEST_F(StandardOutput, AResultThatCannotBeWrittenWholeIsAFailureWithItsReason) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        std::string output;
        const char* message;
    };
    const std::string readOnly = folder / "read-only.txt";
    testing_support::WriteBytes(readOnly, "");
    const std::string closedMessage =
        "ssudomer-cli: результат не выведен полностью: стандартный вывод закрыт или открыт "
        "только для чтения.";
    std::vector<std::string> longCsv = kLongSchedule;
    longCsv.push_back("--csv");
    const std::vector<Case> cases = {
        // What fits in the program's buffer fails only when it is written at the end.
        {"a short table on a full disk", kSmallSchedule, "/dev/full", kNoSpace},
        {"a long CSV on a full disk", longCsv, "/dev/full", kNoSpace},
        {"the version on a full disk", {"--version"}, "/dev/full", kNoSpace},
        {"the help on a full disk", {"--help"}, "/dev/full", kNoSpace},
        {"a closed standard output", kSmallSchedule, "", closedMessage.c_str()},
        {"a standard output open for reading", kLongSchedule, readOnly, closedMessage.c_str()},
    };
    for (const Case& c : cases) {
        const int flags = c.output == readOnly ? O_RDONLY : O_WRONLY;
        const Finished finished = runInto(c.args, c.output, flags);
        EXPECT_TRUE(exitedWith(finished, 2)) << c.what << ": " << finished.waitStatus;
        EXPECT_EQ(finished.err, std::string(c.message) + "\n") << c.what;
    }
    // The same runs succeed where the output can go.
    for (const Case& c : cases) {
        const Finished finished = runInto(c.args, "/dev/null");
        EXPECT_TRUE(exitedWith(finished, 0)) << c.what << ": " << finished.waitStatus;
        EXPECT_EQ(finished.err, "") << c.what;
    }
    // A refusal keeps its own status, and its reason comes before the output's.
    const Finished refused = runInto({"schedule", "--sum", "1000", "--rate", "0.0001", "--term",
                                      "3", "--date", "10.01.2005", "--psk"},
                                     "/dev/full");
    EXPECT_TRUE(exitedWith(refused, 2)) << refused.waitStatus;
    EXPECT_TRUE(refused.err.starts_with("Полная стоимость кредита: ")) << refused.err;
    EXPECT_TRUE(refused.err.ends_with(std::string("\n") + kNoSpace + "\n")) << refused.err;
    const Finished usage = runInto({"schedule", "--sum"}, "/dev/full");
    EXPECT_TRUE(exitedWith(usage, 64)) << usage.waitStatus;
}

TEST_F(StandardOutput, AReaderThatLeavesEndsTheProgramQuietlyOnceItsPdfIsWritten) {
    const std::string pdf = folder / "payments.pdf";
    std::vector<std::string> args = kLongSchedule;
    args.insert(args.end(), {"--pdf", pdf});

    const Finished finished = runIntoLeavingReader(args, 100);
    EXPECT_TRUE(WIFSIGNALED(finished.waitStatus) && WTERMSIG(finished.waitStatus) == SIGPIPE)
        << finished.waitStatus;
    EXPECT_EQ(finished.err, "");
    EXPECT_EQ(ReadBytes(pdf).substr(0, 5), "%PDF-") << "the PDF is written all the same";

    // Started with SIGPIPE ignored, the program sees the closed pipe as a failed write.
    const Finished ignoring =
        runIntoLeavingReader(kLongSchedule, 100, [] { std::signal(SIGPIPE, SIG_IGN); });
    EXPECT_TRUE(exitedWith(ignoring, 2)) << ignoring.waitStatus;
    EXPECT_EQ(ignoring.err,
              "ssudomer-cli: результат не выведен полностью: читающая программа закрыла "
              "канал.\n");
}

TEST_F(StandardOutput, ANonBlockingPipeReceivesTheWholeResult) {
    const std::string expectedPath = folder / "expected.txt";
    testing_support::WriteBytes(expectedPath, "");
    ASSERT_TRUE(exitedWith(runInto(kLongSchedule, expectedPath), 0));
    const std::string expected = ReadBytes(expectedPath);
    ASSERT_GT(expected.size(), std::size_t{96} << 10);

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    ASSERT_EQ(fcntl(ends[1], F_SETFL, O_NONBLOCK), 0);
    const int errors = openErrors();
    const pid_t child = start(kLongSchedule, ends[1], errors, [&] { close(ends[0]); });
    close(ends[1]);
    close(errors);
    usleep(200000);  // the pipe fills while nobody reads
    std::string received;
    char chunk[4096];
    for (ssize_t n; (n = read(ends[0], chunk, sizeof chunk)) > 0;) received.append(chunk, n);
    close(ends[0]);
    const Finished finished{waitFor(child), ReadBytes(errPath)};
    EXPECT_TRUE(exitedWith(finished, 0)) << finished.waitStatus << " " << finished.err;
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected);
}

}  // namespace
