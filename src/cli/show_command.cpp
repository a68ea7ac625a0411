// ssudomer-cli show: loads a payment file as "Загрузить платежи..." does and prints it.

#include "app/main_form.h"
#include "cli/commands.h"
#include "cli/console_port.h"
#include "cli/forecast_option.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output_files.h"
#include "cli/pdf_option.h"
#include "text/errors.h"

namespace cli {

namespace {

const std::map<std::string, bool> kShowOptions = WithOutputOptions({{"forecast", true}});

// The console, answering the open dialog with the file named on the command line.
class ShowPort : public ConsolePort {
  public:
    ShowPort(std::ostream& errors, std::string file)
        : ConsolePort(errors), file_(std::move(file)) {}
    std::optional<std::string> chooseFileToOpen() override { return file_; }

  private:
    std::string file_;
};

}  // namespace

int RunShow(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> files;
    const std::vector<Option> options = ParseOptions(args, kShowOptions, &files);
    RefuseSharedOutputFiles(options);
    if (files.size() != 1)
        throw UsageError(Tr("show takes one payment file"));

    ShowPort port(err, files.front());
    app::MainForm form(port, LocaleOption(options));
    form.FormShow();
    if (const Option* forecast = FindOption(options, "forecast")) {
        ChooseForecast(form.Form3, ForecastArgument(*forecast, form.Form3, form.locale()));
        form.N12Click();
    }
    if (!form.RunHandler([&] { form.N3Click(); }))
        return kExitRefused;
    if (!form.N16.Checked) {
        // An empty file (or an empty sum, rate or term line) stands for no loan.
        err << "ssudomer-cli: в файле \"" << loan::Excerpt(files.front())
            << "\" нет кредита: строка суммы, ставки или срока пуста.\n";
        return kExitRefused;
    }
    PrintReport(form, FormatOption(options), out);
    return WritePdfOption(form, options, err) ? kExitOk : kExitRefused;
}

}  // namespace cli
