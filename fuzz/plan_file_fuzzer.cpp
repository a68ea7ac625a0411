// A plan file opened in the planner: any bytes end in a plan or in a refusal that names the
// file and leaves the planner as it was; a plan the reader takes writes back to a file that
// reads to the same plan, and the planner that opened it saves that same plan again.

#include "app/plan_file.h"
#include "app/planner_form.h"
#include "fuzz_support.h"
#include "storage/file_error.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the locale, the rest is the file.
    const loan::Locale locale = loan::Locale::withSeparator(data[0] & 1 ? ',' : '.');
    const std::string path = fuzzing::ScratchFolder() + "/opened.crplan";
    testing_support::WriteBytes(path, std::string(fuzzing::AsText(data + 1, size - 1)));

    std::optional<app::PlanFileData> read;
    try {
        read = app::ReadPlanFile(path);
    } catch (const storage::FileError& error) {
        FUZZ_CHECK(std::string(error.what()).rfind("Файл \"", 0) == 0);
    }

    testing_support::FakePort port;
    app::PlannerForm planner(port, locale);
    planner.Shift = loan::PaymentShift::None;
    const bool opened = planner.RunHandler([&] { planner.LoadPlanFile(path); });
    FUZZ_CHECK(opened == read.has_value());
    if (!read) {
        FUZZ_CHECK(planner.PlanFilePath().empty() && planner.Prepayments().empty());
        FUZZ_CHECK(planner.Sum.Text == "0" && !planner.HasPlan());
        return 0;
    }
    FUZZ_CHECK(!planner.PlanModified() && planner.ClosePlanQuery(true) && port.questions.empty());

    // The file's plan written and read again.
    const std::string text = app::FormatPlanFile(*read);
    const app::PlanFileData again = app::ParsePlanText(text);
    FUZZ_CHECK(app::SamePlan(*read, again));
    FUZZ_CHECK(app::FormatPlanFile(again) == text);

    // The planner's fields hold exactly the file's plan.
    std::optional<app::PlanFileData> fromForm;
    FUZZ_CHECK(planner.RunHandler([&] { fromForm = planner.PlanToSave(); }));
    FUZZ_CHECK(fromForm && app::SamePlan(*read, *fromForm));
    return 0;
}
