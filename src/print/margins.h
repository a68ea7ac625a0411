#pragma once

// The page margins: four lengths, the pens of the margin lines, and the stored form
// "720,720,720,720,"12632256,1,2,4","12632256,1,2,4"" (whole twips left, top, right,
// bottom, then the margin pen and the printer-margin pen as colour, width, style, mode).

#include <string>
#include <string_view>

#include "print/graphics.h"
#include "print/measurement.h"

namespace print {

// The four margins in the unit `ValueMeasurement`, in single precision.
struct TPvMarginValues {
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class TPvMargins {
  public:
    TPvMargins();

    TPvValue Left, Top, Right, Bottom;
    TPvPen Pen;
    TPvPen PrinterMarginPen;
    bool Visible = false;
    bool ShowPrinterMargins = false;
    bool ClipMargins = false;  // printing clips each page to the margins
    TPvMeasurement ValueMeasurement = pvInches;

    TPvMarginValues Values() const;
    void SetValues(const TPvMarginValues& values);

    std::string MarginValues() const;
    // Reads a stored text; with only the four numbers the pens stay as they are. A text that
    // cannot be read changes nothing and gives false.
    bool SetMarginValues(std::string_view text);
};

// A pen as its stored group "colour,width,style,mode", and back.
std::string PenText(const TPvPen& pen);
bool ParsePenText(std::string_view text, TPvPen& pen);

}  // namespace print
