#include <benchmark/benchmark.h>

#include <vector>

#include "loan/production_calendar.h"

namespace {

// The dates a 360-month plan asks about: the regular dates from 15.01.2024 and a monthly
// prepayment a day later (718 dates, reaching 2054, past the approved years), each moved to
// the working day on or after it, with a few of the user's marks in force.
void BM_CalendarMovesThePlanDates(benchmark::State& state) {
    std::vector<loan::Date> dates;
    for (int month = 1; month <= 360; ++month) {
        dates.push_back(loan::IncMonth({2024, 1, 15}, month));
        if (month < 360)
            dates.push_back(loan::IncMonth({2024, 1, 16}, month));
    }
    loan::ProductionCalendar calendar;
    calendar.SetChanges({{{2024, 6, 3}, false}, {{2025, 1, 9}, false}, {{2030, 1, 5}, true}});
    for (auto _ : state) {
        int moved = 0;
        for (const loan::Date& date : dates)
            moved += calendar.WorkingDayOnOrAfter(date) != date ? 1 : 0;
        benchmark::DoNotOptimize(moved);
    }
}
BENCHMARK(BM_CalendarMovesThePlanDates)->Unit(benchmark::kMicrosecond);

}  // namespace
