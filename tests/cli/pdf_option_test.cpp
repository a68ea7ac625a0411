// ssudomer-cli --pdf: the pages of the print window written into a file by the PDF module,
// run as a whole process; and the refusal when no PDF can be written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "pdf/pdf_module.h"
#include "support/cli_run.h"
#include "support/other_user.h"
#include "support/sample_payment_file.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

struct Process {
    int status;
    std::string out;
};

// Runs a shell command line and collects its standard output.
Process runShell(const std::string& command) {
    Process result{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

std::string cli(const std::string& arguments) {
    return quoted(SSUDOMER_CLI) + " " + arguments;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool havePoppler() {
    return runShell("pdftotext -v 2>/dev/null; pdfinfo -v 2>/dev/null").status == 0;
}

class PdfOption : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    fs::path pdf = fs::path(folder.path()) / "payments.pdf";
};

TEST_F(PdfOption, ScheduleWritesTheWindowsPagesAndStillPrintsTheTable) {
    const Process plain =
        runShell(cli("schedule --sum 120000 --rate 12 --term 120 --date 10.03.2004"));
    const Process withPdf =
        runShell(cli("schedule --sum 120000 --rate 12 --term 120 --date 10.03.2004 --pdf " +
                     quoted(pdf.string())) +
                 " 2>&1");
    ASSERT_EQ(withPdf.status, 0) << withPdf.out;
    EXPECT_EQ(withPdf.out, plain.out);
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils not installed";

    const Process info = runShell("pdfinfo " + quoted(pdf.string()));
    EXPECT_TRUE(std::regex_search(info.out, std::regex("Pages: +3\n"))) << info.out;
    EXPECT_TRUE(std::regex_search(info.out, std::regex("Page size: +595 x 842 pts \\(A4\\)")))
        << info.out;
    EXPECT_NE(info.out.find("Платежи по кредиту"), std::string::npos) << info.out;

    const Process text = runShell("pdftotext -raw " + quoted(pdf.string()) + " -");
    EXPECT_NE(text.out.find("Сумма кредита : 120000\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Процентная ставка : 12 %\n"), std::string::npos);
    EXPECT_NE(text.out.find("Срок погашения : 120 месяцев\n"), std::string::npos);
    EXPECT_NE(text.out.find("Дата получения кредита : 10.03.2004\n"), std::string::npos);
    EXPECT_NE(text.out.find("Всего:"), std::string::npos);
    // The values line up: the four colons of page 1 stand at the same place.
    const Process colons = runShell("pdftotext -bbox -f 1 -l 1 " + quoted(pdf.string()) +
                                    " - | grep -o 'xMin=\"[0-9.]*\"[^>]*>:</word>'");
    std::istringstream places(colons.out);
    std::vector<std::string> lefts;
    for (std::string line; std::getline(places, line);) lefts.push_back(line.substr(0, 16));
    ASSERT_EQ(lefts.size(), 4u) << colons.out;
    EXPECT_EQ(lefts[1], lefts[0]);
    EXPECT_EQ(lefts[2], lefts[0]);
    EXPECT_EQ(lefts[3], lefts[0]);
    // Every page has its header and footer; the title row is repeated on each.
    std::size_t headers = 0, footers = 0, titles = 0;
    for (std::size_t at = 0;
         (at = text.out.find("Информация по кредиту.", at)) != std::string::npos; ++at)
        ++headers;
    for (std::size_t at = 0; (at = text.out.find("Ссудомер 2.0", at)) != std::string::npos; ++at)
        ++footers;
    for (std::size_t at = 0; (at = text.out.find("Остаток кредита", at)) != std::string::npos; ++at)
        ++titles;
    EXPECT_EQ(headers, 3u);
    EXPECT_EQ(footers, 3u);
    EXPECT_EQ(titles, 3u);
}

TEST_F(PdfOption, ShowAndRegisterWriteTheirPaymentsToo) {
    const fs::path saved = fs::path(folder.path()) / "loan.crp";
    const Process registered =
        runShell(cli("register --sum 12000 --rate 12 --term 12 --date 10.01.2005 --pay "
                     "10.02.2005:1500:pi --save " +
                     quoted(saved.string()) + " --pdf " + quoted(pdf.string())));
    ASSERT_EQ(registered.status, 0);
    ASSERT_TRUE(fs::exists(pdf));
    const fs::path shown = fs::path(folder.path()) / "shown.pdf";
    const Process show =
        runShell(cli("show " + quoted(saved.string()) + " --pdf " + quoted(shown.string())));
    ASSERT_EQ(show.status, 0);
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils not installed";
    const Process text = runShell("pdftotext -layout " + quoted(shown.string()) + " -");
    EXPECT_NE(text.out.find("Тип платежа"), std::string::npos);
    EXPECT_NE(text.out.find("10.02.2005"), std::string::npos);
    EXPECT_NE(text.out.find("П+%"), std::string::npos);
    EXPECT_EQ(runShell("pdftotext -layout " + quoted(pdf.string()) + " -").out, text.out);
}

TEST_F(PdfOption, AFileThatCannotBeWrittenIsRefusedAndAnOldOneKept) {
    const fs::path blocked = fs::path(folder.path()) / "missing-folder" / "out.pdf";
    const Process refused =
        runShell(cli("schedule --sum 1000 --rate 12 --term 3 --pdf " + quoted(blocked.string())) +
                 " 2>&1 1>/dev/null");
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("Файл \"out.pdf\" не записан."), std::string::npos) << refused.out;
    EXPECT_FALSE(fs::exists(blocked));

    // A folder in the file's place: the write fails and the folder stays as it was.
    fs::create_directory(pdf);
    const Process onFolder =
        runShell(cli("schedule --sum 1000 --rate 12 --term 3 --pdf " + quoted(pdf.string())) +
                 " 2>/dev/null");
    EXPECT_EQ(onFolder.status, 2);
    EXPECT_TRUE(fs::is_directory(pdf));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(PdfOptionInProcess, WithoutTheWriterModuleThePdfIsRefusedAfterTheTable) {
    // The test program has no PDF module beside it.
    const auto r = testing_support::RunCliCommand(
        {"schedule", "--sum", "1000", "--rate", "12", "--term", "3", "--pdf", "x.pdf"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Всего:"), std::string::npos);
    EXPECT_NE(r.err.find("ssudomer-pdf.so не установлен"), std::string::npos) << r.err;
}

// ---- The file written as every save writes its file ---------------------------------------

using testing_support::kNobody;

const std::string kSchedule = "schedule --sum 1000 --rate 12 --term 3 --pdf ";
const std::string kRefusedSpecial = "а сохранять можно только в обычный файл; ничего не изменено.";
const std::string kKept = "не записан; прежнее содержимое файла не изменено.";

// --pdf into `path`: the status and what went to standard error.
Process pdfInto(const std::string& path, const std::string& program = SSUDOMER_CLI) {
    return runShell(quoted(program) + " " + kSchedule + quoted(path) + " 2>&1 1>/dev/null");
}

struct stat statusOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
    return status;
}

bool isPdf(const std::string& path) {
    return readFile(path).substr(0, 5) == "%PDF-";
}

class GuardedPdf : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    std::string at(const std::string& name) { return folder / name; }
};

TEST_F(GuardedPdf, SpecialFilesAreRefusedAndLeftAlone) {
    ASSERT_EQ(mkfifo(at("pipe.pdf").c_str(), 0600), 0);
    ASSERT_EQ(symlink("pipe.pdf", at("to-pipe.pdf").c_str()), 0);
    fs::create_directory(at("folder.pdf"));
    const bool devices = mknod(at("null.pdf").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (devices)
        ASSERT_EQ(symlink("null.pdf", at("to-null.pdf").c_str()), 0);

    for (const char* name : {"pipe.pdf", "to-pipe.pdf", "folder.pdf", "null.pdf", "to-null.pdf"}) {
        if (!devices && std::string(name).find("null") != std::string::npos)
            continue;
        const Process refused = pdfInto(at(name));
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_NE(refused.out.find(kRefusedSpecial), std::string::npos) << refused.out;
    }
    EXPECT_TRUE(S_ISFIFO(statusOf(at("pipe.pdf")).st_mode));
    EXPECT_TRUE(S_ISLNK(statusOf(at("to-pipe.pdf")).st_mode));
    EXPECT_TRUE(S_ISDIR(statusOf(at("folder.pdf")).st_mode));
    if (devices) {
        EXPECT_TRUE(S_ISCHR(statusOf(at("null.pdf")).st_mode));
        EXPECT_TRUE(S_ISLNK(statusOf(at("to-null.pdf")).st_mode));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()),
              devices ? 5 : 3);

    // A dangling link: the file it names is made, and the link stays.
    ASSERT_EQ(symlink("made.pdf", at("dangling.pdf").c_str()), 0);
    EXPECT_EQ(pdfInto(at("dangling.pdf")).status, 0);
    EXPECT_TRUE(S_ISLNK(statusOf(at("dangling.pdf")).st_mode));
    EXPECT_TRUE(isPdf(at("made.pdf")));
}

TEST_F(GuardedPdf, HardLinksModesAndOwnersAreKept) {
    testing_support::WriteBytes(at("a.pdf"), "old");
    ASSERT_EQ(link(at("a.pdf").c_str(), at("b.pdf").c_str()), 0);
    chmod(at("a.pdf").c_str(), 0640);
    const ino_t inode = statusOf(at("a.pdf")).st_ino;
    ASSERT_EQ(pdfInto(at("a.pdf")).status, 0);
    EXPECT_EQ(statusOf(at("a.pdf")).st_ino, inode);
    EXPECT_TRUE(isPdf(at("b.pdf")));
    EXPECT_EQ(statusOf(at("a.pdf")).st_mode & 07777, 0640u);

    testing_support::WriteBytes(at("read-only.pdf"), "old");
    chmod(at("read-only.pdf").c_str(), 0444);
    const Process refused = pdfInto(at("read-only.pdf"));
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("Файл \"read-only.pdf\" " + kKept), std::string::npos)
        << refused.out;
    EXPECT_EQ(readFile(at("read-only.pdf")), "old");

    if (!testing_support::CanActAsAnotherUser())
        return;
    testing_support::WriteBytes(at("nobodys.pdf"), "old");
    ASSERT_EQ(chown(at("nobodys.pdf").c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(pdfInto(at("nobodys.pdf")).status, 0);
    EXPECT_TRUE(isPdf(at("nobodys.pdf")));
    EXPECT_EQ(statusOf(at("nobodys.pdf")).st_uid, kNobody);
}

TEST_F(GuardedPdf, AnOrdinaryUserIsRefusedWhatHeMayNotWrite) {
    if (!testing_support::CanActAsAnotherUser())
        GTEST_SKIP() << "needs the superuser to act as another user";
    ASSERT_EQ(chown(folder.path().c_str(), kNobody, kNobody), 0);
    const auto make = [&](const std::string& name, uid_t owner, mode_t mode) {
        testing_support::WriteBytes(at(name), "old");
        EXPECT_EQ(chown(at(name).c_str(), owner, owner), 0);
        chmod(at(name).c_str(), mode);
    };
    make("own-read-only.pdf", kNobody, 0444);
    make("roots.pdf", 0, 0644);
    make("roots-shared.pdf", 0, 0666);
    // nobody runs a copy of his own: the build tree may be closed to him.
    const testing_support::ProgramCopyForOthers copy(SSUDOMER_CLI, {pdf::kModuleFileName});
    ASSERT_FALSE(copy.program().empty()) << "no copy of the program for nobody";
    const std::string& program = copy.program();
    if (testing_support::RunAsNobody([&] { return access(program.c_str(), X_OK) == 0; }) != 1)
        GTEST_SKIP() << "nobody cannot run a program from /tmp on this machine";
    const int verdict = testing_support::RunAsNobody([&] {
        setenv("HOME", folder.path().c_str(), 1);
        return pdfInto(at("own-read-only.pdf"), program).status == 2 &&
               pdfInto(at("roots.pdf"), program).status == 2 &&
               pdfInto(at("roots-shared.pdf"), program).status == 0;
    });
    ASSERT_NE(verdict, -1);
    EXPECT_EQ(verdict, 1);
    EXPECT_EQ(readFile(at("own-read-only.pdf")), "old");
    EXPECT_EQ(readFile(at("roots.pdf")), "old");
    EXPECT_TRUE(isPdf(at("roots-shared.pdf")));
    EXPECT_EQ(statusOf(at("roots-shared.pdf")).st_uid, 0u);
}

// `--pdf /dev/stdout > out.txt` once wrote the table into out.txt, replaced it by the PDF
// and ended with status 0: the table was gone. Two outputs naming one file lost one of them.
TEST_F(GuardedPdf, OutputsThatShareAFileWithStandardOutputOrEachOtherAreRefused) {
    const std::string plan = "plan --sum 100000 --rate 12 --term 12 --date 10.01.2024 ";
    const auto refusal = [&](const std::string& arguments, const std::string& redirect) {
        return runShell("LANG=C " + cli(plan + arguments) + redirect + " 2>&1");
    };
    Process r = refusal("--pdf /dev/stdout", " > " + quoted(at("out.txt")));
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(readFile(at("out.txt")).substr(0, 70),
              "ssudomer-cli: --pdf '/dev/stdout' names the file standard output is wr");

    ASSERT_EQ(symlink("out.txt", at("link.pdf").c_str()), 0);
    r = refusal("--chart " + quoted(at("link.pdf")), " > " + quoted(at("out.txt")));
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(readFile(at("out.txt")).find("names the file standard output"), std::string::npos);

    // Two outputs: the same name, a name through a dangling link, a hard link of another.
    r = refusal("--pdf " + quoted(at("a.pdf")) + " --chart " + quoted(folder.path() + "/./a.pdf"),
                "");
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.out.find("--pdf '" + at("a.pdf") + "' and --chart '"), std::string::npos) << r.out;
    ASSERT_EQ(symlink("made.png", at("dangling.pdf").c_str()), 0);
    r = refusal("--pdf " + quoted(at("dangling.pdf")) + " --chart " + quoted(at("made.png")), "");
    EXPECT_EQ(r.status, 64) << r.out;
    testing_support::WriteBytes(at("old.pdf"), "old");
    ASSERT_EQ(link(at("old.pdf").c_str(), at("old.png").c_str()), 0);
    r = refusal("--pdf " + quoted(at("old.pdf")) + " --chart " + quoted(at("old.png")), "");
    EXPECT_EQ(r.status, 64) << r.out;
    EXPECT_EQ(readFile(at("old.pdf")), "old");
    EXPECT_FALSE(fs::exists(at("a.pdf")));
    EXPECT_FALSE(fs::exists(at("made.png")));

    // In Russian, and for register's --save as well.
    r = runShell("LANG=ru_RU.UTF-8 " +
                 cli("register --sum 1000 --rate 12 --term 3 --date 10.01.2005 --pdf " +
                     quoted(at("loan.crp")) + " --save " + quoted(at("loan.crp"))) +
                 " 2>&1");
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.out.find("называют один и тот же файл"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(at("loan.crp")));

    // Different files are written as before.
    r = refusal("--pdf " + quoted(at("plan.pdf")) + " --chart " + quoted(at("plan.png")),
                " > " + quoted(at("out.txt")));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(isPdf(at("plan.pdf")));
}

// Each of these once gave a reason that was not the real one: "Это папка." for no name,
// "Ошибка ввода-вывода 36." for a long one, an unchanged earlier content where there is none.
TEST_F(GuardedPdf, ARefusalSaysWhatIsReallyWrong) {
    Process r = runShell("LANG=C " + cli(kSchedule + "''") + " 2>&1 1>/dev/null");
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out.rfind("ssudomer-cli: --pdf takes a file name\n", 0), 0u) << r.out;

    r = pdfInto(at(std::string(300, 'x') + ".pdf"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Слишком длинное имя файла."), std::string::npos) << r.out;

    ASSERT_EQ(symlink("b", at("a.pdf").c_str()), 0);
    ASSERT_EQ(symlink("a.pdf", at("b").c_str()), 0);
    r = pdfInto(at("a.pdf"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Слишком много символических ссылок."), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("прежнее содержимое"), std::string::npos) << r.out;

    // Into a pipe read by another program: that pipe is standard output.
    r = runShell("LANG=C " + cli(kSchedule + "/dev/stdout") + " 2>&1 | cat");
    EXPECT_NE(r.out.find("names the file standard output is writing to"), std::string::npos)
        << r.out;
}

TEST_F(GuardedPdf, NamesAreKeptByteForByteAndMessagesStayShortAndPrintable) {
    const std::string name =
        "a\xff\xfe"
        "b.pdf";
    ASSERT_EQ(pdfInto(at(name)).status, 0);
    EXPECT_TRUE(isPdf(at(name)));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    const std::string hostile = at("missing/\x1b[31m" + std::string(2000, 'x') + ".pdf");
    const Process refused = pdfInto(hostile);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out.find('\x1b'), std::string::npos) << refused.out;
    std::istringstream lines(refused.out);
    for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 300u) << line;
}

// The peak memory of `ssudomer-cli show FILE --pdf OUT`, in megabytes.
double peakOfShowWithPdf(const std::string& file, const std::string& pdf) {
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        // Under AddressSanitizer freed memory waits in a quarantine, so the peak would count
        // every byte ever allocated; the question is what the program keeps.
        if (const char* asan = getenv("ASAN_OPTIONS")) {
            const std::string options = std::string(asan) + ":quarantine_size_mb=1";
            setenv("ASAN_OPTIONS", options.c_str(), 1);
        }
        execl(SSUDOMER_CLI, SSUDOMER_CLI, "show", file.c_str(), "--pdf", pdf.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

TEST_F(GuardedPdf, MemoryDoesNotGrowWithTheLengthOfTheTable) {
    testing_support::WriteSamplePaymentFile(at("short.crp"), 400, true);
    testing_support::WriteSamplePaymentFile(at("long.crp"), 8000, true);
    const double shortPeak = peakOfShowWithPdf(at("short.crp"), at("short.pdf"));
    const double longPeak = peakOfShowWithPdf(at("long.crp"), at("long.pdf"));
    ASSERT_GT(shortPeak, 0);
    ASSERT_GT(longPeak, 0);
    // The table itself takes well under a megabyte more; every page kept would take 20.
    EXPECT_LT(longPeak - shortPeak, 6.0)
        << shortPeak << " MB for 400 rows, " << longPeak << " MB for 8000";
    // Every row was written: 8000 rows of about 42 a page.
    if (havePoppler()) {
        const Process info = runShell("pdfinfo " + quoted(at("long.pdf")));
        std::smatch pages;
        ASSERT_TRUE(std::regex_search(info.out, pages, std::regex("Pages: +([0-9]+)")));
        EXPECT_GT(std::stoi(pages[1]), 8000 / 50);
    }
}

}  // namespace
