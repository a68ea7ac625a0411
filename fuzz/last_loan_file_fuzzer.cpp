// The last-loan file read at start and written at closing: any bytes end in loan inputs or
// a message, and the closing writes a file the next start reads back whole.

#include "fuzz_support.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& folder = fuzzing::ScratchFolder();
    testing_support::WriteBytes(folder + "/oldinfo.ini", std::string(fuzzing::AsText(data, size)));

    for (char separator : {',', '.'}) {
        testing_support::FakePort port;
        app::MainForm form(port, loan::Locale::withSeparator(separator));
        form.ProgramPath = folder + "/ssudomer";
        form.FormShow();
        form.RunHandler([&] { form.ReadLastLoanFile(); });
        form.RunHandler([&] { form.Button1Click(); });  // "Расчет" on what was read
        if (!form.RunHandler([&] { form.FormClose(); }))
            continue;

        testing_support::FakePort nextPort;
        app::MainForm next(nextPort, form.locale());
        next.ProgramPath = form.ProgramPath;
        next.FormShow();
        FUZZ_CHECK(next.RunHandler([&] { next.ReadLastLoanFile(); }));
        FUZZ_CHECK(next.SpinEdit1.Text == form.SpinEdit1.Text &&
                   next.SpinEdit2.Text == form.SpinEdit2.Text &&
                   next.SpinEdit3.Text == form.SpinEdit3.Text &&
                   next.DateTimePicker1.Date == form.DateTimePicker1.Date);
    }
    return 0;
}
