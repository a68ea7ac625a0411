#include <gtest/gtest.h>

#include "loan/date.h"
#include "text/text.h"
#include "storage/file_error.h"
#include "storage/file_type_registry.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::ScopedEnvironment;
using testing_support::TempFolder;
using testing_support::WriteBytes;

// A program "installed" in a folder of its own, with a home and configuration folder apart.
class StartAndClose : public ::testing::Test, protected testing_support::FormFixture {
  protected:
    StartAndClose() { form.ProgramPath = program / "ssudomer"; }

    TempFolder program, home;
    ScopedEnvironment homeVariable{"HOME", home.path()};
    ScopedEnvironment config{"XDG_CONFIG_HOME", std::nullopt};
    const std::string lastLoanFile = program / "oldinfo.ini";
};

TEST_F(StartAndClose, TheLastLoanComesBackUnderTheOtherSeparator) {
    enterLoan("150000", "12,5", "24", {2005, 1, 15});
    form.FormClose();
    EXPECT_EQ(ReadBytes(lastLoanFile), "150000\r\n12,5\r\n24\r\n15.01.2005\r\n");

    testing_support::FormFixture next('.');
    next.form.ProgramPath = form.ProgramPath;
    next.form.ReadLastLoanFile();
    EXPECT_EQ(next.form.SpinEdit1.Text, "150000");
    EXPECT_EQ(next.form.SpinEdit2.Text, "12.5");
    EXPECT_EQ(next.form.SpinEdit3.Text, "24");
    EXPECT_EQ(next.form.DateTimePicker1.Date, (loan::Date{2005, 1, 15}));
}

TEST_F(StartAndClose, AnIncompleteOrMissingLastLoan) {
    form.ReadLastLoanFile();  // no file: the initial values stay
    EXPECT_EQ(form.SpinEdit1.Text, "0");
    EXPECT_EQ(form.DateTimePicker1.Date, (loan::Date{2004, 3, 10}));

    WriteBytes(lastLoanFile, "");  // no loan kept
    enterLoan("1000", "12", "10");
    form.ReadLastLoanFile();
    EXPECT_EQ(form.SpinEdit1.Text, "0");
    EXPECT_EQ(form.SpinEdit3.Text, "0");
    EXPECT_EQ(form.DateTimePicker1.Date, port.todayDate);

    WriteBytes(lastLoanFile, "1000\n12\n");  // the term line missing
    enterLoan("5", "5", "5");
    form.ReadLastLoanFile();
    EXPECT_EQ(form.SpinEdit1.Text, "0");
}

// Closing keeps what the loan fields hold, a zero with the rest: a field at 0 once emptied
// the file, and the next start showed 0 / 0 / 0 and today's date.
TEST_F(StartAndClose, ALoanFieldAtZeroIsKeptWithTheOthers) {
    struct Case {
        const char *sum, *rate, *term, *file;
    };
    const std::vector<Case> cases = {
        {"250000", "0", "36", "250000\r\n0\r\n36\r\n05.06.2025\r\n"},
        {"0", "11", "36", "0\r\n11\r\n36\r\n05.06.2025\r\n"},
        {"250000", "11", "0", "250000\r\n11\r\n0\r\n05.06.2025\r\n"},
        {"0", "0,0", "0", "0\r\n0,0\r\n0\r\n05.06.2025\r\n"},
        // An emptied field stands for 0, as in a calculation.
        {"", "11", "", "0\r\n11\r\n0\r\n05.06.2025\r\n"},
        {"-", "11,", "36", "0\r\n11,\r\n36\r\n05.06.2025\r\n"},
    };
    for (const Case& c : cases) {
        WriteBytes(lastLoanFile, "250000\r\n11\r\n36\r\n05.06.2025\r\n");
        testing_support::FormFixture start;
        start.form.ProgramPath = form.ProgramPath;
        start.form.ReadLastLoanFile();
        start.form.SpinEdit1.Text = c.sum;
        start.form.SpinEdit2.Text = c.rate;
        start.form.SpinEdit3.Text = c.term;
        start.form.FormClose();
        EXPECT_EQ(ReadBytes(lastLoanFile), c.file) << c.sum << "/" << c.rate << "/" << c.term;

        testing_support::FormFixture next('.');
        next.form.ProgramPath = form.ProgramPath;
        ASSERT_TRUE(next.form.RunHandler([&] { next.form.ReadLastLoanFile(); }));
        std::string shown;
        for (const auto* field : {&next.form.SpinEdit1, &next.form.SpinEdit2})
            shown += loan::ReplaceAll(field->Text, ".", ",") + "\r\n";
        shown += next.form.SpinEdit3.Text + "\r\n" +
                 loan::FormatShortDate(next.form.DateTimePicker1.Date) + "\r\n";
        EXPECT_EQ(shown, c.file) << "read back under \".\"";
    }
}

// A damaged last-loan file is reported by name and line and fills in nothing: random bytes
// once came into the loan fields as text.
TEST_F(StartAndClose, ADamagedLastLoanIsReportedAndFillsNothing) {
    const std::string refused =
        "Файл \"" + lastLoanFile + "\" не прочитан: прежний кредит не восстановлен.\r";
    WriteBytes(lastLoanFile, "1000\r\n12\r\n10\r\n2005-01-15\r\n");
    EXPECT_FALSE(form.RunHandler([&] { form.ReadLastLoanFile(); }));
    EXPECT_EQ(
        port.messages.back().text,
        refused +
            "Строка 4 (дата получения кредита): \"2005-01-15\" — нужна дата вида 15.01.2005.");
    EXPECT_EQ(form.SpinEdit3.Text, "0");

    WriteBytes(lastLoanFile,
               std::string("\x89PNG\r\n\x1A\n", 8) + std::string(2, '\0') + "\r\n\x7F\r\n");
    EXPECT_FALSE(form.RunHandler([&] { form.ReadLastLoanFile(); }));
    EXPECT_EQ(port.messages.back().text,
              refused + "Строка 1 (сумма кредита): \"‰PNG\" — нужно число.");
    EXPECT_EQ(form.SpinEdit1.Text, "0");
    EXPECT_EQ(form.SpinEdit2.Text, "0");
    EXPECT_EQ(form.DateTimePicker1.Date, (loan::Date{2004, 3, 10}));
}

TEST_F(StartAndClose, AProgramFolderThatCannotBeWrittenUsesTheConfigurationFolder) {
    form.ProgramPath = program / "gone/ssudomer";
    enterLoan("1000", "12", "10");
    form.FormClose();
    EXPECT_EQ(ReadBytes(home / ".config/ssudomer/oldinfo.ini"),
              "1000\r\n12\r\n10\r\n10.03.2004\r\n");
    testing_support::FormFixture next;
    next.form.ProgramPath = form.ProgramPath;
    next.form.ReadLastLoanFile();
    EXPECT_EQ(next.form.SpinEdit1.Text, "1000");
}

TEST_F(StartAndClose, ClosingAfterALoadKeepsThatLoan) {
    WriteBytes(program / "loan.crp", "2000\r\n11\r\n6\r\n01.06.2006\r\n");
    form.LoadPaymentFile(program / "loan.crp");
    form.FormClose();
    EXPECT_EQ(ReadBytes(lastLoanFile), "2000\r\n11\r\n6\r\n01.06.2006\r\n");
}

TEST_F(StartAndClose, TheCommandLineLoadsAPaymentFileUnderItsOwnName) {
    const std::string path = program / "Кредит MyLoan.CRP";
    WriteBytes(path, "2000\r\n11\r\n6\r\n01.06.2006\r\n");
    form.OpenCommandLineFile({path, "second.crp"});
    EXPECT_EQ(form.Caption, "Ссудомер 2.0 - [Кредит MyLoan.CRP] - режим ввода платежей");
    EXPECT_EQ(form.SpinEdit1.Text, "2000");
}

TEST_F(StartAndClose, TheCommandLineIgnoresWhatIsNoPaymentFile) {
    for (const std::string name : {"a.crp.bak", "abc", "a.crp.crp", ".crpx"}) {
        WriteBytes(program / name, "2000\r\n11\r\n6\r\n01.06.2006\r\n");
        form.OpenCommandLineFile({program / name});
        EXPECT_TRUE(form.N13.Checked) << name;
    }
    form.OpenCommandLineFile({});
    form.OpenCommandLineFile({"--help", program / "a.crp"});  // only the first is looked at
    EXPECT_TRUE(form.N13.Checked);
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(StartAndClose, AMissingCommandLineFileIsReportedAndTheModeStays) {
    EXPECT_FALSE(form.RunHandler([&] { form.OpenCommandLineFile({program / "none.crp"}); }));
    EXPECT_EQ(port.messages.back().text, "Файл \"" + program / "none.crp" + "\" не найден.");
    EXPECT_EQ(form.Caption, app::kCalculationCaption);
}

struct RecordingRegistry : storage::FileTypeRegistry {
    storage::FileTypeRegistrationPlaces registerFileType(
        const storage::FileTypeRegistration& r) override {
        entries.push_back(r);
        if (failure)
            throw storage::FileError(failure);
        return {"/usr/share/mime/packages/t.xml", true, "/home/u/.local/share/applications/s.desktop",
                false, "/home/u/.config/mimeapps.list"};
    }
    std::vector<storage::FileTypeRegistration> entries;
    const char* failure = nullptr;
};

TEST_F(StartAndClose, RegistrationKeepsTheProgramPathAsItIs) {
    RecordingRegistry registry;
    form.FileTypes = &registry;
    form.ProgramPath = "/opt/Ssudomer/Ссудомер";
    form.crp1Click();
    form.crp1Click();
    ASSERT_EQ(registry.entries.size(), 2u);
    const auto& entry = registry.entries[0];
    EXPECT_EQ(entry.extension, ".crp");
    EXPECT_EQ(entry.typeName, "crp");
    EXPECT_EQ(entry.description, "Файл платежей Ссудомера");
    EXPECT_EQ(entry.verb, "Open");
    EXPECT_EQ(entry.verbCaption, "Открыть");
    EXPECT_EQ(entry.programPath, "/opt/Ssudomer/Ссудомер");
    // Plan files open with the same program.
    ASSERT_EQ(entry.alsoOpens.size(), 1u);
    EXPECT_EQ(entry.alsoOpens[0].extension, ".crplan");
    EXPECT_EQ(entry.alsoOpens[0].typeName, "plan");
    EXPECT_EQ(entry.alsoOpens[0].programPath, "/opt/Ssudomer/Ссудомер");
}

TEST_F(StartAndClose, RegistrationSaysWhatItDidOrWhyItFailed) {
    RecordingRegistry registry;
    form.FileTypes = &registry;
    form.crp1Click();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, "Регистрация *.crp");
    EXPECT_EQ(port.messages[0].text,
              "Файлы *.crp и *.crplan теперь открываются Ссудомером.\r"
              "Тип файла: /usr/share/mime/packages/t.xml (установлен с программой)\r"
              "Ярлык программы: /home/u/.local/share/applications/s.desktop\r"
              "Программа по умолчанию записана в /home/u/.config/mimeapps.list");

    registry.failure = "Нет доступа.";
    EXPECT_TRUE(form.RunHandler([&] { form.crp1Click(); }));
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[1].caption, "Ошибка!!!");
    EXPECT_EQ(port.messages[1].text, "Файлы *.crp не зарегистрированы.\rНет доступа.");
}

}  // namespace
