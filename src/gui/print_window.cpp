#include "gui/print_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>

#include <exception>

#include "app/loan_information.h"
#include "gui/fonts.h"
#include "print/preview.h"
#include "print/qt_print_service.h"
#include "print/qt_text_measurer.h"

namespace gui {

namespace {

constexpr const char* kCaption = "Вывод на печать ";
constexpr int kClientWidth = 496;
constexpr int kClientHeight = 431;
constexpr int kZoom = 30;
constexpr int kMinZoom = 30;
constexpr int kMaxZoom = 100;

// The main window's payments: the four loan lines and the schedule table.
class PaymentDocument : public PrintedDocument {
  public:
    PaymentDocument(const app::MainForm& form, print::TPvPageList& pages)
        : form_(form), pages_(pages) {}

    void Build() override {
        // The four lines go to the text pages directly; no file is staged for them.
        pages_.Build(app::LoanInformationLines(form_), form_.StringGrid1);
    }

  private:
    const app::MainForm& form_;
    PaymentPages pages_;
};

}  // namespace

TForm2::TForm2(const app::MainForm& form, QWidget* owner)
    : TForm2(
          [&form](print::TPvPageList& pages) {
              return std::make_unique<PaymentDocument>(form, pages);
          },
          owner) {}

TForm2::TForm2(const PrintedDocumentMaker& makeDocument, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    // The system's dialog offers every page, a range of them or the page shown, and copies
    // collated or not; Button1Click prints what it chose.
    PrintDialog1 = [this](QPrinter& printer, QWidget* parent) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, PvPreview1->PageCount());
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        dialog.setOption(QAbstractPrintDialog::PrintCollateCopies);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
        return dialog.exec() == QDialog::Accepted;
    };
    setObjectName("Form2");
    setWindowTitle(kCaption);
    setFont(WindowFont());
    // At its first size the page shows whole at 30 %; a larger window shows more of it at
    // the larger zooms.
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    setSizeGripEnabled(true);
    buildControls();
    print::InstallMessageBoxReport();
    PvPreview1->PageList().SetMeasurer(print::QtTextMeasurer());
    document_ = makeDocument(PvPreview1->PageList());
}

TForm2::~TForm2() = default;

void TForm2::buildControls() {
    PvPreview1 = new print::TPvPreview(this);
    PvPreview1->setObjectName("PvPreview1");
    PvPreview1->SetMaxZoom(kMaxZoom);
    PvPreview1->SetMinZoom(kMinZoom);
    PvPreview1->SetZoom(kZoom);
    PvPreview1->PageGrid.GridPen = {print::clSilver, 1, print::pvPenInsideFrame, print::pvModeCopy};

    const auto button = [this](const char* name, const char* caption,
                               void (TForm2::*handler)()) {
        auto* pushButton = new QPushButton(QString::fromUtf8(caption), this);
        pushButton->setObjectName(name);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return pushButton;
    };
    Button1 = button("Button1", "Печать", &TForm2::Button1Click);
    Button2 = button("Button2", "Закрыть", &TForm2::Button2Click);
    Button3 = button("Button3", "Предыдущая", &TForm2::Button3Click);
    Button4 = button("Button4", "Следующая", &TForm2::Button4Click);
    Button5 = button("Button5", "+", &TForm2::Button5Click);
    Button6 = button("Button6", "-", &TForm2::Button6Click);
    Button7 = button("Button7", "fit", &TForm2::Button7Click);

    PageNumberLabel = new QLabel(this);
    PageNumberLabel->setObjectName("PageNumberLabel");
    PageNumberLabel->setAlignment(Qt::AlignCenter);
    PvPreview1->OnPageChanged = [this] { showPageNumber(); };

    setTabOrder(PvPreview1, Button1);
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button5);
    setTabOrder(Button5, Button6);
    setTabOrder(Button6, Button7);
    placeControls();
}

void TForm2::placeControls() {
    // The places at the first size; the right column moves by the window's extra width.
    const int dx = width() - kClientWidth;
    const int dy = height() - kClientHeight;
    PvPreview1->setGeometry(24, 20, 329 + dx, 401 + dy);
    const std::pair<QWidget*, QRect> column[] = {
        {Button1, {364, 184, 121, 29}},        {Button2, {364, 224, 121, 29}},
        {Button3, {364, 77, 121, 29}},         {Button4, {364, 120, 121, 29}},
        {Button5, {360, 16, 33, 33}},          {Button6, {408, 16, 33, 33}},
        {Button7, {456, 16, 33, 33}},          {PageNumberLabel, {364, 153, 121, 25}},
    };
    for (const auto& [control, place] : column) control->setGeometry(place.translated(dx, 0));
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (PvPreview1)
        placeControls();
}

void TForm2::showEvent(QShowEvent* event) {
    // A spontaneous show is the window system mapping the window again (restored from
    // minimised, alone or with the main window): the pages, the page shown and the place
    // stay as they were. Only a showing asked for by the program rebuilds.
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
    FormShow();
}

void TForm2::FormShow() {
    CloseOnPaint = false;
    try {
        document_->Build();
        if (document_->OpensOnFirstPage()) {
            PvPreview1->SetCurrentPage(1);
            PvPreview1->horizontalScrollBar()->setValue(0);
            PvPreview1->verticalScrollBar()->setValue(0);
        }
    } catch (const std::exception&) {
        QMessageBox box(QMessageBox::NoIcon, "Ошибка!!!", "Не найден принтер!!!", QMessageBox::Ok);
        box.exec();
        CloseOnPaint = true;
    }
    showPageNumber();
    update();
}

void TForm2::showPageNumber() {
    PageNumberLabel->setText(
        QString::fromStdString(PageNumberText(PvPreview1->CurrentPage(), PvPreview1->PageCount())));
}

void TForm2::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    FormPaint();
}

void TForm2::FormPaint() {
    if (CloseOnPaint)
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
}

void TForm2::Button1Click() {
    // The dialog configures the very printer the job goes to (a system printer or a PDF
    // file). It opens on every page of this document, whatever range was chosen last; its
    // copies, collation, colour and duplex are kept for the job, and its range printed.
    QPrinter& printer = PvPreview1->PrintService().Printer();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(1, PvPreview1->PageCount());
    if (PrintDialog1(printer, this)) {
        print::TakePrinterChoices(printer, PvPreview1->PvPrinter());
        const print::TPvPageRange range =
            print::ChosenPages(printer, PvPreview1->PageCount(), PvPreview1->CurrentPage());
        PvPreview1->PrintPages(range.From, range.To);
    }
    close();
}

void TForm2::Button2Click() {
    close();
}

void TForm2::Button3Click() {
    PvPreview1->PrevPage();
}

void TForm2::Button4Click() {
    PvPreview1->NextPage();
}

void TForm2::Button5Click() {
    PvPreview1->ZoomIn();
}

void TForm2::Button6Click() {
    PvPreview1->ZoomOut();
}

void TForm2::Button7Click() {
    PvPreview1->SetZoom(kZoom);
    PvPreview1->PageGrid.GridPen = {print::clSilver, 1, print::pvPenInsideFrame, print::pvModeCopy};
}

}  // namespace gui
