#pragma once

// The printed plan (table and comparison) of the planner's last plan, for a print window.

#include "app/planner_form.h"
#include "gui/print_window.h"

namespace gui {

PrintedDocumentMaker PlanDocumentMaker(const app::PlannerForm& planner);

}  // namespace gui
