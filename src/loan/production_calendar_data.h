#pragma once

#include <string_view>

namespace loan::detail {

// The text of data/calendar/ru-nonworking-days.txt, compiled in by the build
// (src/CMakeLists.txt), so that no program needs the file at run time.
extern const std::string_view kRussianNonWorkingDaysText;

}  // namespace loan::detail
