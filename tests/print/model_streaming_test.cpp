// A page list that hands its pages on as they are finished and keeps none of them.
#include <gtest/gtest.h>

#include <vector>

#include "print/page_list.h"

namespace print {
namespace {

// Three lines with one pen on each of `count` pages, as a producer lays pages out.
void drawPages(TPvPageList& pages, int count) {
    pages.Clear();
    for (int n = 1; n <= count; ++n) {
        if (n > 1)
            pages.NewPage();
        for (int line = 0; line < 3; ++line) pages.Canvas.Line(pvInches, 1, 1 + line, 2, 1 + line);
    }
}

TEST(StreamedPages, EachPageIsHandedOnceInOrderWhileItStillHoldsItsObjects) {
    TPvPageList pages;
    std::vector<int> handed;
    int mostKept = 0;
    pages.StreamPagesTo([&](int n) {
        handed.push_back(n);
        EXPECT_EQ(pages.Page(n).ObjectCount(), 3) << n;
        // The page handed on and the one being drawn: never more.
        mostKept = std::max(mostKept, pages.PageCount() - n + 1);
    });
    drawPages(pages, 500);
    EXPECT_EQ(handed.size(), 499u);  // the last page is still being drawn
    pages.FinishPages();
    ASSERT_EQ(handed.size(), 500u);
    for (int n = 1; n <= 500; ++n) EXPECT_EQ(handed[n - 1], n);
    EXPECT_LE(mostKept, 2);
    EXPECT_EQ(pages.PageCount(), 500);
    // The one pen is shared by the lines still recorded only: none.
    EXPECT_EQ(pages.Resources.Pens().RefCount(0), 0);
    pages.FinishPages();
    EXPECT_EQ(handed.size(), 500u);
}

TEST(StreamedPages, APageHandedOnCannotBeDrawnOnOrReadAgain) {
    TPvPageList pages;
    pages.StreamPagesTo([](int) {});
    drawPages(pages, 3);
    EXPECT_THROW(pages.SetCurrentPage(1), TPvError);
    EXPECT_THROW(pages.Page(2), TPvError);
    EXPECT_EQ(pages.Page(3).ObjectCount(), 3);
    EXPECT_EQ(pages.CurrentPage(), 3);

    // Clear starts again from page 1, and without a sink pages are kept as before.
    pages.StreamPagesTo(nullptr);
    drawPages(pages, 3);
    EXPECT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.Page(1).ObjectCount(), 3);
    pages.SetCurrentPage(1);
    EXPECT_EQ(pages.CurrentPage(), 1);
}

}  // namespace
}  // namespace print
