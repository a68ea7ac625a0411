#pragma once

// The date field of both windows: a date picker with its calendar, edited section by section
// as usual, that also takes a date typed whole over a selection or into an emptied field
// ("15.03.2005" or "15032005"). A typed date counts only once it is finished (Enter, Tab,
// the field losing focus, the calendar); until then the field shows the typed characters and
// nothing is checked. A finished text that is no date, or a date that does not exist, is
// refused with a message and the field keeps its last good date.

#include <QDateEdit>

namespace gui {

class DateField : public QDateEdit {
    Q_OBJECT

  public:
    explicit DateField(QWidget* parent = nullptr);

    // Shows the model's `date` without sending dateChanged. A date being typed stays while
    // the model still holds the field's date (a redraw after another control's change);
    // any other date, or a disabled field, ends the typing.
    void showDate(const QDate& date, bool enabled);
    bool typing() const { return typing_; }

    QValidator::State validate(QString& input, int& pos) const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Whether this key, on the field as it stands, begins a date typed whole.
    bool beginsTyping(const QKeyEvent* event) const;
    // Whether this key edits the typed text rather than ending it.
    static bool editsTypedText(const QKeyEvent* event);
    // Hands an event to the text editor while the picker's own reading of the text (which
    // would rewrite a part-typed date) is kept out of it.
    void editTypedText(QEvent* event);
    // Ends the typing: true when the typed date is taken (or nothing was typed), false when
    // it was refused with a message.
    bool finishTyping();
    // Ends the typing and shows the field's date again.
    void abandonTyping();

    bool typing_ = false;
};

}  // namespace gui
