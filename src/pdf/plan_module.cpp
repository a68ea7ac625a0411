// The planner's outputs for `ssudomer-cli plan`: its printed plan as a PDF file and its chart
// as PNG bytes, made from the plan the command computed. Qt runs on its offscreen platform,
// as for the payment PDF; the chart needs Qt's widgets, so the application object is a
// widget application.

#include <exception>

#include "chart/planner_chart.h"
#include "printouts/planner_pages.h"
#include "pdf/plan_request.h"
#include "pdf/qt_start.h"
#include "pdf/stream_printout.h"

namespace {

bool writePlanPdf(pdf::PlanRequest& request) {
    return pdf::StreamPrintout<gui::PlannerPages>(
        request.path, gui::kPlanJobTitle, request.error,
        [&](gui::PlannerPages& printout) { printout.Build(*request.planner); });
}

bool renderChart(pdf::PlanRequest& request) {
    const QByteArray png = gui::BalanceChartPng(*request.planner);
    if (png.isEmpty()) {
        request.error = "график не нарисован";
        return false;
    }
    request.png.assign(png.constData(), static_cast<std::size_t>(png.size()));
    return true;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool ssudomer_write_plan(
    pdf::PlanRequest* request) {
    if (!request || request->version != pdf::kPlanRequestVersion) {
        if (request)
            request->error = "модуль PDF не от этой версии программы";
        return false;
    }
    if (!request->planner || !request->planner->HasPlan()) {
        request->error = "план не рассчитан";
        return false;
    }
    try {
        if (!pdf::StartQt(true)) {
            request->error = "Qt was started without widgets";
            return false;
        }
        return request->output == pdf::PlanOutput::Pdf ? writePlanPdf(*request)
                                                       : renderChart(*request);
    } catch (const std::exception& error) {
        request->error = error.what();
        return false;
    }
}
