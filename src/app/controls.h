#pragma once

#include <cstdint>
#include <limits>
#include <string>

#include "loan/date.h"

namespace app {

// The monthly payment field (SpinEdit5) holds any annuity the calculation can suggest: the
// annuity is kept as a 32-bit whole number, so a mortgage of 15 000 000 at 12 % over 60
// months (333 667 a month) is shown and computed like any other.
inline constexpr std::int32_t kMaxMonthlyPayment = std::numeric_limits<std::int32_t>::max();

// The state of the simple controls the main form owns; the window draws them.
struct Button {
    std::string Caption;
    bool Enabled = true;
};

// Radio buttons, check boxes and menu items with a mark.
struct CheckControl {
    bool Checked = false;
    bool Enabled = true;
};

struct DatePicker {
    loan::Date Date{2004, 3, 10};
    bool Enabled = true;
};

struct GroupBox {
    bool Visible = true;
    bool Enabled = true;
};

}  // namespace app
