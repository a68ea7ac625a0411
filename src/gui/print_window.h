#pragma once

// The print window (TForm2, "Вывод на печать "): the payment schedule of the main window as
// printable pages, with paging, zoom and printing. Each showing rebuilds the pages from
// the main window's current state; one instance serves every showing.

#include <functional>
#include <memory>

#include <QDialog>

#include "app/main_form.h"
#include "gui/payment_pages.h"

class QLabel;
class QPrinter;
class QPushButton;

namespace print {
class TPvPreview;
}

namespace gui {

class TForm2 : public QDialog {
    Q_OBJECT

  public:
    TForm2(const app::MainForm& form, QWidget* owner);
    ~TForm2() override;

    print::TPvPreview* PvPreview1 = nullptr;
    QPushButton* Button1 = nullptr;  // "Печать"
    QPushButton* Button2 = nullptr;  // "Закрыть"
    QPushButton* Button3 = nullptr;  // "Предыдушая"
    QPushButton* Button4 = nullptr;  // "Следующая"
    QPushButton* Button5 = nullptr;  // "+"
    QPushButton* Button6 = nullptr;  // "-"
    QPushButton* Button7 = nullptr;  // "fit"
    // "Стр. N из M": the page shown and the document's page count.
    QLabel* PageNumberLabel = nullptr;

    TPvGridPrint& PvGridPrint1() { return pages_->PvGridPrint1; }
    print::TPvRtfPreview& PvRtfPreview1() { return pages_->PvRtfPreview1; }

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

  private:
    void buildControls();
    void showPageNumber();
    void FormPaint();

    const app::MainForm& form_;
    std::unique_ptr<PaymentPages> pages_;
};

}  // namespace gui
