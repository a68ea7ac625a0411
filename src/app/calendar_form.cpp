#include "app/calendar_form.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "app/calendar_changes_file.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"
#include "storage/user_folders.h"

namespace app {

namespace {

// Months as a date names them: "1 января".
constexpr std::array<const char*, 12> kMonthsOfDates = {"января",   "февраля", "марта",  "апреля",
                                                        "мая",      "июня",    "июля",   "августа",
                                                        "сентября", "октября", "ноября", "декабря"};

constexpr std::array<const char*, 7> kWeekdays = {"Пн", "Вт", "Ср", "Чт", "Пт", "Сб", "Вс"};

}  // namespace

CalendarForm::CalendarForm(FormPort& port) : port_(port), year_(port.today().year) {
    SetYear(year_);
}

bool CalendarForm::Load() {
    const std::string path = storage::UserCalendarFilePath();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return true;
    try {
        calendar_.SetChanges(ReadCalendarChangesFile(path));
    } catch (const std::exception& failure) {
        port_.showMessage(kCalendarCaption, failure.what());
        return false;
    }
    saved_ = calendar_.Changes();
    return true;
}

bool CalendarForm::Save() {
    const std::string path = storage::UserCalendarFilePath();
    try {
        storage::CreateFolders(storage::FolderOf(path));
        WriteCalendarChangesFile(path, calendar_.Changes());
    } catch (const std::exception& failure) {
        port_.showMessage(
            kCalendarCaption,
            std::string("Изменения календаря не сохранены и остаются в окне.\r") + failure.what());
        return false;
    }
    saved_ = calendar_.Changes();
    return true;
}

void CalendarForm::SetYear(int year) {
    year_ = std::clamp(year, kFirstYear, kLastYear);
}

bool CalendarForm::IsChanged(const loan::Date& date) const {
    return calendar_.IsWorkingDay(date) != loan::ProductionCalendar::IsStandardWorkingDay(date);
}

void CalendarForm::Toggle(const loan::Date& date) {
    const bool working = !calendar_.IsWorkingDay(date);
    if (working == loan::ProductionCalendar::IsStandardWorkingDay(date)) {
        calendar_.Unmark(date);
    } else {
        calendar_.Mark(date, working);
    }
}

void CalendarForm::ResetYear() {
    std::vector<loan::CalendarChange> kept;
    for (const loan::CalendarChange& change : calendar_.Changes()) {
        if (change.date.year != year_)
            kept.push_back(change);
    }
    calendar_.SetChanges(kept);
}

bool CalendarForm::YearHasChanges() const {
    return std::any_of(calendar_.Changes().begin(), calendar_.Changes().end(),
                       [this](const loan::CalendarChange& change) {
                           return change.date.year == year_ && IsChanged(change.date);
                       });
}

std::string CalendarForm::StatusText() const {
    if (loan::ProductionCalendar::Approved(year_))
        return "Календарь на " + std::to_string(year_) + " год утвержден.";
    std::string text = loan::ProductionCalendar::NotApprovedText(year_);
    // The sentence starts with the word "календарь": its first letter, two bytes in UTF-8,
    // becomes the capital.
    if (text.rfind("календарь", 0) == 0)
        text.replace(0, 2, "К");
    return text + ".";
}

std::string CalendarForm::WorkingDaysText() const {
    return "Рабочих дней в " + std::to_string(year_) +
           " году: " + std::to_string(calendar_.WorkingDaysIn(year_));
}

std::string CalendarForm::DayDescription(const loan::Date& date) const {
    std::string text = std::to_string(date.day) + " " + kMonthsOfDates[date.month - 1] + " " +
                       std::to_string(date.year) + ", " +
                       (calendar_.IsWorkingDay(date) ? "рабочий день" : "нерабочий день");
    if (IsChanged(date))
        text += ", изменен вами";
    return text;
}

int CalendarForm::FirstColumn(int year, int month) {
    // 1 January 1970 was a Thursday, column 3.
    const std::int64_t serial = loan::DaySerial({year, month, 1});
    return static_cast<int>(((serial + 3) % 7 + 7) % 7);
}

const char* CalendarForm::WeekdayShortName(int column) {
    return kWeekdays[static_cast<std::size_t>(column)];
}

std::string CalendarForm::MonthName(int month) {
    return loan::Locale{}.monthNames[static_cast<std::size_t>(month - 1)];
}

}  // namespace app
