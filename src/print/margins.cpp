#include "print/margins.h"

#include <charconv>
#include <vector>

namespace print {

namespace {

constexpr TPvExtended kDefaultMarginInches = 1.0L;

// Splits at commas outside double quotes; quotes are dropped from the parts.
std::vector<std::string> SplitCommaText(std::string_view text) {
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

bool ParseLong(std::string_view text, long long& value) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    const char* end = text.data() + text.size();
    auto [ptr, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && ptr == end;
}

}  // namespace

TPvMargins::TPvMargins() {
    for (TPvValue* margin : {&Left, &Top, &Right, &Bottom}) margin->SetInches(kDefaultMarginInches);
    Pen.Style = pvPenDot;
    PrinterMarginPen.Style = pvPenDot;
}

TPvMarginValues TPvMargins::Values() const {
    return {float(Left.Value(ValueMeasurement)), float(Top.Value(ValueMeasurement)),
            float(Right.Value(ValueMeasurement)), float(Bottom.Value(ValueMeasurement))};
}

void TPvMargins::SetValues(const TPvMarginValues& values) {
    Left.SetValue(ValueMeasurement, values.Left);
    Top.SetValue(ValueMeasurement, values.Top);
    Right.SetValue(ValueMeasurement, values.Right);
    Bottom.SetValue(ValueMeasurement, values.Bottom);
}

std::string PenText(const TPvPen& pen) {
    return std::to_string(pen.Color) + "," + std::to_string(pen.Width) + "," +
           std::to_string(int(pen.Style)) + "," + std::to_string(int(pen.Mode));
}

bool ParsePenText(std::string_view text, TPvPen& pen) {
    const std::vector<std::string> parts = SplitCommaText(text);
    long long numbers[4];
    if (parts.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!ParseLong(parts[i], numbers[i]))
            return false;
    }
    if (numbers[0] < 0 || numbers[0] > 0xFFFFFFFFLL || numbers[1] < 0 || numbers[1] > 1000000 ||
        numbers[2] < pvPenSolid || numbers[2] > pvPenInsideFrame || numbers[3] < pvModeBlack ||
        numbers[3] > pvModeCopy)
        return false;
    pen = {TPvColor(numbers[0]), int(numbers[1]), TPvPenStyle(numbers[2]), TPvPenMode(numbers[3])};
    return true;
}

std::string TPvMargins::MarginValues() const {
    std::string text;
    for (const TPvValue* margin : {&Left, &Top, &Right, &Bottom})
        text += std::to_string(margin->Twips()) + ",";
    return text + "\"" + PenText(Pen) + "\",\"" + PenText(PrinterMarginPen) + "\"";
}

bool TPvMargins::SetMarginValues(std::string_view text) {
    const std::vector<std::string> parts = SplitCommaText(text);
    if (parts.size() != 4 && parts.size() != 6)
        return false;
    long long twips[4];
    for (int i = 0; i < 4; ++i) {
        if (!ParseLong(parts[i], twips[i]) || twips[i] < 0)
            return false;
    }
    TPvPen pen = Pen;
    TPvPen printerPen = PrinterMarginPen;
    if (parts.size() == 6 && !(ParsePenText(parts[4], pen) && ParsePenText(parts[5], printerPen)))
        return false;
    Left.SetValue(pvTwips, twips[0]);
    Top.SetValue(pvTwips, twips[1]);
    Right.SetValue(pvTwips, twips[2]);
    Bottom.SetValue(pvTwips, twips[3]);
    Pen = pen;
    PrinterMarginPen = printerPen;
    return true;
}

}  // namespace print
