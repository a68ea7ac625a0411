#include "print/pdf_output.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <utility>

#include "text/errors.h"
#include "print/replay.h"
#include "storage/file_error.h"
#include "storage/safe_file_writer.h"

namespace print {

namespace {

QPageLayout LayoutOf(const TPvPage& page) {
    // The page's own size, portrait: the orientation turns it.
    const bool landscape = page.Orientation == pvLandscape;
    const TPvExtended width = landscape ? page.Height : page.Width;
    const TPvExtended height = landscape ? page.Width : page.Height;
    const QPageSize size(QSizeF(double(width * 25.4L), double(height * 25.4L)),
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
}

// The guarded writer's stream as the device the PDF engine writes to, from start to end.
class GuardedFileDevice : public QIODevice {
  public:
    explicit GuardedFileDevice(storage::SafeFileStream& file) : file_(file) {
        open(QIODevice::WriteOnly);
    }
    bool WriteFailed() const { return failed_; }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        // The stream only appends: a writer that went back could not be followed.
        failed_ = failed_ || pos() != written_ ||
                  !file_.Write(std::string_view(data, static_cast<std::size_t>(size)));
        if (failed_)
            return -1;
        written_ += size;
        return size;
    }

  private:
    storage::SafeFileStream& file_;
    qint64 written_ = 0;
    bool failed_ = false;
};

// The PDF engine gave up without a failed write to say why.
[[noreturn]] void failToMake(const std::string& path) {
    throw storage::FileError("Файл \"" + loan::Excerpt(storage::FileNameOf(path)) +
                             "\" не записан: страницы не удалось вывести в PDF.");
}

// Writes what `write` puts on the device into the file, or throws.
void WriteGuarded(const std::string& path, const std::function<bool(QIODevice&)>& write) {
    storage::SafeFileStream file(path);
    GuardedFileDevice device(file);
    const bool written = write(device);
    if (!written && !device.WriteFailed())
        failToMake(path);
    file.Commit();  // reports a failed write too
}

}  // namespace

TPvPdfDocument::TPvPdfDocument(QIODevice& device, const QString& title)
    : writer_(std::make_unique<QPdfWriter>(&device)), painter_(std::make_unique<QPainter>()) {
    writer_->setResolution(kPdfResolution);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Ссудомер 2.0"));
    failed_ = device.isOpen() && !device.isWritable();
}

TPvPdfDocument::~TPvPdfDocument() {
    if (painter_->isActive())
        painter_->end();
}

bool TPvPdfDocument::AddPage(const TPvPageList& pages, int n) {
    if (failed_)
        return false;
    writer_->setPageLayout(LayoutOf(pages.Page(n)));
    if (added_ == 0)
        failed_ = !painter_->begin(writer_.get());
    else
        failed_ = !writer_->newPage();
    if (failed_)
        return false;
    ++added_;
    const TPvDeviceResolution resolution{kPdfResolution, kPdfResolution};
    ReplayPage(*painter_, pages, n, resolution, true);
    return true;
}

bool TPvPdfDocument::Finish() {
    if (!failed_ && added_ == 0)
        failed_ = !painter_->begin(writer_.get());
    if (failed_)
        return false;
    return painter_->end();
}

bool WritePdf(const TPvPageList& pages, QIODevice& device, const QString& title, int from, int to) {
    from = std::clamp(from, 1, pages.PageCount());
    to = std::clamp(to, 1, pages.PageCount());
    const int step = from <= to ? 1 : -1;
    TPvPdfDocument pdf(device, title);
    for (int n = from;; n += step) {
        if (!pdf.AddPage(pages, n))
            return false;
        if (n == to)
            break;
    }
    return pdf.Finish();
}

void WritePdfFile(const TPvPageList& pages, const std::string& path, const QString& title) {
    WriteGuarded(path, [&](QIODevice& device) {
        return WritePdf(pages, device, title, 1, pages.PageCount());
    });
}

void StreamPdfFile(TPvPageList& pages, const std::function<void()>& layOut, const std::string& path,
                   const QString& title) {
    // Whatever happens, the page list is left as an ordinary one.
    struct Restore {
        TPvPageList& pages;
        std::function<TPvTokenValues(int, int)> tokens = pages.TokenValues;
        ~Restore() {
            pages.StreamPagesTo(nullptr);
            pages.TokenValues = tokens;
        }
    } restore{pages};

    WriteGuarded(path, [&](QIODevice& device) {
        pages.StreamPagesTo([](int) {});
        layOut();
        const int total = pages.PageCount();
        pages.TokenValues = [&restore, total](int page, int) {
            return restore.tokens ? restore.tokens(page, total) : CurrentTokenValues(page, total);
        };

        // A document kept whole is drawn with the bands its producers left at the end (they
        // may fill a caption in once the pages are counted): so is each page handed on.
        const TPvHeader header = pages.Header;
        const TPvFooter footer = pages.Footer;

        TPvPdfDocument pdf(device, title);
        bool written = true;
        pages.StreamPagesTo([&](int n) {
            const TPvHeader layingHeader = std::exchange(pages.Header, header);
            const TPvFooter layingFooter = std::exchange(pages.Footer, footer);
            written = written && pdf.AddPage(pages, n);
            pages.Header = layingHeader;
            pages.Footer = layingFooter;
        });
        layOut();
        pages.FinishPages();
        return pdf.Finish() && written;
    });
}

}  // namespace print
