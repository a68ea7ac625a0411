#pragma once

#include <string>

#include "loan/date.h"

namespace app {

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
