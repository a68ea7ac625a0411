#include "gui/about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "gui/app_icon.h"

namespace gui {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("AboutBox");
    setWindowTitle("О программе...");
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(299, 192);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(8, 8, 283, 143);

    auto* icon = new QLabel(frame);
    icon->setPixmap(ProgramIcon().pixmap(35, 35));
    icon->setScaledContents(true);
    icon->setGeometry(8, 8, 35, 35);

    auto* product = new QLabel("Ссудомер", frame);
    QFont productFont = font();
    productFont.setPointSize(12);
    productFont.setBold(true);
    product->setFont(productFont);
    product->setGeometry(56, 12, 210, 22);

    auto* version = new QLabel("Версия 2.0", frame);
    version->setGeometry(56, 40, 210, 16);

    auto* credits = new QLabel(
        "Расчет графика погашения кредита,\nучет платежей и прогноз их окончания.", frame);
    credits->setObjectName("Credits");
    credits->setWordWrap(true);
    credits->setGeometry(8, 66, 267, 40);

    // The program has no mail address of its own to offer, so the link leads to what it
    // does have: its help.
    auto* link = new QPushButton("Справка по программе (F1)", frame);
    link->setObjectName("HelpLink");
    link->setFlat(true);
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet("QPushButton { color: blue; text-decoration: underline; border: none; }");
    link->setGeometry(8, 112, 267, 22);
    connect(link, &QPushButton::clicked, this, [this] {
        accept();
        emit helpRequested();
    });

    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    ok->setGeometry(112, 159, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace gui
