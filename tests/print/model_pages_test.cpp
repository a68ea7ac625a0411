// The page list: paging, updates, the bands and printing through a recording service.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_measurer.h"
#include "print/page_list.h"
#include "print/error_report.h"

namespace print {
namespace {

TEST(PageList, StartsAndClearsToOneEmptyA4Page) {
    TPvPageList pages;
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.CurrentPage(), 1);
    EXPECT_NEAR(double(pages.PageWidth(pvMillimeters)), 210, 1e-12);
    EXPECT_NEAR(double(pages.PageHeight(pvMillimeters)), 297, 1e-12);
    EXPECT_TRUE(pages.Current().HeaderVisible);
    EXPECT_TRUE(pages.Current().FooterVisible);

    pages.Canvas.Line(pvInches, 0, 0, 1, 1);
    pages.NewPage();
    pages.NewPage();
    EXPECT_EQ(pages.CurrentPage(), 3);
    pages.Clear();
    EXPECT_EQ(pages.PageCount(), 1);
    EXPECT_EQ(pages.CurrentPage(), 1);
    EXPECT_EQ(pages.Current().ObjectCount(), 0);
    EXPECT_EQ(pages.Resources.Pens().Count(), 0);
}

TEST(PageList, NewPagesTakeThePaperInForce) {
    TPvPageList pages;
    pages.Orientation = pvLandscape;
    const TPvPage& page = pages.NewPage();
    EXPECT_EQ(page.Orientation, pvLandscape);
    EXPECT_NEAR(double(page.Width), 297 / 25.4, 1e-12);
    EXPECT_NEAR(double(pages.Page(1).Width), 210 / 25.4, 1e-12);  // the first stays portrait
}

TEST(PageList, CurrentPageOutsideTheRangeIsIgnored) {
    TPvPageList pages;
    pages.NewPage();
    pages.NewPage();
    int changes = 0;
    pages.OnPageChange = [&] { ++changes; };
    for (int n : {0, -1, 4, 3}) pages.SetCurrentPage(n);
    EXPECT_EQ(pages.CurrentPage(), 3);
    EXPECT_EQ(changes, 0);
    pages.SetCurrentPage(1);
    EXPECT_EQ(pages.CurrentPage(), 1);
    EXPECT_EQ(changes, 1);
}

TEST(PageList, NotificationsWaitForTheOutermostEndUpdate) {
    TPvPageList pages;
    int counts = 0, changes = 0;
    pages.OnPageCountChange = [&] { ++counts; };
    pages.OnPageChange = [&] { ++changes; };
    pages.BeginUpdate();
    pages.BeginUpdate();
    pages.NewPage();
    pages.NewPage();
    pages.EndUpdate();
    EXPECT_EQ(counts + changes, 0);
    pages.EndUpdate();
    EXPECT_EQ(counts, 1);
    EXPECT_EQ(changes, 1);
    pages.EndUpdate();  // never below zero
    EXPECT_EQ(pages.UpdateCount(), 0);
    pages.NewPage();
    EXPECT_EQ(counts, 2);
}

class Bands : public ::testing::Test {
  protected:
    Bands() {
        pages.SetMeasurer(std::make_shared<testing::FakeMeasurer>());
        pages.Margins.SetMarginValues("720,720,720,720");
        pages.TokenValues = [](int page, int count) {
            return TPvTokenValues{"08.12.2026", "14.05", page, count};
        };
    }
    TPvPageList pages;
};

TEST_F(Bands, HeightIsOneLineOfTheLargestCaptionFont) {
    // At 600 dpi a 12-point line is 125 dots, a 10-point line 104.17, rounded to 104.
    EXPECT_EQ(pages.Header.BandHeight(pages.Measurer()), 125.0L / 600);
    pages.Footer.CaptionLeft.Font.Size = 10;
    pages.Footer.CaptionCenter.Font.Size = 10;
    pages.Footer.CaptionRight.Font.Size = 10;
    EXPECT_EQ(pages.Footer.BandHeight(pages.Measurer()), 104.0L / 600);
    pages.Footer.CaptionRight.Font.Size = 14;
    EXPECT_EQ(pages.Footer.LargestCaption(), 2);
    pages.Footer.CaptionLeft.Font.Size = 14;
    EXPECT_EQ(pages.Footer.LargestCaption(), 0);  // left wins a tie
    pages.Footer.Height.SetInches(0.3L);
    EXPECT_EQ(pages.Footer.BandHeight(pages.Measurer()), 0.3L);
    pages.Footer.Visible = false;
    EXPECT_EQ(pages.Footer.BandHeight(pages.Measurer()), 0.3L);  // hidden, still counted
}

TEST_F(Bands, HeaderCaptionsStandOnTheBandsBottomEdge) {
    pages.Header.CaptionCenter.Caption = "Информация по кредиту.";  // 22 characters
    const TPvBandLayout header = pages.HeaderLayout(1);
    EXPECT_EQ(header.Top, 0.5L);
    EXPECT_EQ(header.Bottom, 0.5L + 125.0L / 600);
    EXPECT_EQ(header.LineY, header.Bottom);
    EXPECT_NEAR(double(header.Right), 210 / 25.4 - 0.5, 1e-12);
    ASSERT_EQ(header.Captions.size(), 1u);  // empty captions are not placed
    const TPvBandCaptionPlace& centre = header.Captions[0];
    const TPvExtended width = 22 * 600.0L / 7200;  // a 12-point character is 600 dots
    EXPECT_NEAR(double(centre.Left), double((0.5L + header.Right - width) / 2), 1e-12);
    EXPECT_NEAR(double(centre.Top), double(header.Bottom - 1500.0L / 7200), 1e-12);
}

TEST_F(Bands, FooterCaptionsHangFromTheTopEdgeAndEndAtTheRightMargin) {
    pages.Footer.CaptionRight.Caption = "Стр. {PAGE} из {NUMPAGES}";
    pages.Footer.CaptionRight.Font.Size = 10;
    pages.Footer.CaptionLeft.Caption = "{DATE} {TIME}";
    for (int i = 0; i < 4; ++i) pages.NewPage();
    const TPvBandLayout footer = pages.FooterLayout(2);
    const TPvExtended pageHeight = 297 / 25.4L;
    EXPECT_NEAR(double(footer.Bottom), double(pageHeight - 0.5L), 1e-12);
    EXPECT_NEAR(double(footer.Top), double(footer.Bottom - 125.0L / 600), 1e-12);
    EXPECT_EQ(footer.LineY, footer.Top);
    ASSERT_EQ(footer.Captions.size(), 2u);
    EXPECT_EQ(footer.Captions[0].Text, "08.12.2026 14.05");
    EXPECT_EQ(footer.Captions[0].Left, 0.5L);
    EXPECT_EQ(footer.Captions[1].Text, "Стр. 2 из 5");
    EXPECT_NEAR(double(footer.Captions[1].Left + 11 * 500.0L / 7200), double(footer.Right), 1e-12);
    EXPECT_EQ(footer.Captions[1].Top, footer.Top);
}

TEST(Tokens, ReplacedWhereTheyStandAndOtherBracesKept) {
    const TPvTokenValues values{"01.02.2026", "09.30", 2, 5};
    EXPECT_EQ(ReplaceTokens("{PAGE}/{NUMPAGES} {DATE} {TIME}", values), "2/5 01.02.2026 09.30");
    EXPECT_EQ(ReplaceTokens("Без скобок", values), "Без скобок");
    EXPECT_EQ(ReplaceTokens("{page} {PAGE", values), "{page} {PAGE");
}

// Records what a job does, in order.
class RecordingService : public TPvPrintService {
  public:
    bool available = true;
    bool opens = true;
    int failOnPage = 0;  // a page whose replay throws
    int ownCopies = 1;   // copies the device leaves to the job
    std::vector<std::string> log;
    TPvPrinterSettings settings;

    bool PrinterAvailable() const override { return available; }
    std::unique_ptr<TPvPrintJob> BeginJob(const TPvPrinterSettings& s) override;
};

class RecordingJob : public TPvPrintJob {
  public:
    explicit RecordingJob(RecordingService& service) : service_(service) {}
    void PrintPage(const TPvPageList&, int n, bool clip) override {
        if (n == service_.failOnPage)
            throw TPvError("replay failed");
        service_.log.push_back("page " + std::to_string(n) + (clip ? " clipped" : ""));
    }
    void NewSheet(TPvOrientation o) override {
        service_.log.push_back(o == pvPortrait ? "sheet" : "landscape sheet");
    }
    bool End() override {
        service_.log.push_back("end");
        return true;
    }
    int OwnCopies() const override { return service_.ownCopies; }

  private:
    RecordingService& service_;
};

std::unique_ptr<TPvPrintJob> RecordingService::BeginJob(const TPvPrinterSettings& s) {
    if (!opens)
        return nullptr;
    settings = s;
    log.push_back("begin " + s.Title);
    return std::make_unique<RecordingJob>(*this);
}

class Printing : public ::testing::Test {
  protected:
    Printing() {
        pages.Printer.SetPrintService(service);
        pages.NewPage();
        pages.NewPage();
        previousReport = SetPvReportHandler([this](const std::string& m) { reports.push_back(m); });
    }
    ~Printing() override { SetPvReportHandler(previousReport); }

    TPvPageList pages;
    std::shared_ptr<RecordingService> service = std::make_shared<RecordingService>();
    std::vector<std::string> reports;
    TPvReportHandler previousReport;
};

TEST_F(Printing, PagesInTheOrderAskedAsOneJob) {
    pages.Printer.Title = "Платежи по кредиту";
    std::vector<std::pair<int, int>> progress;
    pages.OnPrintProgress = [&](int done, int total) { progress.emplace_back(done, total); };
    int updatesSeen = -1;
    pages.Printer.BeforePrint = [&] { updatesSeen = pages.UpdateCount(); };
    ASSERT_TRUE(pages.PrintPages(3, 1));
    EXPECT_EQ(service->log, (std::vector<std::string>{"begin Платежи по кредиту", "page 3", "sheet",
                                                      "page 2", "sheet", "page 1", "end"}));
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(updatesSeen, 1);
    EXPECT_EQ(pages.UpdateCount(), 0);
    EXPECT_FALSE(pages.Printer.Printing());
    EXPECT_EQ(pages.Printer.SheetCount(), 3);
}

TEST_F(Printing, ForwardWithClippedMarginsAndASingleAndLandscapePage) {
    pages.Margins.ClipMargins = true;
    pages.Orientation = pvLandscape;
    pages.NewPage();
    ASSERT_TRUE(pages.PrintPages(3, 4));
    EXPECT_EQ(service->log, (std::vector<std::string>{"begin <document>", "page 3 clipped",
                                                      "landscape sheet", "page 4 clipped", "end"}));
    EXPECT_EQ(service->settings.Orientation, pvPortrait);  // the first page's
    service->log.clear();
    ASSERT_TRUE(pages.PrintPages(2, 2));
    EXPECT_EQ(service->log,
              (std::vector<std::string>{"begin <document>", "page 2 clipped", "end"}));
}

TEST_F(Printing, CopiesTheDeviceDoesNotMakeArePrintedCollatedOrPageByPage) {
    service->ownCopies = 2;
    pages.Printer.SetPrintCopies(2);
    pages.Printer.SetCollate(true);
    std::vector<std::pair<int, int>> progress;
    pages.OnPrintProgress = [&](int done, int total) { progress.emplace_back(done, total); };
    ASSERT_TRUE(pages.PrintPages(2, 3));
    EXPECT_EQ(service->log,
              (std::vector<std::string>{"begin <document>", "page 2", "sheet", "page 3", "sheet",
                                        "page 2", "sheet", "page 3", "end"}));
    EXPECT_EQ(progress.back(), std::make_pair(4, 4));

    service->log.clear();
    pages.Printer.SetCollate(false);
    ASSERT_TRUE(pages.PrintPages(3, 2));
    EXPECT_EQ(service->log,
              (std::vector<std::string>{"begin <document>", "page 3", "sheet", "page 3", "sheet",
                                        "page 2", "sheet", "page 2", "end"}));

    // A device that makes the copies itself gets each page once.
    service->log.clear();
    service->ownCopies = 1;
    ASSERT_TRUE(pages.PrintPages(2, 2));
    EXPECT_EQ(service->log, (std::vector<std::string>{"begin <document>", "page 2", "end"}));
    EXPECT_EQ(service->settings.Copies, 2);
}

TEST_F(Printing, NoDeviceToOpenPrintsNothingAndSaysSo) {
    service->opens = false;
    EXPECT_FALSE(pages.PrintPages(1, 3));
    EXPECT_TRUE(service->log.empty());
    EXPECT_EQ(reports, std::vector<std::string>{"Unable to print... No Printer available."});
    EXPECT_EQ(pages.UpdateCount(), 0);

    TPvPageList unconnected;
    EXPECT_FALSE(unconnected.PrintPages(1, 1));
    EXPECT_EQ(reports.size(), 2u);
}

TEST_F(Printing, PagesOutsideTheDocumentAreNotAskedFor) {
    ASSERT_TRUE(pages.PrintPages(0, 99));
    EXPECT_EQ(service->log, (std::vector<std::string>{"begin <document>", "page 1", "sheet",
                                                      "page 2", "sheet", "page 3", "end"}));
}

TEST_F(Printing, AFailingPageEndsTheJobAndTheUpdate) {
    service->failOnPage = 2;
    EXPECT_THROW(pages.PrintPages(1, 3), TPvError);
    EXPECT_FALSE(pages.Printer.Printing());
    EXPECT_EQ(pages.UpdateCount(), 0);
    EXPECT_EQ(service->log.back(), "end");
    service->failOnPage = 0;
    EXPECT_TRUE(pages.PrintPages(1, 1));  // the next job starts
}

TEST_F(Printing, SettingsAreKeptWithAPrinterAndDefaultWithout) {
    pages.Printer.SetPrintCopies(3);
    pages.Printer.SetPrintQuality(pvHigh);
    pages.Printer.SetDuplex(pvVertDuplex);
    EXPECT_EQ(pages.Printer.PrintCopies(), 3);
    EXPECT_EQ(pages.Printer.PrintQuality(), pvHigh);
    ASSERT_TRUE(pages.PrintPages(1, 1));
    EXPECT_EQ(service->settings.Copies, 3);
    EXPECT_EQ(service->settings.Duplex, pvVertDuplex);

    TPvPrinter none;
    none.SetPrintCopies(3);
    none.SetCollate(true);
    EXPECT_EQ(none.PrintCopies(), 1);
    EXPECT_FALSE(none.Collate());
    EXPECT_EQ(none.PrintQuality(), pvMedium);

    service->available = false;
    EXPECT_EQ(pages.Printer.PrintCopies(), 1);
}

}  // namespace
}  // namespace print
