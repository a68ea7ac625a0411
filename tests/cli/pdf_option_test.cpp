// ssudomer-cli --pdf: the pages of the print window written into a file by the PDF module,
// run as a whole process; and the refusal when no PDF can be written.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/cli_run.h"
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
    EXPECT_NE(refused.out.find("ssudomer-cli: --pdf " + blocked.string() + ": "), std::string::npos)
        << refused.out;
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
    EXPECT_NE(r.err.find("ssudomer-pdf.so is not installed"), std::string::npos) << r.err;
}

}  // namespace
