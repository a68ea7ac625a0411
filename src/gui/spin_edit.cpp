#include "gui/spin_edit.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QValidator>

namespace gui {

namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kEscape = 27;
constexpr int kBorderHeight = 1;  // a thin window border, in pixels

QToolButton* makeStepButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(SpinEditBase::kFirstRepeatMs);
    button->setAutoRepeatInterval(SpinEditBase::kRepeatMs);
    button->setCursor(Qt::ArrowCursor);
    // Drawn as arrows only: a screen reader needs the words.
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Увеличить")
                                                   : QStringLiteral("Уменьшить"));
    return button;
}

}  // namespace

// Every change the person makes to the text, typed, pasted or dropped, passes here: the
// decimal separator is shown as the locale's whichever of "." and "," came in.
class SpinEditBase::EnteredText : public QValidator {
  public:
    explicit EnteredText(SpinEditBase* field) : QValidator(field), field_(field) {}

    State validate(QString& input, int& /*position*/) const override {
        if (!field_->showingModel_)
            input = QString::fromStdString(field_->entered(input.toStdString()));
        return Acceptable;
    }

  private:
    SpinEditBase* field_;
};

SpinEditBase::SpinEditBase(QWidget* parent)
    : QLineEdit(parent),
      up_(makeStepButton(this, Qt::UpArrow)),
      down_(makeStepButton(this, Qt::DownArrow)) {
    // The first step comes at once on the press; QAbstractButton repeats "pressed" while
    // the button stays down.
    connect(up_, &QToolButton::pressed, this, [this] { step(true, true); });
    connect(down_, &QToolButton::pressed, this, [this] { step(false, true); });
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { modelText() = text.toStdString(); });
    setTextMargins(0, 0, kButtonWidth + 2, 0);
    setValidator(new EnteredText(this));
}

int SpinEditBase::MinimumHeight() const {
    const int fontHeight = QFontMetrics(font()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    return fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 * kBorderHeight + 2;
}

void SpinEditBase::refresh() {
    setEnabled(modelEnabled());
    setReadOnly(modelReadOnly());
    setAcceptDrops(canPasteOrCut());
    showModelText();
}

void SpinEditBase::showModelText() {
    const QString text = QString::fromStdString(modelText());
    if (QLineEdit::text() == text)
        return;
    // A field whose whole text is selected keeps it selected when a step rewrites it, so
    // that typing still replaces the value.
    const bool wholeSelected = hasSelectedText() && selectedText() == QLineEdit::text();
    showingModel_ = true;
    setText(text);
    showingModel_ = false;
    if (wholeSelected)
        selectAll();
}

void SpinEditBase::beep() {
    QApplication::beep();
    emit beeped();
}

void SpinEditBase::step(bool upwards, bool fromButton) {
    if (fromButton && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    if (!(upwards ? stepUp() : stepDown())) {
        beep();
        return;
    }
    showModelText();
    emit valueRewritten();
}

bool SpinEditBase::refusesTypedCharacter(const QKeyEvent* event) const {
    char32_t c;
    switch (event->key()) {
        case Qt::Key_Backspace:
            c = kBackspace;
            break;
        case Qt::Key_Escape:
            c = kEscape;
            break;
        case Qt::Key_Delete:
            // Not a character, but it edits the text as Backspace does.
            return !acceptsChar(kBackspace);
        default: {
            const QString text = event->text();
            if (text.isEmpty())
                return false;
            const QList<uint> codes = text.toUcs4();
            if (codes.isEmpty() || codes.front() < 32 || codes.front() == 127)
                return false;  // a shortcut or a control key: the edit handles it
            for (uint code : codes) {
                if (!acceptsChar(static_cast<char32_t>(code)))
                    return true;
            }
            return false;
        }
    }
    return !acceptsChar(c);
}

void SpinEditBase::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        step(event->key() == Qt::Key_Up, false);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        if (!canPasteOrCut()) {
            event->accept();  // ignored without a sound
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (pressEnter()) {
            showModelText();
            emit valueRewritten();
        }
        // In a dialog Enter goes on to press its default button, as from any other control.
        if (qobject_cast<QDialog*>(window())) {
            event->ignore();
            return;
        }
        beep();  // Enter is no character of a number: the field stays one line
        event->accept();
        return;
    }
    if (refusesTypedCharacter(event)) {
        beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SpinEditBase::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Getting the focus back from a menu or another window is not entering the field; the
    // first activation of the window is.
    const bool returning = event->reason() == Qt::PopupFocusReason ||
                           (event->reason() == Qt::ActiveWindowFocusReason && lentFocus_);
    lentFocus_ = false;
    if (returning)
        return;
    // A left click that enters the field places the caret where it lands: its press comes
    // right after the focus and undoes this selection.
    selectAll();
}

void SpinEditBase::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A popup menu or another window taking the keyboard is not leaving the field.
    lentFocus_ =
        event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason;
    if (lentFocus_)
        return;
    leave();
    showModelText();
    emit valueRewritten();
}

void SpinEditBase::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (!canPasteOrCut()) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String("edit-paste") ||
                action->objectName() == QLatin1String("edit-cut") ||
                action->objectName() == QLatin1String("edit-delete"))
                action->setEnabled(false);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void SpinEditBase::mousePressEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    if (event->button() == Qt::MiddleButton && !canPasteOrCut()) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void SpinEditBase::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && height() < MinimumHeight())
        resize(width(), MinimumHeight());
}

void SpinEditBase::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (height() < MinimumHeight()) {
        resize(width(), MinimumHeight());  // comes back here with the new height
        return;
    }
    placeButtons();
}

// A field sized while hidden (on a tab not shown) may have had its height corrected before
// its buttons were placed.
void SpinEditBase::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    placeButtons();
}

void SpinEditBase::placeButtons() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int left = width() - kButtonWidth - frame;
    const int innerHeight = height() - 2 * frame;
    const int upperHeight = innerHeight / 2;
    up_->setGeometry(left, frame, kButtonWidth, upperHeight);
    down_->setGeometry(left, frame + upperHeight, kButtonWidth, innerHeight - upperHeight);
}

TFloatSpinEdit::TFloatSpinEdit(widgets::FloatSpinEditModel& model, QWidget* parent)
    : BoundSpinEdit(model, parent) {
    refresh();
}

TSpinEdit::TSpinEdit(widgets::SpinEditModel& model, QWidget* parent)
    : BoundSpinEdit(model, parent) {
    refresh();
}

}  // namespace gui
