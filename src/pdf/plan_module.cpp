// The planner's outputs for `ssudomer-cli plan`: its printed plan as a PDF file and its chart
// as PNG bytes, made from the plan the command computed. Qt runs on its offscreen platform,
// as for the payment PDF; the chart needs Qt's widgets, so the application object is a
// widget application.

#include <QApplication>
#include <QString>

#include <cstdio>
#include <exception>

#include "gui/planner_chart.h"
#include "gui/planner_pages.h"
#include "pdf/plan_request.h"
#include "print/pdf_output.h"
#include "print/qt_text_measurer.h"

namespace {

// Qt's notes about its environment would mix with the command's messages; only its errors
// are let through.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "ssudomer-cli: %s\n", message.toLocal8Bit().constData());
}

// False when another entry already started Qt without widgets.
bool startQt() {
    if (QCoreApplication::instance())
        return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    qInstallMessageHandler(quietMessages);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "ssudomer-cli";
    static char* argv[] = {name, nullptr};
    // Kept until the process ends: the module is never unloaded.
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    return true;
}

bool writePlanPdf(pdf::PlanRequest& request) {
    print::TPvPageList pages;
    pages.SetMeasurer(print::QtTextMeasurer());
    gui::PlannerPages printout(pages);
    printout.Build(*request.planner);
    QString error;
    if (!print::WritePdfFile(pages, QString::fromStdString(request.path),
                             QString::fromUtf8(gui::kPlanJobTitle), &error)) {
        request.error = error.toStdString();
        return false;
    }
    return true;
}

bool renderChart(pdf::PlanRequest& request) {
    const QByteArray png = gui::BalanceChartPng(*request.planner);
    if (png.isEmpty()) {
        request.error = "the chart could not be drawn";
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
            request->error = "the PDF writer does not match this program";
        return false;
    }
    if (!request->planner || !request->planner->HasPlan()) {
        request->error = "no plan to show";
        return false;
    }
    try {
        if (!startQt()) {
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
