// The message boxes and small dialogs as they are seen: whole lines, whole captions, Enter
// on "OK", and the About box's link; with the annuity of a mortgage computed on the way.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "gui/forecast_dialog.h"
#include "gui/help_window.h"
#include "window_fixture.h"

namespace {

using gui_testing::WindowTest;

// Room a caption needs in a window: its width in a title bar's bold face and some for the
// window manager's icon and buttons.
int widthForCaption(const QString& caption) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(caption) + 100;
}

class DialogFitTest : public WindowTest {
  protected:
    // Looks at the next message box as it is shown, then presses OK.
    void lookAtMessageBox() {
        modals.replies.push_back([this](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr);
            auto* label = box->findChild<QLabel*>("qt_msgbox_label");
            ASSERT_NE(label, nullptr);
            const QFontMetrics metrics(label->font());
            widestLine = 0;
            for (const QString& line : box->text().split('\n'))
                widestLine = std::max(widestLine, metrics.horizontalAdvance(line));
            labelWidth = label->contentsRect().width();
            boxWidth = box->width();
            box->button(QMessageBox::Ok)->click();
        });
    }

    int widestLine = 0;
    int labelWidth = 0;
    int boxWidth = 0;
};

// 15 000 000 at 12 % over 60 months: an annuity of 333 667, once stopped at 100 000, and a
// message whose five lines were each wrapped in two.
TEST_F(DialogFitTest, AMortgageAnnuityIsSuggestedInWholeLinesAndComputed) {
    typeLoan("15000000", "12", "60");
    click("RadioButtonB");
    lookAtMessageBox();
    click("Button1");
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].text.count('\n'), 4);
    EXPECT_TRUE(modals.seen[0].text.contains("должна быть равна 333667,00 для кредитов,"));
    EXPECT_GE(labelWidth, widestLine);  // no line wrapped
    EXPECT_LE(boxWidth, window->screen()->availableGeometry().width());

    EXPECT_EQ(find<QLineEdit>("SpinEdit5")->text(), "333667");
    click("Button1");
    EXPECT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(cell(6, 1), "333667,00");
    EXPECT_EQ(cell(3, 1), "183667,00");
    EXPECT_EQ(text("Label11"), "0,00");
}

TEST_F(DialogFitTest, CaptionsFitTheirWindows) {
    typeLoan("12000", "12", "12");
    click("Button1");
    lookAtMessageBox();
    item("FullCost1")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "Полная стоимость кредита");
    EXPECT_GE(boxWidth, widthForCaption(modals.seen[0].title));

    QWidget* settings = window->forecastSettings();
    EXPECT_EQ(settings->windowTitle(), "Настройка прогнозирования");
    EXPECT_GE(settings->width(), widthForCaption(settings->windowTitle()));
    // "OK" keeps its place at the right edge.
    auto* ok = settings->findChild<QPushButton*>("Button1");
    EXPECT_EQ(settings->width() - ok->geometry().right(), 16);
}

TEST_F(DialogFitTest, EnterPressesOkInTheForecastSettings) {
    struct Closing {
        bool fromAmount;
        bool closed = false;
    };
    for (Closing closing : {Closing{true}, Closing{false}}) {
        modals.forgetCurrent();
        modals.replies.push_back([&closing](QWidget* dialog) {
            QTest::mouseClick(dialog->findChild<QRadioButton*>("RadioButton3"), Qt::LeftButton);
            QWidget* focus = dialog->findChild<QRadioButton*>("RadioButton3");
            if (closing.fromAmount) {
                auto* amount = dialog->findChild<QLineEdit*>("FloatSpinEdit1");
                amount->setFocus();
                amount->selectAll();
                QTest::keyClicks(amount, "2500.5");
                focus = amount;
            }
            QTest::keyClick(focus, Qt::Key_Return);
            closing.closed = !dialog->isVisible();
            if (dialog->isVisible())
                QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        });
        item(closing.fromAmount ? "N12" : "N20")->trigger();
        EXPECT_TRUE(closing.closed) << (closing.fromAmount ? "from the amount" : "from a choice");
    }
    EXPECT_EQ(form().Form3.FloatSpinEdit1.Text, "2500,5");  // Enter rewrote it on the way
}

TEST_F(DialogFitTest, TheAboutBoxLinksToTheHelpInsteadOfADeadAddress) {
    form().ProgramPath = SSUDOMER_PROGRAM_DIR "/ssudomer";
    QStringList buttons;
    modals.replies.push_back([&buttons](QWidget* about) {
        for (auto* button : about->findChildren<QAbstractButton*>()) buttons << button->text();
        if (auto* link = about->findChild<QPushButton*>("HelpLink"))
            link->click();
        else
            QMetaObject::invokeMethod(about, "reject", Qt::QueuedConnection);
    });
    item("N8")->trigger();
    ASSERT_EQ(modals.seen.size(), 1u);
    EXPECT_EQ(modals.seen[0].title, "О программе...");
    for (const QString& caption : buttons) {
        EXPECT_FALSE(caption.contains('@')) << caption.toStdString();
    }
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
}

}  // namespace
