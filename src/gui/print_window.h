#pragma once

// The print window (TForm2, "Вывод на печать "): a document as printable pages, with paging,
// zoom and printing. Each showing rebuilds the pages from the state the document reads; one
// instance serves every showing. The main window's shows the payment schedule.

#include <functional>
#include <memory>

#include <QDialog>

#include "app/main_form.h"
#include "printouts/payment_pages.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace print {
class TPvPageList;
class TPvPreview;
}  // namespace print

namespace gui {

// What a print window shows: a document laid out on the window's pages.
class PrintedDocument {
  public:
    virtual ~PrintedDocument() = default;
    // Lays the whole document out again from the state it reads.
    virtual void Build() = 0;
    // Whether each showing starts at the top of page 1; otherwise it shows the page the
    // layout ended on, the last.
    virtual bool OpensOnFirstPage() const { return false; }
};
// Makes the document over the window's pages (their font engine already installed).
using PrintedDocumentMaker =
    std::function<std::unique_ptr<PrintedDocument>(print::TPvPageList& pages)>;

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    // The payments of the main window ("Печать платежей").
    TForm2(const app::MainForm& form, QWidget* owner);
    TForm2(const PrintedDocumentMaker& makeDocument, QWidget* owner);
    ~TForm2() override;

    print::TPvPreview* PvPreview1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Печать"
    QPushButton* Button2 = nullptr;  // "Закрыть"
    QPushButton* Button3 = nullptr;  // "Предыдущая"
    QPushButton* Button4 = nullptr;  // "Следующая"
    QPushButton* Button5 = nullptr;  // "+"
    QPushButton* Button6 = nullptr;  // "-"
    QPushButton* Button7 = nullptr;  // "fit"
    // "Стр. N из M": the page shown and the document's page count.
    QLabel* PageNumberLabel = nullptr;

    // Set when building the pages failed: the next paint closes the window.
    bool CloseOnPaint = false;

    // The system's print dialog on a printer; true when the person confirmed. Tests may
    // put their own in its place.
    std::function<bool(QPrinter& printer, QWidget* parent)> PrintDialog1;

    void FormShow();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildControls();
    // The page view takes every change of the window's size; the buttons and the page
    // number keep their distance from the right edge and the top.
    void placeControls();
    void showPageNumber();
    void FormPaint();

    std::unique_ptr<PrintedDocument> document_;
};

}  // namespace gui
