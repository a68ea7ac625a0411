#pragma once

#include <string>

#include "loan/date.h"
#include "support/temp_folder.h"

namespace testing_support {

// A loan of `count` payments paid exactly by the plan, one line each: a
// month apart, or a day apart for files too long for months to stay within the calendar's
// years.
inline void WriteSamplePaymentFile(const std::string& path, int count, bool daily = false) {
    std::string text = std::to_string(count * 1000LL) + "\r\n12\r\n" + std::to_string(count) +
                       "\r\n15.01.2005\r\n";
    loan::Date date{2005, 1, 15};
    for (int i = 1; i <= count; ++i) {
        date = daily ? loan::DateFromSerial(loan::DaySerial(date) + 1) : loan::IncMonth(date);
        const long long rest = static_cast<long long>(count - i + 1) * 1000;
        text += std::to_string(i) + ";" + loan::FormatShortDate(date) + ";" + std::to_string(rest) +
                ",00;1000,00;10,00;1010,00;П+%;\r\n";
    }
    WriteBytes(path, text);
}

}  // namespace testing_support
