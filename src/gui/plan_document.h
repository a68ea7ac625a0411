#pragma once

// The printed plan (table, comparison, notes and chart) of the planner's last plan, for a
// print window, which opens it on page 1.

#include "app/planner_form.h"
#include "gui/print_window.h"

namespace gui {

PrintedDocumentMaker PlanDocumentMaker(const app::PlannerForm& planner);

}  // namespace gui
