#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "print/preview.h"
#include "print/qt_text_measurer.h"
#include "print/replay.h"
#include "print/sample_document.h"

namespace {

// Fonts and widgets need an application; the benchmarks draw off screen.
void EnsureApplication() {
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "ssudomer_bench";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)application;
}

constexpr int kPages = 40;
constexpr int kBoxesPerPage = 300;

// Recording 40 pages of 300 text boxes, each measured to fit its text, with a line or two
// beside each box, into a new page list with a new measurer.
void BM_RecordPages(benchmark::State& state) {
    EnsureApplication();
    for (auto _ : state) {
        print::TPvPageList pages;
        pages.SetMeasurer(print::QtTextMeasurer());  // nothing measured before
        print::testing::BuildSampleDocument(pages, kPages, kBoxesPerPage, true);
        benchmark::DoNotOptimize(pages.PageCount());
    }
}
BENCHMARK(BM_RecordPages)->Unit(benchmark::kMillisecond);

// Replaying the same 40 pages, bands included, onto a 600-dpi A4 image.
void BM_ReplayPagesAt600Dpi(benchmark::State& state) {
    EnsureApplication();
    print::TPvPageList pages;
    pages.SetMeasurer(print::QtTextMeasurer());
    print::testing::BuildSampleDocument(pages, kPages, kBoxesPerPage, true);
    QImage image(int(print::InchesToDots(pages.Page(1).Width, 600)),
                 int(print::InchesToDots(pages.Page(1).Height, 600)), QImage::Format_RGB32);
    for (auto _ : state) {
        for (int n = 1; n <= pages.PageCount(); ++n) {
            image.fill(Qt::white);
            QPainter painter(&image);
            print::ReplayPage(painter, pages, n, {600, 600}, true);
        }
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ReplayPagesAt600Dpi)->Unit(benchmark::kMillisecond);

// Painting one A4 page of 300 text boxes in the preview control at 100 %, the whole paper.
void BM_PreviewPaintA4At100(benchmark::State& state) {
    EnsureApplication();
    print::TPvPreview preview;
    preview.SetZoom(100);
    print::testing::BuildSampleDocument(preview.PageList(), 1, kBoxesPerPage, true);
    QImage image(900, 1200, QImage::Format_ARGB32_Premultiplied);
    const QRect paper(30, 30, 794, 1123);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::lightGray);
        preview.PaintPaper(painter, paper);
    }
}
BENCHMARK(BM_PreviewPaintA4At100)->Unit(benchmark::kMillisecond);

}  // namespace
