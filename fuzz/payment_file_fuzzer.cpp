// A payment file loaded through "Загрузить платежи...", as the window does: any bytes end
// in a loaded register or a message that leaves the form as it was, the cells are
// well-formed UTF-8, the loan fields hold numbers, and what is loaded saves and loads again
// with the same payments.

#include "fuzz_support.h"
#include "loan/number_text.h"
#include "storage/cp1251.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

bool cellsAreText(const app::MainForm& form) {
    for (int row = 0; row < form.StringGrid1.rowCount(); ++row) {
        for (int column = 0; column < loan::ScheduleTable::kColumnCount; ++column) {
            if (!storage::IsValidUtf8(form.StringGrid1.cell(column, row)))
                return false;
        }
    }
    return true;
}

bool loanFieldsHoldNumbers(const app::MainForm& form) {
    return loan::TryParseNumber(form.SpinEdit1.Text, form.locale()) &&
           loan::TryParseNumber(form.SpinEdit2.Text, form.locale()) &&
           loan::TryParseInteger(form.SpinEdit3.Text);
}

// The dates and amounts of the payments read the same after a save (the number is written
// from the row, the kind as it stands).
bool samePayments(const app::MainForm& a, const app::MainForm& b) {
    for (int row = 1; row < a.NextRow; ++row) {
        for (int column = 1; column <= 5; ++column) {
            if (a.StringGrid1.cell(column, row) != b.StringGrid1.cell(column, row))
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the locale and the forecast option, the rest is the file.
    const std::uint8_t choice = data[0];
    const std::string path = fuzzing::ScratchFolder() + "/loaded.crp";
    testing_support::WriteBytes(path, std::string(fuzzing::AsText(data + 1, size - 1)));

    testing_support::FakePort port;
    app::MainForm form(port, loan::Locale::withSeparator(choice & 1 ? ',' : '.'));
    form.FormShow();
    if (choice & 2)
        form.RunHandler([&] { form.N12Click(); });
    port.filesToOpen.push_back(path);
    const bool loaded = form.RunHandler([&] { form.N3Click(); });
    FUZZ_CHECK(cellsAreText(form));
    FUZZ_CHECK(loanFieldsHoldNumbers(form));
    // A file refused (its message names it) leaves the form as it was shown; a forecast that
    // fails after a load (amounts too large) is a later step of its own.
    const bool refused =
        !loaded && !port.messages.empty() && port.messages.back().text.rfind("Файл \"", 0) == 0;
    if (refused) {
        FUZZ_CHECK(form.N13.Checked && form.Caption == app::kCalculationCaption);
        FUZZ_CHECK(form.SpinEdit1.Text == "0" && form.NextRow == 1);
        FUZZ_CHECK(!form.StringGrid1.rowHasText(1) && form.CurrentFileName.empty());
    }
    if (!loaded || !form.N16.Checked)
        return 0;

    const std::string copy = fuzzing::ScratchFolder() + "/saved.crp";
    std::filesystem::remove(copy);
    // A loan with a zero rate loads but is not saved (the save says so): nothing to reload.
    const std::size_t messages = port.messages.size();
    if (!form.RunHandler([&] { form.SaveFile(copy); }) || port.messages.size() != messages)
        return 0;
    testing_support::FakePort again;
    app::MainForm reloaded(again, form.locale());
    reloaded.FormShow();
    FUZZ_CHECK(reloaded.RunHandler([&] { reloaded.LoadPaymentFile(copy); }));
    FUZZ_CHECK(cellsAreText(reloaded));
    FUZZ_CHECK(reloaded.NextRow == form.NextRow);
    FUZZ_CHECK(samePayments(reloaded, form));
    return 0;
}
