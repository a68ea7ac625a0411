// The production calendar form: days turned working or non-working and back, the counts
// and texts of a year, and the user's file read, written and refused.

#include <errno.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "app/calendar_changes_file.h"
#include "app/calendar_form.h"
#include "storage/safe_file_writer.h"
#include "support/fake_port.h"
#include "support/temp_folder.h"

namespace {

using loan::CalendarChange;
using loan::Date;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

struct CalendarFormTest : testing::Test {
    std::string file() const { return config / "ssudomer/calendar.txt"; }

    testing_support::TempFolder config;
    testing_support::ScopedEnvironment configHome{"XDG_CONFIG_HOME", config.path()};
    testing_support::FakePort port;
    app::CalendarForm form{port};
};

TEST_F(CalendarFormTest, ADayTurnedOverIsMarkedAndTurnedBackIsNoChange) {
    form.SetYear(2024);
    EXPECT_EQ(form.WorkingDaysText(), "Рабочих дней в 2024 году: 248");

    // A Friday off, a Saturday worked, a holiday worked: each is a change of its own.
    form.Toggle({2024, 3, 29});
    form.Toggle({2024, 3, 30});
    form.Toggle({2024, 1, 1});
    EXPECT_FALSE(form.IsWorkingDay({2024, 3, 29}));
    EXPECT_TRUE(form.IsWorkingDay({2024, 3, 30}));
    EXPECT_TRUE(form.IsWorkingDay({2024, 1, 1}));
    EXPECT_TRUE(form.IsChanged({2024, 3, 29}));
    EXPECT_FALSE(form.IsChanged({2024, 3, 28}));
    EXPECT_EQ(form.Changes(),
              (std::vector<CalendarChange>{
                  {{2024, 1, 1}, true}, {{2024, 3, 29}, false}, {{2024, 3, 30}, true}}));
    EXPECT_EQ(form.WorkingDaysText(), "Рабочих дней в 2024 году: 249");
    EXPECT_EQ(form.DayDescription({2024, 3, 29}), "29 марта 2024, нерабочий день, изменен вами");
    EXPECT_EQ(form.DayDescription({2024, 3, 31}), "31 марта 2024, нерабочий день");
    EXPECT_TRUE(form.Modified());

    // Back to what the calendar has: the marks go, not marks of the standard state.
    form.Toggle({2024, 3, 29});
    form.Toggle({2024, 3, 30});
    form.Toggle({2024, 1, 1});
    EXPECT_TRUE(form.Changes().empty());
    EXPECT_FALSE(form.IsChanged({2024, 3, 29}));
    EXPECT_FALSE(form.YearHasChanges());
    EXPECT_FALSE(form.Modified());
    EXPECT_EQ(form.WorkingDaysText(), "Рабочих дней в 2024 году: 248");
}

TEST_F(CalendarFormTest, ResettingAYearKeepsTheChangesOfOtherYears) {
    form.SetYear(2024);
    form.Toggle({2024, 5, 6});
    form.Toggle({2025, 5, 5});
    EXPECT_TRUE(form.YearHasChanges());
    form.ResetYear();
    EXPECT_FALSE(form.YearHasChanges());
    EXPECT_EQ(form.Changes(), (std::vector<CalendarChange>{{{2025, 5, 5}, false}}));
    form.SetYear(2025);
    EXPECT_TRUE(form.YearHasChanges());
}

TEST_F(CalendarFormTest, SavedChangesReadBackFromTheUsersFile) {
    form.Toggle({2024, 3, 29});
    form.Toggle({2027, 1, 9});  // a Saturday of a year the data has no calendar for
    // The folder is made when the user has none yet.
    ASSERT_FALSE(std::filesystem::exists(config / "ssudomer"));
    ASSERT_TRUE(form.Save());
    EXPECT_TRUE(port.messages.empty());
    EXPECT_FALSE(form.Modified());
    EXPECT_EQ(ReadBytes(file()), "29.03.2024 нерабочий\n09.01.2027 рабочий\n");
    EXPECT_EQ(app::ReadCalendarChangesFile(file()), form.Changes());

    app::CalendarForm again(port);
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.Changes(), form.Changes());
    EXPECT_FALSE(again.Modified());

    // All changes taken back: the file is written empty rather than left with the old ones.
    form.Toggle({2024, 3, 29});
    form.Toggle({2027, 1, 9});
    ASSERT_TRUE(form.Save());
    EXPECT_EQ(ReadBytes(file()), "");
}

TEST_F(CalendarFormTest, AFailedSaveSaysWhyAndKeepsTheChangesAndTheOldFile) {
    std::filesystem::create_directories(config / "ssudomer");
    WriteBytes(file(), "29.03.2024 нерабочий\n");
    ASSERT_TRUE(form.Load());
    form.Toggle({2024, 3, 28});
    {
        storage::ScopedWriteFault full([](storage::WriteStage stage) {
            return stage == storage::WriteStage::Write ? ENOSPC : 0;
        });
        EXPECT_FALSE(form.Save());
    }
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].caption, app::kCalendarCaption);
    EXPECT_EQ(port.messages[0].text,
              "Изменения календаря не сохранены и остаются в окне.\rНет места на диске.\rФайл "
              "\"calendar.txt\" не записан; прежнее содержимое файла не изменено.");
    EXPECT_EQ(ReadBytes(file()), "29.03.2024 нерабочий\n");
    EXPECT_TRUE(form.Modified());
    EXPECT_FALSE(form.IsWorkingDay({2024, 3, 28}));

    // Once the disk has room the same changes are saved.
    ASSERT_TRUE(form.Save());
    EXPECT_EQ(ReadBytes(file()), "28.03.2024 нерабочий\n29.03.2024 нерабочий\n");
}

TEST_F(CalendarFormTest, AFileWithABadLineIsShownAndNothingIsTakenFromIt) {
    std::filesystem::create_directories(config / "ssudomer");
    WriteBytes(file(), "29.03.2024 нерабочий\n30.02.2024 рабочий\n");
    EXPECT_FALSE(form.Load());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_NE(port.messages[0].text.find("calendar.txt"), std::string::npos);
    EXPECT_NE(port.messages[0].text.find("Строка 2"), std::string::npos);
    EXPECT_TRUE(form.Changes().empty());

    // No file at all is no error: the calendar as built in.
    std::filesystem::remove(file());
    port.messages.clear();
    EXPECT_TRUE(form.Load());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(CalendarFormTest, TheYearOpensAtTodaysAndItsMonthsStartAtTheirWeekdays) {
    EXPECT_EQ(form.Year(), port.todayDate.year);
    form.SetYear(0);
    EXPECT_EQ(form.Year(), app::CalendarForm::kFirstYear);
    EXPECT_EQ(app::CalendarForm::FirstColumn(2024, 1), 0);  // Monday
    EXPECT_EQ(app::CalendarForm::FirstColumn(2024, 2), 3);  // Thursday
    EXPECT_EQ(app::CalendarForm::FirstColumn(2024, 9), 6);  // Sunday
    EXPECT_EQ(app::CalendarForm::FirstColumn(1900, 1), 0);  // Monday, before 1970
    EXPECT_EQ(app::CalendarForm::MonthName(12), "Декабрь");
}

}  // namespace
