#pragma once

// The rules of the two spin edits, kept apart from any window toolkit: how the value is
// read from the text and written back, the bounds, the steps, and which characters typing
// may add. The Qt widgets and the Qt-free main form both use them.

#include <cstdint>
#include <string>
#include <string_view>

#include "text/locale.h"

namespace widgets {

// Decimal spin edit (TFloatSpinEdit). Value is never stored: it is read from the text.
class FloatSpinEditModel {
  public:
    explicit FloatSpinEditModel(const loan::Locale& locale) : locale_(&locale) {}

    std::string Text = "0";
    double MinValue = 0;
    double MaxValue = 0;  // equal to MinValue: no bounds at all
    double Increment = 1.0;
    bool EditorEnabled = true;
    bool ReadOnly = false;
    bool Enabled = true;

    // The text as a number (rounded to a Double), or MinValue when it is not one.
    double Value() const;
    // Writes the general number text of ClampValue(value).
    void SetValue(double value);
    double ClampValue(double value) const;
    // New bounds take hold at once: a value outside them is rewritten as the nearer bound;
    // a value within them, or a text that is no number, stays as typed.
    void SetBounds(double minValue, double maxValue);

    // False means "refused: beep" (a read-only field).
    bool StepUp();
    bool StepDown();

    // Digits, "+", "-", the decimal separator ("." and "," alike) and control characters
    // other than Enter; with EditorEnabled false no printable character and no Backspace.
    bool AcceptsChar(char32_t c) const;
    bool CanPasteOrCut() const { return EditorEnabled && !ReadOnly; }
    // What typed or pasted text puts into the field: "." and "," both become the locale's
    // separator, so 33291.50 under "," is 33291,50 and never 3329150.
    std::string Entered(std::string_view text) const;

    // Enter and leaving the field both rewrite the text from the value.
    void PressEnter() { SetValue(Value()); }
    void Leave() { SetValue(Value()); }

    // Types the text at the end of the field, character by character, as a person would;
    // returns how many characters were refused (each one a beep).
    int Type(std::string_view text);

  private:
    bool step(double delta);
    const loan::Locale* locale_;
};

// Whole-number spin edit (TSpinEdit): the same rules on a 32-bit integer, except that Enter
// does nothing of its own and leaving rewrites the text only when clamping changes the value.
class SpinEditModel {
  public:
    explicit SpinEditModel(const loan::Locale& locale) : locale_(&locale) {}

    std::string Text = "0";
    std::int32_t MinValue = 0;
    std::int32_t MaxValue = 0;
    std::int32_t Increment = 1;
    bool EditorEnabled = true;
    bool ReadOnly = false;
    bool Enabled = true;

    std::int32_t Value() const;
    // Takes any whole number and clamps it before it becomes text.
    void SetValue(std::int64_t value);
    std::int64_t ClampValue(std::int64_t value) const;

    bool StepUp();
    bool StepDown();

    bool AcceptsChar(char32_t c) const;
    bool CanPasteOrCut() const { return EditorEnabled && !ReadOnly; }
    std::string Entered(std::string_view text) const;

    void Leave();
    int Type(std::string_view text);

  private:
    bool step(std::int64_t delta);
    const loan::Locale* locale_;
};

}  // namespace widgets
