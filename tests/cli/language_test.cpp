// The language of ssudomer-cli's own messages, run as a whole process under a chosen
// environment: Russian under a Russian locale (generated on the machine or not), today's
// English under any other, and the numbers the same whatever the messages speak.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/messages.h"
#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::ReadBytes;
using testing_support::TempFolder;

// Runs the program with only PATH and the given variables in its environment.
CliRun runWith(const std::vector<std::string>& environment, const std::vector<std::string>& args) {
    TempFolder folder;
    const std::string outPath = folder / "out", errPath = folder / "err";
    std::vector<std::string> variables = {"PATH=/usr/bin:/bin"};
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> envp, argv = {const_cast<char*>(SSUDOMER_CLI)};
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = -1;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadBytes(outPath), ReadBytes(errPath)};
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// The argument lists as they would be typed.
// clang-format off
const std::vector<std::string> kNoSum = {"schedule", "--rate", "12", "--term", "12"};
const std::vector<std::string> kNoRate = {"schedule", "--sum", "12000", "--term", "12"};
const std::vector<std::string> kUnknownOption = {"schedule", "--sum", "12000", "--colour"};
const std::vector<std::string> kRateBeyondItsField = {
    "schedule", "--sum", "12000", "--rate", "1e9", "--term", "12", "--decimal-separator", "."};
const std::vector<std::string> kPrepaymentBeforeTheLoan = {
    "plan", "--sum", "1000", "--rate", "12", "--term", "12", "--date", "31.01.2024",
    "--prepay", "01.01.2024:100:term"};
const std::vector<std::string> kPaidOff = {
    "register", "--sum", "1000", "--rate", "12", "--term", "1", "--date", "10.01.2005",
    "--pay", "10.02.2005:0:auto", "--pay", "10.03.2005:0:auto", "--decimal-separator", "."};
const std::vector<std::string> kSchedule = {
    "schedule", "--sum", "12000.5", "--rate", "12,5", "--term", "12", "--date", "10.01.2005",
    "--fee", "0.5"};
// clang-format on

// The environments that ask for Russian: the usual LANG, one that LC_ALL overrides, and a
// LANG naming a locale the machine has not generated (LOCPATH hides the locale archive and
// leaves only C.UTF-8), in which the program must still speak Russian.
const std::vector<std::vector<std::string>> kRussian = {
    {"LANG=ru_RU.UTF-8"},
    {"LANG=C", "LC_ALL=ru_RU.UTF-8"},
    {"LANG=ru_RU.UTF-8", "LOCPATH=/usr/lib/locale"},
};
// And those that do not: C, English, none at all, and LC_MESSAGES over a Russian LANG.
const std::vector<std::vector<std::string>> kEnglish = {
    {"LANG=C"},
    {"LANG=en_US.UTF-8"},
    {},
    {"LANG=ru_RU.UTF-8", "LC_MESSAGES=C"},
    {"LANG=ru_RU.UTF-8", "LC_MESSAGES=en_US.UTF-8", "LOCPATH=/usr/lib/locale"},
};

std::string describe(const std::vector<std::string>& environment) {
    std::string text;
    for (const std::string& variable : environment) text += variable + " ";
    return text.empty() ? "(empty environment)" : text;
}

TEST(Language, UnderARussianLocaleTheCommandLineSpeaksRussian) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string firstErrorLine;
    };
    const std::vector<Case> cases = {
        {{}, 64, "Использование:"},
        {kNoSum, 64, "ssudomer-cli: параметр --sum обязателен"},
        {kNoRate, 64, "ssudomer-cli: параметр --rate обязателен"},
        {kUnknownOption, 64, "ssudomer-cli: неизвестный параметр '--colour'"},
        {{"borrow"}, 64, "ssudomer-cli: неизвестная команда 'borrow'"},
        {kRateBeyondItsField, 64,
         "ssudomer-cli: --rate '1e9' — не то, что принимает его поле: число от 0 до 100000, "
         "записанное цифрами, знаком и '.'"},
        {kPrepaymentBeforeTheLoan, 64,
         "ssudomer-cli: --prepay: дата 01.01.2024 не позже даты кредита 31.01.2024"},
    };
    for (const auto& environment : kRussian) {
        for (const Case& c : cases) {
            const CliRun r = runWith(environment, c.args);
            EXPECT_EQ(r.status, c.status) << describe(environment) << c.firstErrorLine;
            EXPECT_EQ(firstLine(r.err), c.firstErrorLine) << describe(environment);
            // The usage follows every bad argument, in Russian too.
            EXPECT_NE(r.err.find("Использование:\n  ssudomer-cli schedule"), std::string::npos)
                << describe(environment) << r.err;
        }
        // A press of a disabled button is the command line's own note; the form's message
        // before it is the program's own Russian in any locale.
        const CliRun paidOff = runWith(environment, kPaidOff);
        EXPECT_EQ(paidOff.status, 2);
        EXPECT_EQ(paidOff.err,
                  "Поздравляем!!!: Кредит выплачен!!!!\n"
                  "ssudomer-cli: --pay 10.03.2005:0:auto: кнопка \"Внести платеж\" недоступна "
                  "(кредит погашен)\n")
            << describe(environment);
    }
}

TEST(Language, RussianHelpSaysWhatTheManualPageSays) {
    const CliRun help = runWith({"LANG=ru_RU.UTF-8"}, {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Использование:\n  ssudomer-cli schedule --sum S --rate R --term T "
                             "[--date ДД.ММ.ГГГГ]\n",
                             0),
              0u)
        << help.out;
    // The manual page's placeholders and every command and option of the English usage.
    for (const char* word :
         {"ДД.ММ.ГГГГ:СУММА:ВИД", "fixed:СУММА", "ФАЙЛ.crp", "ДД.ММ.ГГГГ:СТАВКА", "ФАЙЛ.png",
          "ssudomer-cli register", "ssudomer-cli show", "ssudomer-cli plan", "--rate-change",
          "--fee-basis sum|balance|fixed", "--decimal-separator ,|.",
          "Код завершения: 0 — выполнено", "См. ssudomer-cli(1)."}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
    for (const char* english : {"usage", "FILE", "AMOUNT", "defaults", "Exit status"})
        EXPECT_EQ(help.out.find(english), std::string::npos) << english;
}

// Everything the command line says under another locale is what it said before it learnt
// Russian: the texts the code holds, unchanged, byte for byte.
TEST(Language, UnderAnyOtherLocaleTheMessagesAreTodaysEnglish) {
    const std::vector<std::vector<std::string>> argumentLists = {
        {},
        kNoSum,
        kNoRate,
        kUnknownOption,
        {"borrow"},
        kRateBeyondItsField,
        kPrepaymentBeforeTheLoan,
        kPaidOff,
        {"--help"},
    };
    for (const auto& environment : kEnglish) {
        for (const auto& args : argumentLists) {
            const CliRun process = runWith(environment, args);
            const CliRun inProcess = testing_support::RunCliCommand(args);
            EXPECT_EQ(process.status, inProcess.status) << describe(environment);
            EXPECT_EQ(process.err, inProcess.err) << describe(environment);
            if (args != std::vector<std::string>{"--help"}) {
                EXPECT_EQ(process.out, inProcess.out) << describe(environment);
                continue;
            }
            EXPECT_EQ(process.out,
                      inProcess.out +
                          "\nExit status: 0 done, 2 refused or no result (the reason on standard "
                          "error),\n64 bad arguments. See ssudomer-cli(1).\n")
                << describe(environment);
        }
    }
    const CliRun noSum = runWith({"LANG=C"}, kNoSum);
    EXPECT_EQ(noSum.err.rfind("ssudomer-cli: --sum is required\nusage:\n  ssudomer-cli schedule "
                              "--sum S --rate R --term T [--date DD.MM.YYYY]\n",
                              0),
              0u);
    EXPECT_EQ(firstLine(runWith({"LANG=en_US.UTF-8"}, kPaidOff).err),
              "Поздравляем!!!: Кредит выплачен!!!!");
    EXPECT_NE(runWith({"LANG=en_US.UTF-8"}, kPaidOff)
                  .err.find("ssudomer-cli: --pay 10.03.2005:0:auto: \"Внести платеж\" is "
                            "disabled (the loan is paid off)\n"),
              std::string::npos);
}

// Only the messages follow the language: the numbers are read and written with the
// separator of the numeric locale (or --decimal-separator) exactly as before.
TEST(Language, TheMessagesLanguageLeavesTheNumbersAlone) {
    const std::vector<std::vector<std::string>> pairs[] = {
        {{"LANG=ru_RU.UTF-8"}, {"LANG=ru_RU.UTF-8", "LC_MESSAGES=C"}},
        {{"LANG=ru_RU.UTF-8", "LOCPATH=/usr/lib/locale"},
         {"LANG=ru_RU.UTF-8", "LOCPATH=/usr/lib/locale", "LC_MESSAGES=C"}},
        {{"LC_ALL=ru_RU.UTF-8"}, {"LC_ALL=C"}},
    };
    for (const auto& pair : pairs) {
        for (const auto& separator :
             {std::vector<std::string>{}, std::vector<std::string>{"--decimal-separator", "."}}) {
            std::vector<std::string> args = kSchedule;
            args.insert(args.end(), separator.begin(), separator.end());
            const CliRun russian = runWith(pair[0], args);
            const CliRun english = runWith(pair[1], args);
            ASSERT_EQ(russian.status, 0) << describe(pair[0]) << russian.err;
            EXPECT_NE(russian.out.find("Февраль 2005"), std::string::npos);
            // LC_ALL=C also takes the numeric locale's separator away; the rest only the
            // messages' language.
            const bool sameNumbers =
                pair[1] != std::vector<std::string>{"LC_ALL=C"} || !separator.empty();
            if (sameNumbers) {
                EXPECT_EQ(russian.out, english.out) << describe(pair[0]);
            }
        }
    }
    // A separator the locale does not give is still written as asked.
    std::vector<std::string> args = kSchedule;
    args.insert(args.end(), {"--decimal-separator", ",", "--csv"});
    EXPECT_NE(runWith({"LANG=ru_RU.UTF-8"}, args).out.find("1;Февраль 2005;12000,50;"),
              std::string::npos);
}

TEST(Language, FormatPutsTheValuesWhereThePatternSays) {
    struct Case {
        const char* pattern;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{
             {"--%s '%s' is not", "--rate '1e9' is not"},
             {"%2$s, then %1$s", "1e9, then rate"},  // a translation may reorder
             {"100%% and %s", "100% and rate"},
             {"П+% and П+%(вычет)", "П+% and П+%(вычет)"},  // a lone sign stays as written
             {"%s %s %s", "rate 1e9 %s"},                   // more directives than values
             {"ends with %", "ends with %"},
         }) {
        EXPECT_EQ(cli::Format(c.pattern, {"rate", "1e9"}), c.expected) << c.pattern;
    }
}

}  // namespace
