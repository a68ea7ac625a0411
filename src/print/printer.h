#pragma once

// Print settings and the flow of one print job. The settings live in the object and are
// handed to the print service when a job starts; the service (a Qt printer, a PDF file,
// a test recorder) does the device work.

#include <functional>
#include <memory>
#include <string>

#include "print/paper.h"

namespace print {

class TPvPageList;

enum TPvDuplex { pvSimplex, pvHorzDuplex, pvVertDuplex };
enum TPvPrintColor { pvColor, pvMonochrome };
enum TPvDitherType { pvNone, pvCourse, pvFine, pvLineArt, pvGrayScale };
enum TPvPrintQuality { pvDraft, pvLow, pvMedium, pvHigh };
enum TPvPagesPerSheet { pvOnePage, pvTwoPage, pvFourPage };

struct TPvPrinterSettings {
    int Copies = 1;
    bool Collate = false;
    TPvPrintQuality Quality = pvMedium;
    TPvPrintColor Color = pvColor;
    TPvDuplex Duplex = pvSimplex;
    TPvDitherType Dither = pvNone;
    std::string PaperSize = "A4";
    TPvOrientation Orientation = pvPortrait;
    TPvPagesPerSheet PagesPerSheet = pvOnePage;
    std::string Title = "<document>";
};

// One running job on a device.
class TPvPrintJob {
  public:
    virtual ~TPvPrintJob() = default;
    // Replays a page of the list onto the current sheet, clipped to the page or, with
    // `clipToMargins`, to the page inside the margins.
    virtual void PrintPage(const TPvPageList& pages, int pageNumber, bool clipToMargins) = 0;
    // Ends the printed sheet and starts the next one in the given orientation.
    virtual void NewSheet(TPvOrientation orientation) = 0;
    // Ends the job; gives false when the output could not be completed.
    virtual bool End() = 0;
    // The copies the job has to print page by page itself because the device makes only
    // one of each sheet (a PDF file); 1 when the device makes the copies it was asked for.
    virtual int OwnCopies() const { return 1; }
};

class TPvPrintService {
  public:
    virtual ~TPvPrintService() = default;
    // Whether there is any printer (or other target) to print on.
    virtual bool PrinterAvailable() const = 0;
    // Opens the device and starts a job, or gives null when no device can be opened.
    virtual std::unique_ptr<TPvPrintJob> BeginJob(const TPvPrinterSettings& settings) = 0;
    // The unprintable left and top edges of the current printer's paper, in inches.
    virtual TPvExtended PrinterOffsetX() const { return 0; }
    virtual TPvExtended PrinterOffsetY() const { return 0; }
};

class TPvPrinter {
  public:
    // Writes are ignored and reads give the defaults while there is no printer.
    int PrintCopies() const;
    void SetPrintCopies(int copies);
    bool Collate() const;
    void SetCollate(bool collate);
    TPvPrintQuality PrintQuality() const;
    void SetPrintQuality(TPvPrintQuality quality);
    TPvPrintColor PrintColor() const;
    void SetPrintColor(TPvPrintColor color);
    TPvDuplex Duplex() const;
    void SetDuplex(TPvDuplex duplex);
    void SetDitherType(TPvDitherType dither);

    std::string Title = "<document>";
    bool ReversePrintOrder = false;  // kept, not acted upon

    // The service jobs go to; without one there is no printer.
    void SetPrintService(std::shared_ptr<TPvPrintService> service);
    TPvPrintService* PrintService() const { return service_.get(); }
    bool PrinterAvailable() const;

    // The settings a job starts with (paper and orientation included).
    const TPvPrinterSettings& Settings() const { return settings_; }
    void SetPaper(const std::string& paperSize, TPvOrientation orientation,
                  TPvPagesPerSheet pagesPerSheet);

    bool Printing() const { return job_ != nullptr; }
    int SheetCount() const { return sheets_; }

    // Starts a job: false (with the message when no device opens) when none started.
    bool BeginDoc();
    void NewSheet(TPvOrientation orientation);
    bool EndDoc();
    TPvPrintJob* Job() const { return job_.get(); }

    std::function<void()> BeforePrint;
    std::function<void()> AfterPrint;
    std::function<void()> OnAbortPrint;
    std::function<void()> OnChangePrinter;

  private:
    template <class Field, class Value>
    void Write(Field TPvPrinterSettings::*field, Value value);
    template <class Field>
    Field Read(Field TPvPrinterSettings::*field) const;

    TPvPrinterSettings settings_;
    std::shared_ptr<TPvPrintService> service_;
    std::unique_ptr<TPvPrintJob> job_;
    int sheets_ = 0;
};

}  // namespace print
