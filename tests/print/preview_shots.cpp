// Photographs of the preview control showing a sample document, and the same document as a
// PDF, for a person to look at:
//   print_preview_shots OUTDIR            writes preview_30.png, preview_100.png, pages.pdf
//   print_preview_shots --interactive     shows the control until it is closed; "+" and
//                                         "-" zoom, "n" and "p" turn the pages
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QShortcut>

#include <cstdio>

#include "print/pdf_output.h"
#include "print/preview.h"
#include "sample_document.h"
#include "storage/file_error.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const bool interactive = arguments.contains("--interactive");

    print::TPvPreview preview;
    preview.setWindowTitle("TPvPreview");
    preview.resize(329, 401);
    preview.SetMinZoom(30);
    preview.SetMaxZoom(100);
    preview.SetZoom(30);
    print::testing::BuildSampleDocument(preview.PageList(), 3, 280);
    preview.SetCurrentPage(1);
    preview.show();
    if (interactive) {
        const auto key = [&](const char* sequence, auto action) {
            QObject::connect(new QShortcut(QKeySequence(sequence), &preview), &QShortcut::activated,
                             &preview, action);
        };
        key("+", [&] { preview.ZoomIn(); });
        key("-", [&] { preview.ZoomOut(); });
        key("n", [&] { preview.NextPage(); });
        key("p", [&] { preview.PrevPage(); });
        return application.exec();
    }

    if (arguments.size() < 2)
        return 64;
    const QDir folder(arguments.last());
    folder.mkpath(".");
    bool written = preview.grab().save(folder.filePath("preview_30.png"));
    preview.SetZoom(100);
    written &= preview.grab().save(folder.filePath("preview_100.png"));
    try {
        print::WritePdfFile(preview.PageList(),
                            QFile::encodeName(folder.filePath("pages.pdf")).toStdString(),
                            "sample");
    } catch (const storage::FileError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        written = false;
    }
    return written ? 0 : 1;
}
