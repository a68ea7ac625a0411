#pragma once

// The planner's comparison of the four variants on the screen: a row a variant, the plan as
// entered first and in bold, the long titles in short lines.

#include <array>

#include "app/plan_presentation.h"

class QTableWidget;

namespace gui {

QTableWidget* MakeComparisonTable();
// Fixes the table's height to its header and four rows, once it is in its layout.
void FitComparisonHeight(QTableWidget* table);
void ShowComparison(QTableWidget* table, const std::array<app::ComparisonLine, 4>& rows);

}  // namespace gui
