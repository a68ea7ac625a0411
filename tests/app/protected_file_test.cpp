// A payment file its user may not write: every way of saving refuses it as a failed save,
// with the message, the old file unchanged, the payments kept and the window open.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/fake_port.h"
#include "support/other_user.h"
#include "support/temp_folder.h"

namespace {

using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::WriteBytes;

const std::string kOnePayment =
    "12000\r\n12\r\n12\r\n10.01.2005\r\n"
    "1;10.02.2005;12000,00;1000,00;122,30;1122,30;\xC0\xCF;\r\n";

// Loads the file, records a second payment, then tries every way of saving it.
// Returns a description of the first rule broken, or "" when all held.
std::string saveEveryWay(const std::string& path) {
    testing_support::FormFixture f;
    app::MainForm& form = f.form;
    if (!form.RunHandler([&] { form.LoadPaymentFile(path); }))
        return "not loaded";
    form.DateTimePicker2.Date = {2005, 3, 10};
    form.RadioButton3.Checked = false;
    form.RadioButton4.Checked = true;
    form.Button4Click();
    if (form.NextRow != 3)
        return "the payment was not recorded";

    const std::size_t before = f.port.messages.size();
    f.port.answers = {app::kAnswerYes};
    bool closes = false;
    if (form.RunHandler([&] { closes = form.FormCloseQuery(); }) && closes)
        return "\"Выход\", \"Да\" closed the window";
    f.port.filesToSave = {path};
    form.RunHandler([&] { form.N4Click(); });
    if (f.port.messages.size() < before + 2)
        return "a save said nothing";
    for (std::size_t m = before; m < f.port.messages.size(); ++m) {
        if (f.port.messages[m].text.find("не записан; прежнее содержимое файла не изменено") ==
            std::string::npos)
            return "message: " + f.port.messages[m].text;
    }
    if (form.NextRow != 3 || !form.PaymentsModified)
        return "the payments were not kept";
    if (ReadBytes(path) != kOnePayment)
        return "the file changed";
    return "";
}

TEST(ProtectedPaymentFile, AFileWithoutWritePermissionIsRefusedByEverySave) {
    TempFolder folder;
    const std::string path = folder / "loan.crp";
    WriteBytes(path, kOnePayment);
    chmod(path.c_str(), 0444);
    EXPECT_EQ(saveEveryWay(path), "");
    struct stat status {};
    stat(path.c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0444u);
}

TEST(ProtectedPaymentFile, AnOrdinaryUserIsRefusedHisReadOnlyFileAndAnotherUsersFile) {
    if (!testing_support::CanActAsAnotherUser())
        GTEST_SKIP() << "needs the superuser to act as another user";
    TempFolder folder;
    ASSERT_EQ(chown(folder.path().c_str(), testing_support::kNobody, testing_support::kNobody), 0);
    const std::string own = folder / "own.crp", roots = folder / "roots.crp";
    WriteBytes(own, kOnePayment);
    WriteBytes(roots, kOnePayment);
    ASSERT_EQ(chown(own.c_str(), testing_support::kNobody, testing_support::kNobody), 0);
    chmod(own.c_str(), 0444);
    chmod(roots.c_str(), 0644);
    std::string broken;
    const int verdict = testing_support::RunAsNobody([&] {
        broken = saveEveryWay(own);
        if (broken.empty())
            broken = saveEveryWay(roots);
        return broken.empty();
    });
    ASSERT_NE(verdict, -1);
    EXPECT_EQ(verdict, 1) << "see the child's report";
    EXPECT_EQ(ReadBytes(own), kOnePayment);
    EXPECT_EQ(ReadBytes(roots), kOnePayment);
}

}  // namespace
