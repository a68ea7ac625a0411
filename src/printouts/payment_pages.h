#pragma once

// The printed payment document: the loan-information lines and the schedule table laid
// out as pages, as the print window shows them and as the command line writes them into
// a PDF. The document's settings (paper, margins, header and footer, printer) and the two
// producers PvGridPrint1 and PvRtfPreview1 are those of the print window.

#include <array>
#include <string>

#include "printouts/grid_print.h"
#include "loan/schedule_table.h"
#include "print/page_list.h"
#include "print/text_pages.h"

namespace gui {

inline constexpr const char* kPrintJobTitle = "Платежи по кредиту";
inline constexpr const char* kPageHeaderCaption = "Информация по кредиту.";
inline constexpr const char* kDesignHeaderCaption = "Печать платежей";
inline constexpr const char* kFooterProgramName = "Ссудомер 2.0";
// The page number, left in the footer of every page where the band has room for it.
inline constexpr const char* kPageNumberCaption = "Стр. {PAGE} из {NUMPAGES}";

// Where the table stands on its pages: 1.0 inch from the left edge, 1.4 inches from the
// top, 6.0 inches wide.
inline constexpr print::TPvExtended kTableLeft = 1.0L;
inline constexpr print::TPvExtended kTableTop = 1.4L;
inline constexpr print::TPvExtended kTableWidth = 6.0L;

// "Стр. 2 из 5": page `page` of `count`, as the footer and the print window show it.
std::string PageNumberText(int page, int count);

// "Ссудомер 2.0" immediately followed by the notice the program keeps enciphered.
std::string FooterCaption();

// The font with the Cyrillic character set.
print::TPvFont Cyrillic(print::TPvFont font);

// The settings every printed document of the program shares: A4 portrait, margins of half
// an inch, the header and footer bands with their fonts, and the printer's, `jobTitle`
// naming the print job.
void ConfigureDocument(print::TPvPageList& pages, const char* jobTitle);
// The table's settings: cells centred, Arial 8 pt, the title row in Times New Roman 8 pt.
void ConfigureTablePrint(print::TPvAbstractGridPrint& table, print::TPvPageList& pages);
// The text above the table: Courier New 10 pt.
void ConfigureTextPrint(print::TPvRtfPreview& text, print::TPvPageList& pages);
// The start of a build: every page dropped, the header's centre caption and the footer's
// program caption set.
void StartDocument(print::TPvPageList& pages, const char* headerCaption);
// The end of a build: every page numbered in its footer when the band has room for it.
void NumberPages(print::TPvPageList& pages);

class PaymentPages {
  public:
    // Gives the document the print window's settings. Its font engine should be installed
    // first, so that the producers fix their reserves from the bands at once.
    explicit PaymentPages(print::TPvPageList& pages);

    // Rebuilds the document: every page dropped, the captions set, the four lines on page
    // 1, then the table from 1.0 / 1.4 inches, 6.0 inches wide, over as many pages as it
    // needs, each page numbered in its footer when the band has room. The document's last
    // page is current afterwards.
    void Build(const std::array<std::string, 4>& loanInformation, const loan::ScheduleTable& table);

    print::TPvPageList& pages() { return pages_; }

    TPvGridPrint PvGridPrint1;
    print::TPvRtfPreview PvRtfPreview1;

  private:
    print::TPvPageList& pages_;
};

}  // namespace gui
