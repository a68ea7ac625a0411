#include "gui/date_field.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include "app/main_form.h"
#include "gui/control_binding.h"
#include "gui/fonts.h"
#include "gui/qt_form_port.h"
#include "spin_rules/typed_date.h"

namespace gui {

namespace {

bool isMouseEvent(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
}

bool plainKey(const QKeyEvent* event) {
    return !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

// The typed text read as a date within the field's range.
widgets::TypedDate readTyped(const QDateEdit& field, const QString& text) {
    return widgets::ReadTypedDate(text.toStdString(), ToDate(field.minimumDate()),
                                  ToDate(field.maximumDate()));
}

}  // namespace

DateField::DateField(QWidget* parent) : QDateEdit(parent) {
    setFont(InputFont());
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
    setMinimumDate(QDate(1900, 1, 1));
    // A date edited section by section passes through dates nobody meant (05.01 on the way
    // from 20.01 to 05.02): only the finished date is handed on.
    setKeyboardTracking(false);
    lineEdit()->installEventFilter(this);
}

void DateField::showDate(const QDate& shown, bool enabled) {
    if (typing_ && (shown != date() || !enabled))
        abandonTyping();
    if (!typing_)
        setDate(shown);
    setEnabled(enabled);
}

QValidator::State DateField::validate(QString& input, int& pos) const {
    if (!typing_)
        return QDateEdit::validate(input, pos);
    const std::string text = input.toStdString();
    if (!widgets::MayBeTypedDate(text))
        return QValidator::Invalid;
    input = QString::fromStdString(widgets::EnteredDateText(text));
    return QValidator::Intermediate;
}

bool DateField::beginsTyping(const QKeyEvent* event) const {
    const QLineEdit* edit = lineEdit();
    const bool wholeSelected = edit->text().isEmpty() || edit->selectedText() == edit->text();
    if (!wholeSelected || isReadOnly())
        return false;
    if (event->matches(QKeySequence::Paste))
        return true;
    if (!plainKey(event))
        return false;
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return true;
    const QString text = event->text();
    return text.size() == 1 && text[0] >= u'0' && text[0] <= u'9';
}

bool DateField::editsTypedText(const QKeyEvent* event) {
    static const QKeySequence::StandardKey edits[] = {QKeySequence::SelectAll,
                                                      QKeySequence::Copy,
                                                      QKeySequence::Cut,
                                                      QKeySequence::Paste,
                                                      QKeySequence::Undo,
                                                      QKeySequence::Redo,
                                                      QKeySequence::DeleteStartOfWord,
                                                      QKeySequence::DeleteEndOfWord,
                                                      QKeySequence::MoveToNextWord,
                                                      QKeySequence::MoveToPreviousWord,
                                                      QKeySequence::SelectNextWord,
                                                      QKeySequence::SelectPreviousWord};
    for (QKeySequence::StandardKey edit : edits) {
        if (event->matches(edit))
            return true;
    }
    switch (event->key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            break;
    }
    const QString text = event->text();
    return plainKey(event) && !text.isEmpty() && text[0].isPrint();
}

void DateField::editTypedText(QEvent* event) {
    QLineEdit* edit = lineEdit();
    const QSignalBlocker quiet(edit);
    static_cast<QObject*>(edit)->event(event);
}

bool DateField::finishTyping() {
    const QString typed = lineEdit()->text();
    typing_ = false;
    if (typed.trimmed().isEmpty()) {
        setDate(date());  // nothing typed: the field shows its date again
        return true;
    }
    const widgets::TypedDate read = readTyped(*this, typed);
    if (!read.date) {
        setDate(date());
        selectAll();
        ShowMessageBox(app::kErrorCaption, read.refusal);
        return false;
    }
    setDate(ToQDate(*read.date));
    return true;
}

void DateField::abandonTyping() {
    typing_ = false;
    setDate(date());
}

void DateField::keyPressEvent(QKeyEvent* event) {
    if (!typing_ && beginsTyping(event))
        typing_ = true;
    if (typing_) {
        if (event->key() == Qt::Key_Escape && plainKey(event)) {
            abandonTyping();
            selectAll();
            event->accept();
            return;
        }
        if (editsTypedText(event)) {
            editTypedText(event);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            // The picker's own Enter would hand the date on a second time.
            if (finishTyping())
                selectAll();
            event->accept();
            return;
        }
        if (!finishTyping()) {
            event->accept();
            return;
        }
    }
    QDateEdit::keyPressEvent(event);
}

bool DateField::focusNextPrevChild(bool next) {
    if (!typing_)
        return QDateEdit::focusNextPrevChild(next);
    if (!finishTyping())
        return true;  // refused: the field keeps the focus for another try
    // A date typed whole is done with: Tab leaves the field rather than stepping to its month.
    return QWidget::focusNextPrevChild(next);
}

// Another window or a menu over this one only interrupts the typing; the picker would
// rewrite the part-typed text on its way out and in again.
void DateField::focusInEvent(QFocusEvent* event) {
    if (typing_) {
        editTypedText(event);
        QWidget::focusInEvent(event);
        return;
    }
    QDateEdit::focusInEvent(event);
}

void DateField::focusOutEvent(QFocusEvent* event) {
    if (typing_) {
        const bool interrupted = event->reason() == Qt::PopupFocusReason ||
                                 event->reason() == Qt::ActiveWindowFocusReason;
        if (!interrupted) {
            finishTyping();
        } else if (const widgets::TypedDate read = readTyped(*this, lineEdit()->text());
                   read.date) {
            typing_ = false;
            setDate(ToQDate(*read.date));
        } else {
            // A menu or another window: a part-typed date waits, without a message.
            editTypedText(event);
            QWidget::focusOutEvent(event);
            return;
        }
    }
    QDateEdit::focusOutEvent(event);
}

void DateField::mousePressEvent(QMouseEvent* event) {
    // The calendar button: the typed date is finished before the calendar shows it.
    if (typing_ && !finishTyping()) {
        event->accept();
        return;
    }
    QDateEdit::mousePressEvent(event);
}

void DateField::wheelEvent(QWheelEvent* event) {
    if (typing_ && !finishTyping()) {
        event->accept();
        return;
    }
    QDateEdit::wheelEvent(event);
}

void DateField::contextMenuEvent(QContextMenuEvent* event) {
    if (typing_ && !finishTyping()) {
        event->accept();
        return;
    }
    QDateEdit::contextMenuEvent(event);
}

bool DateField::eventFilter(QObject* watched, QEvent* event) {
    // Clicks and drags in the text place the cursor and select within the typed date.
    if (typing_ && watched == lineEdit() && isMouseEvent(event->type())) {
        editTypedText(event);
        return true;
    }
    return QDateEdit::eventFilter(watched, event);
}

}  // namespace gui
