#pragma once

// The decimal spin edit (TFloatSpinEdit) and its whole-number counterpart (TSpinEdit): a
// one-line field with an up/down button pair at its right edge, bound to one of the Qt-free
// spin-edit models. The field writes what the person types into the model's Text; the
// window calls refresh() to show the model again after a handler has run.

#include <QLineEdit>
#include <QToolButton>

#include <string>
#include <string_view>

#include "spin_rules/spin_edit_model.h"

namespace gui {

class SpinEditBase : public QLineEdit {
    Q_OBJECT

  public:
    static constexpr int kButtonWidth = 15;
    static constexpr int kFirstRepeatMs = 400;
    static constexpr int kRepeatMs = 100;

    // Shows the model's text and its enabled and read-only state.
    void refresh();

    // The height below which the field is never made: font height + a quarter of the
    // smaller of the system and the field font heights + 4 border widths + 2.
    int MinimumHeight() const;

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    // A refused character or a step on a read-only field: the beep has sounded.
    void beeped();
    // The model's text changed by a step, Enter or leaving the field.
    void valueRewritten();

  protected:
    explicit SpinEditBase(QWidget* parent);

    virtual std::string& modelText() = 0;
    virtual bool modelEnabled() const = 0;
    virtual bool modelReadOnly() const = 0;
    virtual bool stepUp() = 0;
    virtual bool stepDown() = 0;
    virtual bool acceptsChar(char32_t c) const = 0;
    // Typed and pasted text: "." and "," both become the locale's decimal separator.
    virtual std::string entered(std::string_view text) const = 0;
    virtual bool canPasteOrCut() const = 0;
    // Enter: the decimal field rewrites its text, the whole-number field does nothing.
    virtual bool pressEnter() = 0;
    virtual void leave() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    // Entering the field selects all of its text (a left click on the text then places the
    // caret instead).
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void beep();
    void step(bool upwards, bool fromButton);
    void showModelText();
    void placeButtons();
    // Returns true when the key produces a character that the rules refuse.
    bool refusesTypedCharacter(const QKeyEvent* event) const;

    class EnteredText;
    friend class EnteredText;

    QToolButton* up_;
    QToolButton* down_;
    // The program is writing the model's text: it is shown as it is.
    bool showingModel_ = false;
    // The focus went to a menu or another window and comes back to this field.
    bool lentFocus_ = false;
};

// A spin edit drawn over one of the rule models; only Enter differs between the two kinds.
template <class Model>
class BoundSpinEdit : public SpinEditBase {
  public:
    BoundSpinEdit(Model& model, QWidget* parent) : SpinEditBase(parent), model_(&model) {}
    Model& model() { return *model_; }

  protected:
    std::string& modelText() override { return model_->Text; }
    bool modelEnabled() const override { return model_->Enabled; }
    bool modelReadOnly() const override { return model_->ReadOnly; }
    bool stepUp() override { return model_->StepUp(); }
    bool stepDown() override { return model_->StepDown(); }
    bool acceptsChar(char32_t c) const override { return model_->AcceptsChar(c); }
    std::string entered(std::string_view text) const override { return model_->Entered(text); }
    bool canPasteOrCut() const override { return model_->CanPasteOrCut(); }
    void leave() override { model_->Leave(); }

    Model* model_;
};

class TFloatSpinEdit : public BoundSpinEdit<widgets::FloatSpinEditModel> {
    Q_OBJECT

  public:
    TFloatSpinEdit(widgets::FloatSpinEditModel& model, QWidget* parent = nullptr);

  protected:
    bool pressEnter() override {
        model_->PressEnter();
        return true;
    }
};

// The whole-number spin edit: Enter does nothing of its own.
class TSpinEdit : public BoundSpinEdit<widgets::SpinEditModel> {
    Q_OBJECT

  public:
    TSpinEdit(widgets::SpinEditModel& model, QWidget* parent = nullptr);

  protected:
    bool pressEnter() override { return false; }
};

}  // namespace gui
