#pragma once

// The planner's chart: the remaining balance over time, one line for each variant of the plan
// (the plan as entered, without prepayments, all prepayments shortening the term, all
// lowering the payment), dates along the bottom. The window shows it; --chart of the command
// line writes the same chart as an image.

#include <QByteArray>
#include <QImage>
#include <QSize>

class QChart;

namespace app {
class PlannerForm;
}

namespace gui {

inline constexpr const char* kChartTitle = "Остаток кредита по вариантам";
inline constexpr const char* kNoPlanChartTitle = "Остаток кредита: план не рассчитан";
inline constexpr QSize kChartImageSize{1000, 600};

// A new chart of the planner's last plan (the caller owns it); without a plan, its title only.
QChart* MakeBalanceChart(const app::PlannerForm& planner);

// The chart drawn on a white image of `size` pixels, as the window's view draws it.
QImage RenderBalanceChart(const app::PlannerForm& planner, QSize size = kChartImageSize);
// The same as the bytes of a PNG file; empty when it could not be encoded.
QByteArray BalanceChartPng(const app::PlannerForm& planner, QSize size = kChartImageSize);

}  // namespace gui
