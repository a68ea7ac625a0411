// Writes PNG photographs of the prepayment planner into a folder:
//   planner_window.png          the window over the 1 000 000 / 12 % / 24 months example with
//                               a prepayment, a monthly one and a rate change
//   planner_chart.png           the chart alone, as --chart writes it
//   planner_print_zoom100.png   its print window, page 1 at 100 %
//   planner_print_chart_zoom100.png  the print window on the chart's page, at 100 %
//   planner_print.pdf           the pages through the print window's own print path
//   planner_goal.png            the window over the example alone after "Подобрать" for
//                               "Погасить к" 31.12.2024

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollBar>

#include <cstdio>

#include "chart/planner_chart.h"
#include "gui/planner_window.h"
#include "gui/print_window.h"
#include "photo_support.h"
#include "print/preview.h"

int main(int argc, char* argv[]) {
    gui_photos::PreferOffscreen();
    QApplication application(argc, argv);
    const QDir folder = gui_photos::OutputFolder(argc, argv);

    gui_photos::PhotographedWindow photographed;
    gui::MainWindow& window = photographed.window;
    gui_photos::type(window, "SpinEdit1", "1000000");
    gui_photos::type(window, "SpinEdit2", "12");
    gui_photos::type(window, "SpinEdit3", "24");
    window.findChild<QDateEdit*>("DateTimePicker1")->setDate(QDate(2024, 1, 31));
    window.findChild<QRadioButton*>("RadioButtonB")->click();
    window.PlannerClick();

    gui::PlannerWindow& planner = *window.plannerWindow();
    app::PlannerForm& form = planner.planner();
    planner.run([&] {
        form.AddPrepayment({{2024, 3, 31}, "500000", loan::PrepaymentMode::LowerPayment, false});
        form.AddPrepayment({{2024, 6, 30}, "20000", loan::PrepaymentMode::ShortenTerm, true});
        form.AddRateChange({{2024, 9, 1}, "10"});
        form.SelectPrepayment(1);
    });
    bool ok = gui_photos::save(planner, folder, "planner_window.png");
    const QString chart = folder.filePath("planner_chart.png");
    ok = gui::RenderBalanceChart(form).save(chart) && ok;
    std::printf("wrote %s\n", qPrintable(chart));

    // The print window as "Печать..." makes it, shown without its modal loop.
    gui::TForm2 printWindow(gui::PlanDocumentMaker(form), &planner);
    printWindow.show();
    printWindow.PvPreview1->SetCurrentPage(1);
    printWindow.PvPreview1->SetZoom(100);
    printWindow.PvPreview1->horizontalScrollBar()->setValue(0);
    printWindow.PvPreview1->verticalScrollBar()->setValue(0);
    ok = gui_photos::save(printWindow, folder, "planner_print_zoom100.png") && ok;
    // The chart's page, scrolled to the chart.
    printWindow.PvPreview1->SetCurrentPage(printWindow.PvPreview1->PageCount());
    printWindow.resize(900, 760);
    QScrollBar* down = printWindow.PvPreview1->verticalScrollBar();
    down->setValue(down->maximum() / 12);
    ok = gui_photos::save(printWindow, folder, "planner_print_chart_zoom100.png") && ok;

    const QString pdf = folder.filePath("planner_print.pdf");
    printWindow.PrintDialog1 = [&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    printWindow.Button1Click();
    std::printf("printed on %s\n", qPrintable(pdf));
    printWindow.hide();

    // The goal's answer on the loan alone.
    planner.run([&] {
        form.RemovePrepayment(1);
        form.RemovePrepayment(0);
        form.RemoveRateChange(0);
        form.TargetDate.Date = {2024, 12, 31};
    });
    planner.run([&] { form.FindGoalClick(); });
    ok = gui_photos::save(planner, folder, "planner_goal.png") && ok;
    return ok ? 0 : 1;
}
