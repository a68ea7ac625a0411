// The print window through the real main window: "Печать платежей", the pages it shows,
// paging, zoom, the print dialog, and a failed build.

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

#include <functional>

#include "gui/print_window.h"
#include "print/preview.h"
#include "print/qt_text_measurer.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

// What a page shows, in a form two showings can be compared by.
struct PageSummary {
    int objects;
    bool hasText;
    std::string firstCell;
    bool operator==(const PageSummary&) const = default;
};

class PrintWindowTest : public WindowTest {
  protected:
    // Opens "Печать платежей" and runs `whileOpen` on the shown window; then closes it
    // (unless `whileOpen` did).
    void openPrintWindow(const std::function<void(gui::TForm2&)>& whileOpen) {
        modals.replies.push_back([whileOpen](QWidget* widget) {
            auto* printWindow = qobject_cast<gui::TForm2*>(widget);
            ASSERT_NE(printWindow, nullptr) << widget->metaObject()->className();
            // Run after the reply, so that a dialog opened by `whileOpen` is answered too.
            QTimer::singleShot(0, printWindow, [printWindow, whileOpen] {
                whileOpen(*printWindow);
                printWindow->close();
            });
        });
        modals.forgetCurrent();
        item("N9")->trigger();
        ASSERT_NE(window->printWindow(), nullptr);
        EXPECT_FALSE(window->printWindow()->isVisible());
    }

    static print::TPvPageList& pages(gui::TForm2& printWindow) {
        return printWindow.PvPreview1->PageList();
    }
    static std::vector<PageSummary> summary(gui::TForm2& printWindow) {
        std::vector<PageSummary> result;
        const print::TPvPageList& list = pages(printWindow);
        for (int n = 1; n <= list.PageCount(); ++n) {
            const print::TPvPage& page = list.Page(n);
            std::string first;
            for (const auto& object : page.Objects())
                if (auto* text = dynamic_cast<const print::TPvTextBoxObject*>(object.get())) {
                    first = text->Text;
                    break;
                }
            result.push_back({page.ObjectCount(), page.RtfInfo.Present(), first});
        }
        return result;
    }
    void computeSchedule(const char* term) {
        typeLoan("120000", "12", term);
        click("Button1");
    }
};

TEST_F(PrintWindowTest, ALongScheduleOpensOnItsLastPageWithTheLinesOnPageOne) {
    computeSchedule("120");
    int pageCount = 0;
    openPrintWindow([&](gui::TForm2& printWindow) {
        EXPECT_EQ(printWindow.windowTitle(), "Вывод на печать ");
        EXPECT_EQ(printWindow.size(), QSize(496, 431));
        EXPECT_EQ(printWindow.PvPreview1->geometry(), QRect(24, 20, 329, 401));
        EXPECT_EQ(printWindow.Button3->text(), "Предыдущая");
        EXPECT_EQ(printWindow.Button3->geometry(), QRect(364, 77, 121, 29));

        print::TPvPageList& list = pages(printWindow);
        pageCount = list.PageCount();
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), pageCount);
        // Page 1: the four lines, then the table from its title row and first month.
        const print::TPvPageRtfInfo& lines = list.Page(1).RtfInfo;
        ASSERT_TRUE(lines.Present());
        const std::string& text = list.Resources.Texts()[lines.TextIndex].Text;
        EXPECT_EQ(text.find("Сумма кредита          : 120000\r"), 0u) << text;
        EXPECT_NE(text.find("Срок погашения         : 120 месяцев\r"), std::string::npos);
        const auto pageSummary = summary(printWindow);
        EXPECT_EQ(pageSummary[0].firstCell, "Месяц");
        for (int n = 2; n <= pageCount; ++n) {
            EXPECT_FALSE(pageSummary[n - 1].hasText);
            EXPECT_EQ(pageSummary[n - 1].firstCell, "Месяц");  // the title row again
        }

        // "Следующая" on the last page and "Предыдущая" on page 1 change nothing.
        printWindow.Button4->click();
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), pageCount);
        printWindow.Button3->click();
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), pageCount - 1);
        for (int i = 0; i < pageCount; ++i) printWindow.Button3->click();
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), 1);
        printWindow.Button4->click();
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), 2);
    });
    EXPECT_EQ(pageCount, 3);
}

TEST_F(PrintWindowTest, OpeningTwiceGivesTheSamePagesInTheSameWindow) {
    computeSchedule("60");
    std::vector<PageSummary> first, second;
    openPrintWindow([&](gui::TForm2& printWindow) { first = summary(printWindow); });
    gui::TForm2* instance = window->printWindow();
    openPrintWindow([&](gui::TForm2& printWindow) { second = summary(printWindow); });
    EXPECT_EQ(window->printWindow(), instance);
    EXPECT_EQ(first.size(), 2u);
    EXPECT_EQ(second, first);

    // A new schedule is what the next showing prints.
    computeSchedule("6");
    openPrintWindow([&](gui::TForm2& printWindow) {
        EXPECT_EQ(pages(printWindow).PageCount(), 1);
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), 1);
    });
}

TEST_F(PrintWindowTest, RestoringTheMinimisedWindowKeepsItsPagesPageAndPlace) {
    computeSchedule("120");
    openPrintWindow([&](gui::TForm2& printWindow) {
        print::TPvPreview& preview = *printWindow.PvPreview1;
        preview.SetCurrentPage(1);
        const print::TPvBaseObject* firstObject = pages(printWindow).Page(1).Objects()[0].get();
        printWindow.move(printWindow.pos() + QPoint(40, 30));
        const QPoint place = printWindow.pos();

        printWindow.setWindowState(Qt::WindowMinimized);
        QApplication::processEvents();
        printWindow.setWindowState(Qt::WindowNoState);
        QApplication::processEvents();

        EXPECT_TRUE(printWindow.isVisible());
        EXPECT_EQ(preview.CurrentPage(), 1);
        EXPECT_EQ(pages(printWindow).Page(1).Objects()[0].get(), firstObject);  // not rebuilt
        EXPECT_EQ(printWindow.pos(), place);
    });
    // The next showing by the menu rebuilds and opens on the last page.
    openPrintWindow([&](gui::TForm2& printWindow) {
        EXPECT_EQ(printWindow.PvPreview1->CurrentPage(), pages(printWindow).PageCount());
    });
}

TEST_F(PrintWindowTest, TheWindowGrowsItsPageViewAndKeepsItsButtonsAtTheRight) {
    computeSchedule("12");
    openPrintWindow([&](gui::TForm2& printWindow) {
        EXPECT_TRUE(printWindow.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(printWindow.minimumSize(), QSize(496, 431));
        EXPECT_GT(printWindow.maximumWidth(), 496);
        EXPECT_GT(printWindow.maximumHeight(), 431);

        print::TPvPreview& preview = *printWindow.PvPreview1;
        for (int i = 0; i < 4; ++i) printWindow.Button5->click();
        ASSERT_EQ(preview.Zoom(), 100);
        const QSize shownBefore = preview.viewport()->size();

        printWindow.resize(1100, 900);
        QApplication::processEvents();
        const int dx = 1100 - 496;
        EXPECT_EQ(preview.geometry(), QRect(24, 20, 329 + dx, 401 + 900 - 431));
        EXPECT_EQ(printWindow.Button1->geometry(), QRect(364 + dx, 184, 121, 29));
        EXPECT_EQ(printWindow.Button3->geometry(), QRect(364 + dx, 77, 121, 29));
        EXPECT_EQ(printWindow.Button7->geometry(), QRect(456 + dx, 16, 33, 33));
        EXPECT_EQ(printWindow.PageNumberLabel->geometry(), QRect(364 + dx, 153, 121, 25));
        // At 100 % the page view now shows much more than its corner.
        EXPECT_GT(preview.viewport()->width(), shownBefore.width() + 500);
        EXPECT_GT(preview.viewport()->height(), shownBefore.height() + 400);

        printWindow.resize(496, 431);
        QApplication::processEvents();
        EXPECT_EQ(preview.geometry(), QRect(24, 20, 329, 401));
        EXPECT_EQ(printWindow.Button1->geometry(), QRect(364, 184, 121, 29));
        for (int i = 0; i < 4; ++i) printWindow.Button6->click();
    });
}

TEST_F(PrintWindowTest, ZoomStepsBetweenItsLimitsAndIsKeptBetweenShowings) {
    computeSchedule("12");
    openPrintWindow([&](gui::TForm2& printWindow) {
        print::TPvPreview& preview = *printWindow.PvPreview1;
        EXPECT_EQ(preview.Zoom(), 30);
        std::vector<int> steps;
        for (int i = 0; i < 5; ++i) {
            printWindow.Button5->click();
            steps.push_back(preview.Zoom());
        }
        EXPECT_EQ(steps, (std::vector<int>{45, 60, 80, 100, 100}));
        steps.clear();
        for (int i = 0; i < 5; ++i) {
            printWindow.Button6->click();
            steps.push_back(preview.Zoom());
        }
        EXPECT_EQ(steps, (std::vector<int>{80, 60, 45, 30, 30}));
        printWindow.Button5->click();
        printWindow.Button5->click();
        printWindow.Button7->click();
        EXPECT_EQ(preview.Zoom(), 30);
        printWindow.Button5->click();
    });
    openPrintWindow(
        [&](gui::TForm2& printWindow) { EXPECT_EQ(printWindow.PvPreview1->Zoom(), 45); });
}

TEST_F(PrintWindowTest, EveryPageHasTheHeaderAndTheFooterWithItsNumberAndTheProgramName) {
    computeSchedule("120");
    openPrintWindow([&](gui::TForm2& printWindow) {
        const print::TPvPageList& list = pages(printWindow);
        ASSERT_EQ(list.PageCount(), 3);
        for (int n = 1; n <= list.PageCount(); ++n) {
            SCOPED_TRACE(n);
            const print::TPvBandLayout header = list.HeaderLayout(n);
            ASSERT_EQ(header.Captions.size(), 1u);
            EXPECT_EQ(header.Captions[0].Text, "Информация по кредиту.");
            EXPECT_EQ(header.Captions[0].Index, 1);
            const print::TPvBandLayout footer = list.FooterLayout(n);
            ASSERT_EQ(footer.Captions.size(), 2u);
            EXPECT_EQ(footer.Captions[0].Index, 0);
            EXPECT_EQ(footer.Captions[0].Text, "Стр. " + std::to_string(n) + " из 3");
            EXPECT_EQ(footer.Captions[0].Left, footer.Left);
            EXPECT_EQ(footer.Captions[1].Text.rfind("Ссудомер 2.0", 0), 0u);
            EXPECT_EQ(footer.Captions[1].Index, 2);
            // The number ends well before the program's caption begins.
            const print::TPvFont& font = list.Footer.CaptionLeft.Font;
            const print::TPvExtended numberRight =
                footer.Captions[0].Left +
                list.Measurer().TextWidth(font, footer.Captions[0].Text, print::kPvReferenceDpi) /
                    print::kPvReferenceDpi;
            EXPECT_LT(numberRight + 0.2L, footer.Captions[1].Left);
        }
    });
}

TEST_F(PrintWindowTest, TheWindowShowsThePageNumberAndTheCount) {
    computeSchedule("120");
    openPrintWindow([&](gui::TForm2& printWindow) {
        ASSERT_NE(printWindow.PageNumberLabel, nullptr);
        EXPECT_EQ(printWindow.PageNumberLabel->text(), "Стр. 3 из 3");
        EXPECT_TRUE(printWindow.PageNumberLabel->isVisible());
        printWindow.Button3->click();
        EXPECT_EQ(printWindow.PageNumberLabel->text(), "Стр. 2 из 3");
        printWindow.Button3->click();
        printWindow.Button3->click();
        EXPECT_EQ(printWindow.PageNumberLabel->text(), "Стр. 1 из 3");
        printWindow.Button4->click();
        EXPECT_EQ(printWindow.PageNumberLabel->text(), "Стр. 2 из 3");
        // Between the paging buttons and "Печать", clear of both.
        const QRect place = printWindow.PageNumberLabel->geometry();
        EXPECT_FALSE(place.intersects(printWindow.Button4->geometry()));
        EXPECT_FALSE(place.intersects(printWindow.Button1->geometry()));
    });
    computeSchedule("6");
    openPrintWindow([&](gui::TForm2& printWindow) {
        EXPECT_EQ(printWindow.PageNumberLabel->text(), "Стр. 1 из 1");
    });
}

// The document alone: a footer band too narrow for the number and the program's caption
// side by side leaves the number out rather than print one over the other.
TEST(PaymentPagesFooter, ThePageNumberIsLeftOutWhereTheBandHasNoRoom) {
    loan::ScheduleTable table;
    print::TPvPageList list;
    list.SetMeasurer(print::QtTextMeasurer());
    gui::PaymentPages document(list);
    const std::array<std::string, 4> lines{"a", "b", "c", "d"};

    document.Build(lines, table);
    EXPECT_EQ(list.Footer.CaptionLeft.Caption, "Стр. {PAGE} из {NUMPAGES}");
    ASSERT_EQ(list.FooterLayout(1).Captions.size(), 2u);
    EXPECT_EQ(list.FooterLayout(1).Captions[0].Text, "Стр. 1 из 1");

    list.Margins.Left.SetInches(3.5L);  // a band of 8.27 - 3.5 - 0.5 inches
    document.Build(lines, table);
    EXPECT_EQ(list.Footer.CaptionLeft.Caption, "");
    const print::TPvBandLayout footer = list.FooterLayout(1);
    ASSERT_EQ(footer.Captions.size(), 1u);
    EXPECT_EQ(footer.Captions[0].Index, 2);
}

TEST_F(PrintWindowTest, ThePaymentInputModePrintsItsPayments) {
    typeLoan("12000", "12", "12");
    find<QDateEdit>("DateTimePicker1")->setDate(QDate(2005, 1, 10));
    click("Button2");
    find<QDateEdit>("DateTimePicker2")->setDate(QDate(2005, 2, 10));
    auto* amount = find<QLineEdit>("SpinEdit4");
    amount->setFocus();
    amount->selectAll();
    QTest::keyClicks(amount, "1500");
    click("RadioButton1");
    click("Button4");
    ASSERT_EQ(form().NextRow, 2);
    openPrintWindow([&](gui::TForm2& printWindow) {
        std::vector<std::string> texts;
        for (const auto& object : pages(printWindow).Page(1).Objects())
            if (auto* text = dynamic_cast<const print::TPvTextBoxObject*>(object.get()))
                texts.push_back(text->Text);
        ASSERT_GE(texts.size(), 14u);
        EXPECT_EQ(texts[0], "№");
        EXPECT_EQ(texts[6], "Тип платежа");
        EXPECT_EQ(texts[7], "1");
    });
}

TEST_F(PrintWindowTest, CancellingThePrintDialogClosesTheWindow) {
    computeSchedule("12");
    openPrintWindow([&](gui::TForm2& printWindow) {
        printWindow.Button1->click();  // the dialog opens and is cancelled
        EXPECT_FALSE(printWindow.isVisible());
    });
    ASSERT_EQ(modals.seen.size(), 2u);
    EXPECT_NE(modals.seen[1].title, "Вывод на печать ");
}

TEST_F(PrintWindowTest, ConfirmingThePrintDialogPrintsEveryPageAndCloses) {
    computeSchedule("120");
    const QString file = programFolder.filePath("printed.pdf");
    openPrintWindow([&](gui::TForm2& printWindow) {
        printWindow.PrintDialog1 = [&](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setCopyCount(2);
            return true;
        };
        printWindow.Button1->click();
        EXPECT_FALSE(printWindow.isVisible());
        EXPECT_EQ(printWindow.PvPreview1->PvPrinter().PrintCopies(), 2);
    });
    QFile printed(file);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.read(5) == "%PDF-");
}

// The printed PDF's pages by the number in their footers ("Стр. 2 из 3" gives 2).
std::vector<int> printedPageNumbers(const QString& pdf) {
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    process.waitForFinished(30000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<int> numbers;
    static const QRegularExpression number("Стр\\. (\\d+) из \\d+");
    for (auto it = number.globalMatch(text); it.hasNext();)
        numbers.push_back(it.next().captured(1).toInt());
    return numbers;
}

TEST_F(PrintWindowTest, TheDialogsRangeCopiesAndColourAreWhatIsPrinted) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    computeSchedule("120");
    const QString file = programFolder.filePath("printed.pdf");
    QPrinter* used = nullptr;
    openPrintWindow([&](gui::TForm2& printWindow) {
        printWindow.PrintDialog1 = [&](QPrinter& printer, QWidget*) {
            used = &printer;
            EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
            EXPECT_EQ(printer.fromPage(), 1);
            EXPECT_EQ(printer.toPage(), 3);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 2);
            printer.setCopyCount(2);
            printer.setCollateCopies(true);
            printer.setColorMode(QPrinter::GrayScale);
            return true;
        };
        printWindow.Button1->click();
    });
    ASSERT_NE(used, nullptr);
    EXPECT_EQ(printedPageNumbers(file), (std::vector<int>{2, 2}));
    EXPECT_EQ(used->colorMode(), QPrinter::GrayScale);
    EXPECT_TRUE(used->collateCopies());

    // Pages 1 to 2 twice, collated, then uncollated; then the page shown alone.
    const auto printWith = [&](bool collate, QPrinter::PrintRange range) {
        openPrintWindow([&](gui::TForm2& printWindow) {
            printWindow.PvPreview1->SetCurrentPage(1);
            printWindow.PrintDialog1 = [&](QPrinter& printer, QWidget*) {
                printer.setPrintRange(range);
                printer.setFromTo(1, 2);
                printer.setCollateCopies(collate);
                return true;
            };
            printWindow.Button1->click();
        });
        return printedPageNumbers(file);
    };
    EXPECT_EQ(printWith(true, QPrinter::PageRange), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(printWith(false, QPrinter::PageRange), (std::vector<int>{1, 1, 2, 2}));
    EXPECT_EQ(printWith(false, QPrinter::CurrentPage), (std::vector<int>{1, 1}));
}

TEST_F(PrintWindowTest, ThePrintDialogOffersThePagesOfTheDocument) {
    computeSchedule("120");
    bool answered = false;
    openPrintWindow([&](gui::TForm2& printWindow) {
        modals.replies.push_back([&](QWidget* widget) {
            auto* dialog = qobject_cast<QPrintDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << widget->metaObject()->className();
            EXPECT_EQ(dialog->minPage(), 1);
            EXPECT_EQ(dialog->maxPage(), 3);
            EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
            EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintCollateCopies));
            EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
            answered = true;
            dialog->reject();
        });
        printWindow.Button1->click();
    });
    EXPECT_TRUE(answered);
}

// A font engine that cannot measure the table's 8-point fonts (the bands still can).
class TableFontsFail : public print::TPvTextMeasurer {
  public:
    print::TPvExtended TextWidth(const print::TPvFont& font, std::string_view text,
                                 int dpi) const override {
        check(font);
        return engine_->TextWidth(font, text, dpi);
    }
    print::TPvExtended LineHeight(const print::TPvFont& font, int dpi) const override {
        check(font);
        return engine_->LineHeight(font, dpi);
    }
    print::TPvExtended Ascent(const print::TPvFont& font, int dpi) const override {
        check(font);
        return engine_->Ascent(font, dpi);
    }
    std::vector<print::TPvExtended> CharAdvances(const print::TPvFont& font, std::string_view text,
                                                 int dpi) const override {
        check(font);
        return engine_->CharAdvances(font, text, dpi);
    }

  private:
    static void check(const print::TPvFont& font) {
        if (font.Size == 8)
            throw print::TPvError("no such font");
    }
    std::shared_ptr<const print::TPvTextMeasurer> engine_ = print::QtTextMeasurer();
};

TEST_F(PrintWindowTest, AFailedBuildIsReportedAndTheWindowClosesItself) {
    computeSchedule("12");
    openPrintWindow([](gui::TForm2&) {});
    pages(*window->printWindow()).SetMeasurer(std::make_shared<TableFontsFail>());
    modals.seen.clear();
    modals.forgetCurrent();
    item("N9")->trigger();
    EXPECT_FALSE(window->printWindow()->isVisible());
    EXPECT_TRUE(window->printWindow()->CloseOnPaint);
    ASSERT_FALSE(modals.seen.empty());
    EXPECT_EQ(modals.seen[0].title, "Ошибка!!!");
    EXPECT_EQ(modals.seen[0].text, "Не найден принтер!!!");
    pages(*window->printWindow()).SetMeasurer(print::QtTextMeasurer());
}

}  // namespace
