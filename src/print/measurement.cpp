#include "print/measurement.h"

#include <cmath>

namespace print {

namespace {

// How many of a unit make one inch.
TPvExtended PerInch(TPvMeasurement unit) {
    switch (unit) {
        case pvUnits:
            return kMillimetersPerInch * 100;
        case pvPixels:
            return kPixelsPerInch;
        case pvMillimeters:
            return kMillimetersPerInch;
        case pvCentimeters:
            return kMillimetersPerInch / 10;
        case pvInches:
            return 1;
        case pvTwips:
            return kTwipsPerInch;
    }
    return 1;
}

}  // namespace

TPvExtended ToInches(TPvExtended value, TPvMeasurement unit) {
    return unit == pvInches ? value : value / PerInch(unit);
}

TPvExtended FromInches(TPvExtended inches, TPvMeasurement unit) {
    return unit == pvInches ? inches : inches * PerInch(unit);
}

TPvExtended ConvertUnits(TPvExtended value, TPvMeasurement from, TPvMeasurement to) {
    if (from == to)
        return value;
    return FromInches(ToInches(value, from), to);
}

long InchesToDots(TPvExtended inches, TPvExtended dotsPerInch) {
    return std::lround(inches * dotsPerInch);
}

void TPvValue::SetInches(TPvExtended inches) {
    if (inches == inches_)
        return;
    inches_ = inches;
    if (OnChange)
        OnChange();
}

long TPvValue::Twips() const {
    return InchesToDots(inches_, kTwipsPerInch);
}

}  // namespace print
