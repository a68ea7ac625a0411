// plan --save-plan and --plan-file: a saved plan computes the same from its file, options
// beside the file override its loan and add to its lists, and a broken file stops the run.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_run.h"
#include "support/temp_folder.h"

namespace {

using testing_support::CliRun;
using testing_support::ReadBytes;
using testing_support::RunCliCommand;
using testing_support::TempFolder;
using testing_support::with;
using testing_support::WriteBytes;

const std::vector<std::string> kPlan = {
    "plan",   "--sum",   "1000000",    "--rate",  "12",     "--term",
    "24",     "--date",  "31.01.2024", "--shift", "none",   "--equal",
    "--prepay", "31.03.2024:500000:payment", "--rate-change", "01.06.2024:10,5",
    "--csv",  "--decimal-separator", ","};

TEST(PlanFileCommand, ASavedPlanComputesTheSameFromItsFile) {
    TempFolder folder;
    const std::string file = folder / "plan.crplan";
    const CliRun saved = RunCliCommand(with(kPlan, {"--save-plan", file}));
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(ReadBytes(file),
              "ssudomer-plan 1\nsum = 1000000.00\nrate = 12\nterm = 24\ndate = 31.01.2024\n"
              "scheme = equal\nshift = none\npayment-day = 0\n"
              "prepay = 31.03.2024 500000.00 payment\nrate-change = 01.06.2024 10.5\n");

    const CliRun fromFile =
        RunCliCommand({"plan", "--plan-file", file, "--csv", "--decimal-separator", ","});
    EXPECT_EQ(fromFile.status, 0) << fromFile.err;
    EXPECT_EQ(fromFile.out, saved.out);

    // Saved again from the file, the file stays byte for byte.
    const std::string copy = folder / "copy.crplan";
    EXPECT_EQ(RunCliCommand({"plan", "--plan-file", file, "--save-plan", copy}).status, 0);
    EXPECT_EQ(ReadBytes(copy), ReadBytes(file));
}

TEST(PlanFileCommand, OptionsBesideTheFileOverrideItsLoanAndAddToItsLists) {
    TempFolder folder;
    const std::string file = folder / "plan.crplan";
    ASSERT_EQ(RunCliCommand(with(kPlan, {"--save-plan", file})).status, 0);

    // The same plan given whole on the command line is the reference.
    const CliRun expected = RunCliCommand(
        {"plan", "--sum", "900000", "--rate", "11", "--term", "24", "--date", "31.01.2024",
         "--shift", "none", "--equal", "--prepay", "31.03.2024:500000:payment",
         "--rate-change", "01.06.2024:10,5", "--prepay", "30.04.2024:20000:term:monthly",
         "--rate-change", "01.09.2024:9", "--csv", "--decimal-separator", ","});
    ASSERT_EQ(expected.status, 0) << expected.err;
    const CliRun overridden = RunCliCommand(
        {"plan", "--plan-file", file, "--sum", "900000", "--rate", "11", "--prepay",
         "30.04.2024:20000:term:monthly", "--rate-change", "01.09.2024:9", "--csv",
         "--decimal-separator", ","});
    EXPECT_EQ(overridden.status, 0) << overridden.err;
    EXPECT_EQ(overridden.out, expected.out);

    // The file's loan date is the one the entries are checked against.
    const CliRun early = RunCliCommand(
        {"plan", "--plan-file", file, "--prepay", "01.01.2024:1000:term"});
    EXPECT_EQ(early.status, 64);
}

TEST(PlanFileCommand, ABrokenOrMissingFileStopsTheRunWithNothingPrinted) {
    TempFolder folder;
    const std::string broken = folder / "broken.crplan";
    WriteBytes(broken, "ssudomer-plan 1\nsum = 1000\nrate = 12\nterm = 12\ndate = 10.01.2024\n"
                       "prepay = 10.02.2024 100 soon\n");
    const CliRun refused = RunCliCommand({"plan", "--plan-file", broken});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "Ссудомер: Файл \"" + broken + "\" не загружен; ничего не изменено.\n"
              "Строка 6, поле \"prepay\" (досрочное погашение), режим: нужно term (сокращение "
              "срока) или payment (уменьшение платежа), а не \"soon\".\n");

    const CliRun missing = RunCliCommand({"plan", "--plan-file", folder / "none.crplan"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.crplan"), std::string::npos);

    // A save that fails says so, and the run ends with status 2.
    const CliRun folderTarget = RunCliCommand(with(kPlan, {"--save-plan", folder.path()}));
    EXPECT_EQ(folderTarget.status, 2);
    EXPECT_NE(folderTarget.err.find("это папка"), std::string::npos) << folderTarget.err;

    // --save-plan is an output like the others: never the same file as another one.
    const std::string same = folder / "same";
    EXPECT_EQ(RunCliCommand(with(kPlan, {"--save-plan", same, "--pdf", same})).status, 64);
}

}  // namespace
