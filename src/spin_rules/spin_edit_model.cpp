#include "spin_rules/spin_edit_model.h"

#include "loan/money.h"
#include "loan/number_text.h"
#include "text/text.h"

namespace widgets {

namespace {

constexpr char32_t kEnter = 13;
constexpr char32_t kBackspace = 8;

// "." and "," both stand for the decimal separator where the locale's is one of them: people
// type the point of the numeric keypad, or copy an amount written elsewhere.
bool isDecimalSeparator(char32_t c, char separator) {
    if (c == static_cast<unsigned char>(separator))
        return true;
    return (separator == ',' || separator == '.') && (c == '.' || c == ',');
}

bool acceptsNumberChar(char32_t c, char separator, bool editorEnabled) {
    if (c < 32)
        return c != kEnter && (editorEnabled || c != kBackspace);
    if (!editorEnabled)
        return false;
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || isDecimalSeparator(c, separator);
}

// The value itself when both bounds are equal (no bounds), else the nearer bound outside them.
template <class Value>
Value clampToBounds(Value value, Value min, Value max) {
    if (max == min)
        return value;
    if (value < min)
        return min;
    if (value > max)
        return max;
    return value;
}

std::string enteredText(std::string_view text, const loan::Locale& locale) {
    return loan::NormalizeDecimalSeparator(std::string(text), locale);
}

// Runs the typed text through the filter; accepted characters are appended as UTF-8.
template <class Model>
int typeInto(Model& model, std::string_view text) {
    int refused = 0;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const char32_t c = lead < 0x80 ? lead : 0xFFFD;  // any non-ASCII character is refused
        if (model.AcceptsChar(c)) {
            if (c == kBackspace) {
                if (!model.Text.empty())
                    model.Text.pop_back();
            } else if (c >= 32) {
                model.Text.append(model.Entered(text.substr(i, length)));
            }
        } else {
            ++refused;
        }
        i += length;
    }
    return refused;
}

}  // namespace

double FloatSpinEditModel::Value() const {
    if (auto value = loan::TryParseNumber(Text, *locale_))
        return static_cast<double>(*value);
    return MinValue;
}

void FloatSpinEditModel::SetValue(double value) {
    Text = loan::GeneralNumberText(ClampValue(value), *locale_);
}

double FloatSpinEditModel::ClampValue(double value) const {
    return clampToBounds(value, MinValue, MaxValue);
}

void FloatSpinEditModel::SetBounds(double minValue, double maxValue) {
    MinValue = minValue;
    MaxValue = maxValue;
    if (!loan::TryParseNumber(Text, *locale_))
        return;
    const double value = Value();
    if (ClampValue(value) != value)
        SetValue(value);
}

bool FloatSpinEditModel::step(double delta) {
    if (ReadOnly)
        return false;
    SetValue(static_cast<double>(static_cast<loan::Extended>(Value()) + delta));
    return true;
}

bool FloatSpinEditModel::StepUp() {
    return step(Increment);
}
bool FloatSpinEditModel::StepDown() {
    return step(-Increment);
}

bool FloatSpinEditModel::AcceptsChar(char32_t c) const {
    return acceptsNumberChar(c, locale_->decimalSeparator, EditorEnabled);
}

int FloatSpinEditModel::Type(std::string_view text) {
    return typeInto(*this, text);
}

std::string FloatSpinEditModel::Entered(std::string_view text) const {
    return enteredText(text, *locale_);
}

std::int32_t SpinEditModel::Value() const {
    if (auto value = loan::TryParseInteger(Text))
        return *value;
    return MinValue;
}

void SpinEditModel::SetValue(std::int64_t value) {
    Text = std::to_string(ClampValue(value));
}

std::int64_t SpinEditModel::ClampValue(std::int64_t value) const {
    return clampToBounds<std::int64_t>(value, MinValue, MaxValue);
}

bool SpinEditModel::step(std::int64_t delta) {
    if (ReadOnly)
        return false;
    SetValue(static_cast<std::int64_t>(Value()) + delta);
    return true;
}

bool SpinEditModel::StepUp() {
    return step(Increment);
}
bool SpinEditModel::StepDown() {
    return step(-static_cast<std::int64_t>(Increment));
}

bool SpinEditModel::AcceptsChar(char32_t c) const {
    return acceptsNumberChar(c, locale_->decimalSeparator, EditorEnabled);
}

void SpinEditModel::Leave() {
    const std::int32_t value = Value();
    if (ClampValue(value) != value)
        SetValue(value);
}

int SpinEditModel::Type(std::string_view text) {
    return typeInto(*this, text);
}

std::string SpinEditModel::Entered(std::string_view text) const {
    return enteredText(text, *locale_);
}

}  // namespace widgets
