#pragma once

// A shown main window under the "," locale, and a helper that answers the modal boxes it
// opens.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <ostream>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/main_window.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace gui_testing {

// Each modal window that opens is recorded and closed by the next scripted reply (or
// rejected when none is left). A modal window that comes back on top when one opened over
// it closes (the print window under its print dialog) is still the same opening.
class ModalReplies : public QObject {
  public:
    struct Seen {
        QString title;
        QString text;
    };
    using Reply = std::function<void(QWidget*)>;

    ModalReplies() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }

    // Presses a standard button of the next message box.
    void press(QMessageBox::StandardButton button) {
        replies.push_back([button](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr) << widget->windowTitle().toStdString();
            box->button(button)->click();
        });
    }

    // Chooses `path` in the next file dialog, after `check` has looked at the dialog, and
    // accepts it. The dialog reads its folder in the background and then selects again the
    // file it was opened with, so an open dialog is accepted once it shows `path` chosen.
    // Accepting is queued, so that a question the dialog asks then is answered too.
    void chooseFile(const QString& path, std::function<void(QFileDialog&)> check = {}) {
        replies.push_back([path, check](QWidget* widget) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            ASSERT_NE(dialog, nullptr) << widget->windowTitle().toStdString();
            if (check)
                check(*dialog);
            dialog->selectFile(path);
            QTimer::singleShot(0, dialog, [dialog, path] { acceptOnceChosen(dialog, path, 300); });
        });
    }

    // The next modal window counts as new even when it is one already seen (a window that
    // is shown again).
    void forgetCurrent() { open_.clear(); }

    std::deque<Reply> replies;
    std::vector<Seen> seen;

  private:
    static void acceptOnceChosen(QFileDialog* dialog, const QString& path, int triesLeft) {
        // Typed as a person would: the dialog then selects that file in its list, too.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name->setText(path);
        else
            dialog->selectFile(path);
        const bool chosen = dialog->fileMode() != QFileDialog::ExistingFile ||
                            dialog->selectedFiles() == QStringList{path};
        if (chosen || triesLeft == 0) {
            static_cast<QDialog*>(dialog)->accept();
            return;
        }
        QTimer::singleShot(10, dialog,
                           [dialog, path, triesLeft] { acceptOnceChosen(dialog, path, triesLeft - 1); });
    }

    void poll() {
        std::erase_if(open_,
                      [](const QPointer<QWidget>& seen) { return !seen || !seen->isVisible(); });
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || std::find(open_.begin(), open_.end(), modal) != open_.end())
            return;
        open_.emplace_back(modal);
        const auto* box = qobject_cast<QMessageBox*>(modal);
        seen.push_back({modal->windowTitle(), box ? box->text() : QString()});
        if (replies.empty()) {
            QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
            return;
        }
        Reply reply = std::move(replies.front());
        replies.pop_front();
        reply(modal);
    }

    QTimer timer_;
    // The modal windows seen and still shown, the one on top last.
    std::vector<QPointer<QWidget>> open_;
};

class WindowTest : public testing::Test {
  protected:
    WindowTest()
        : window(std::make_unique<gui::MainWindow>(std::vector<std::string>{},
                                                   loan::Locale::withSeparator(','))) {
        // The last-loan file of a test stays in its own folder.
        form().ProgramPath = programFolder.filePath("ssudomer").toStdString();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    app::MainForm& form() { return window->form(); }

    template <class Widget>
    Widget* find(const char* name) {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // A control of another window (the planner, a dialog) by its name.
    template <class Widget>
    static Widget* in(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* item(const char* name) { return find<QAction>(name); }
    QString text(const char* labelName) { return find<QLabel>(labelName)->text(); }

    // Replaces a field's text as a person would: focus, select all, type.
    void retype(const char* name, const char* value) {
        auto* field = find<QLineEdit>(name);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, value);
    }
    void typeLoan(const char* sum, const char* rate, const char* term) {
        retype("SpinEdit1", sum);
        retype("SpinEdit2", rate);
        retype("SpinEdit3", term);
    }
    void click(const char* buttonName) {
        QTest::mouseClick(find<QAbstractButton>(buttonName), Qt::LeftButton);
    }
    QString header(int column) {
        return window->grid()->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString cell(int column, int row) {
        return window->grid()->model()->index(row - 1, column).data().toString();
    }

    QTemporaryDir programFolder;
    ModalReplies modals;
    std::unique_ptr<gui::MainWindow> window;
};

}  // namespace gui_testing
