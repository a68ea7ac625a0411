// The preview control: zoom steps and limits, paging, scroll ranges and painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <vector>

#include "print/preview.h"
#include "print/replay.h"

namespace print {
namespace {

std::vector<int> Steps(TPvPreview& preview, void (TPvPreview::*step)(), int times) {
    std::vector<int> zooms;
    for (int i = 0; i < times; ++i) {
        (preview.*step)();
        zooms.push_back(preview.Zoom());
    }
    return zooms;
}

TEST(PreviewZoom, StepsWithinTheWindowsLimits) {
    TPvPreview preview;
    preview.SetZoom(30);
    preview.SetMinZoom(30);
    preview.SetMaxZoom(100);
    EXPECT_EQ(Steps(preview, &TPvPreview::ZoomIn, 5), (std::vector<int>{45, 60, 80, 100, 100}));
    EXPECT_EQ(Steps(preview, &TPvPreview::ZoomOut, 5), (std::vector<int>{80, 60, 45, 30, 30}));
    preview.SetZoom(500);
    EXPECT_EQ(preview.Zoom(), 100);
    preview.SetZoom(1);
    EXPECT_EQ(preview.Zoom(), 30);
}

TEST(PreviewZoom, StepsWithTheDefaultLimits) {
    TPvPreview preview;
    EXPECT_EQ(preview.Zoom(), 20);
    EXPECT_EQ(preview.MinZoom(), 5);
    EXPECT_EQ(preview.MaxZoom(), 400);
    preview.SetZoom(350);
    preview.ZoomIn();
    EXPECT_EQ(preview.Zoom(), 400);  // the step 500 is clamped
    preview.ZoomIn();
    EXPECT_EQ(preview.Zoom(), 400);
    preview.SetZoom(7);
    preview.ZoomOut();
    EXPECT_EQ(preview.Zoom(), 7);  // no step is smaller
    preview.SetZoom(25);
    preview.ZoomIn();
    EXPECT_EQ(preview.Zoom(), 30);
    preview.SetZoom(25);
    preview.ZoomOut();
    EXPECT_EQ(preview.Zoom(), 20);
}

TEST(PreviewZoom, FixedStepsAndLimitsThatMoveTheZoom) {
    TPvPreview preview;
    preview.SetZoomStyle(pvFixedZoom);
    preview.SetZoomIncrement(15);
    preview.ZoomIn();
    EXPECT_EQ(preview.Zoom(), 35);
    preview.SetZoom(10);
    preview.ZoomOut();
    EXPECT_EQ(preview.Zoom(), 5);

    preview.SetMinZoom(30);
    EXPECT_EQ(preview.Zoom(), 30);  // raised to the new minimum
    preview.SetMaxZoom(20);
    EXPECT_EQ(preview.MaxZoom(), 30);  // not below the minimum
    preview.SetMaxZoom(100);
    preview.SetMinZoom(200);
    EXPECT_EQ(preview.MinZoom(), 100);  // not above the maximum
    EXPECT_EQ(preview.Zoom(), 100);
    preview.SetMinZoom(10);
    preview.SetMaxZoom(50);
    EXPECT_EQ(preview.Zoom(), 50);  // lowered to the new maximum
}

TEST(PreviewPages, CurrentPageOutsideTheRangeIsIgnored) {
    TPvPreview preview;
    int changes = 0;
    preview.OnPageChanged = [&] { ++changes; };
    preview.PrevPage();
    EXPECT_EQ(preview.CurrentPage(), 1);
    preview.NewPage();
    preview.NewPage();
    EXPECT_EQ(changes, 2);
    preview.NextPage();  // on the last page
    preview.SetCurrentPage(0);
    preview.SetCurrentPage(-3);
    preview.SetCurrentPage(4);
    EXPECT_EQ(preview.CurrentPage(), 3);
    EXPECT_EQ(changes, 2);
    preview.PrevPage();
    EXPECT_EQ(preview.CurrentPage(), 2);
    EXPECT_EQ(changes, 3);
}

TEST(PreviewPages, ClearNewPageAndTheirEvents) {
    TPvPreview preview;
    preview.Header().Visible = true;
    preview.SetMarginValues("720,720,720,720");
    int cleared = 0, added = 0;
    TPvInchRect header{};
    preview.OnClear = [&] { ++cleared; };
    preview.OnNewPage = [&] { ++added; };
    preview.OnDrawHeader = [&](TPvCanvas& canvas, const TPvInchRect& band) {
        header = band;
        canvas.Line(pvInches, band.Left, band.Top, band.Right, band.Top);
    };
    preview.NewPage();
    EXPECT_EQ(added, 1);
    EXPECT_EQ(header.Top, 0.5L);
    EXPECT_GT(header.Bottom, header.Top);
    EXPECT_EQ(preview.PageList().Current().ObjectCount(), 1);  // the handler drew on it
    preview.Canvas().Line(pvInches, 0, 0, 1, 1);
    preview.Clear();
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(preview.PageCount(), 1);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.PageList().Current().ObjectCount(), 0);
    EXPECT_EQ(preview.PageList().Resources.Pens().Count(), 0);
}

TEST(PreviewPages, UpdatesHoldBackNotificationsUntilTheOutermostEnd) {
    TPvPreview preview;
    int changes = 0;
    preview.OnPageChanged = [&] { ++changes; };
    preview.BeginUpdate();
    preview.BeginUpdate();
    for (int i = 0; i < 5; ++i) preview.NewPage();
    preview.EndUpdate();
    EXPECT_EQ(changes, 0);
    preview.EndUpdate();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(preview.CurrentPage(), 6);
    preview.EndUpdate();  // one too many changes nothing
    EXPECT_EQ(preview.PageList().UpdateCount(), 0);
}

TEST(PreviewPages, CaptionsByIndexAndStoredMargins) {
    TPvPreview preview;
    preview.SetHeaderCaption(1, "Информация по кредиту.");
    preview.SetFooterCaption(2, "Ссудомер 2.0");
    EXPECT_EQ(preview.Header().CaptionCenter.Caption, "Информация по кредиту.");
    EXPECT_EQ(preview.Footer().CaptionRight.Caption, "Ссудомер 2.0");
    const std::string stored = "720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"";
    EXPECT_TRUE(preview.SetMarginValues(stored));
    EXPECT_EQ(preview.MarginValues(), stored);
    EXPECT_EQ(preview.Margins().Values().Left, 0.5f);
    EXPECT_NEAR(double(preview.PageWidth(pvMillimeters)), 210, 1e-9);
}

class PreviewView : public ::testing::Test {
  protected:
    PreviewView() {
        preview.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        preview.resize(402, 600);
        preview.show();
    }
    QScrollBar* H() { return preview.horizontalScrollBar(); }
    QScrollBar* V() { return preview.verticalScrollBar(); }
    TPvPreview preview;
};

TEST_F(PreviewView, ASmallPageIsCentredWithEqualSpaceLeftAndRight) {
    preview.SetMaxZoom(100);
    preview.SetZoom(30);  // A4: 238 x 337 pixels
    const QRect paper = preview.PaperRect();
    EXPECT_EQ(paper.size(), QSize(238, 337));
    const int width = preview.viewport()->width();
    EXPECT_EQ(paper.left(), width - 1 - paper.right());
    EXPECT_EQ(H()->maximum(), 0);
    EXPECT_EQ(V()->maximum(), 0);
}

TEST_F(PreviewView, ALargePageScrollsOverItsGutters) {
    preview.SetZoom(100);  // A4: 794 x 1123 pixels
    const QSize client = preview.viewport()->size();
    EXPECT_EQ(H()->maximum(), 794 + 60 - client.width());
    EXPECT_EQ(V()->maximum(), 1123 + 60 - client.height());
    EXPECT_EQ(preview.PaperRect().topLeft(), QPoint(30, 30));
    H()->setValue(H()->maximum());
    V()->setValue(V()->maximum());
    const QRect paper = preview.PaperRect();
    EXPECT_EQ(client.width() - 1 - paper.right(), 30);  // the right gutter in view
    EXPECT_EQ(client.height() - 1 - paper.bottom(), 30);
}

TEST_F(PreviewView, ZoomKeepsThePartInViewAndKeysAndWheelScroll) {
    preview.SetZoom(100);
    V()->setValue(V()->maximum() / 2);
    const double share = double(V()->value()) / V()->maximum();
    preview.SetZoom(200);
    EXPECT_NEAR(double(V()->value()) / V()->maximum(), share, 0.01);

    const int step = V()->singleStep();
    V()->setValue(100);
    QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
    QApplication::sendEvent(&preview, &pageDown);
    EXPECT_EQ(V()->value(), 100 + 10 * step);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&preview, &up);
    EXPECT_EQ(V()->value(), 100 + 9 * step);
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&preview, &right);
    EXPECT_EQ(H()->value(), H()->singleStep());
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
    QApplication::sendEvent(&preview, &end);
    EXPECT_EQ(V()->value(), V()->maximum());
    EXPECT_EQ(H()->value(), H()->maximum());
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(preview.viewport(), &wheel);
    EXPECT_EQ(V()->value(), V()->maximum() - step);
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::NoModifier);
    QApplication::sendEvent(&preview, &home);
    EXPECT_EQ(V()->value(), 0);
    EXPECT_EQ(H()->value(), 0);
}

TEST_F(PreviewView, PaintsPaperContentOutlineAndShadow) {
    preview.SetZoom(100);
    preview.Canvas().Line(pvInches, 1, 1, 2, 1);
    QImage image = preview.viewport()->grab().toImage();
    QRect paper = preview.PaperRect();
    auto gray = [&](int x, int y) { return qGray(image.pixel(x, y)); };
    // The line an inch down, a pixel wide and black although its pen is thinner.
    EXPECT_EQ(gray(paper.left() + 150, paper.top() + 96), 0);
    EXPECT_EQ(gray(paper.left() + 150, paper.top() + 95), 255);
    EXPECT_EQ(gray(paper.left() + 150, paper.top() + 97), 255);

    preview.SetZoom(30);  // the whole page in view
    image = preview.viewport()->grab().toImage();
    paper = preview.PaperRect();
    EXPECT_EQ(gray(paper.left(), paper.top() + 200), 0);        // outline
    EXPECT_EQ(gray(paper.left() + 50, paper.top() + 50), 255);  // paper
    EXPECT_EQ(gray(5, 5), qGray(ToQColor(clSilver).rgb()));     // around the paper
    // The shadow along the right edge, three pixels wide from its fourth pixel down.
    const int shadowX = paper.right() + 2;
    EXPECT_NE(gray(shadowX, paper.top() + 2), 0);
    EXPECT_EQ(gray(shadowX, paper.top() + 4), 0);
    EXPECT_EQ(gray(shadowX + 2, paper.top() + 100), 0);
    EXPECT_NE(gray(shadowX + 3, paper.top() + 100), 0);
}

}  // namespace
}  // namespace print
