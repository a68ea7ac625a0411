#pragma once

// Lengths of the page library. Every length is held in inches in extended precision; each
// drawing or layout call names the unit its numbers are in, and conversions go through
// inches at 25.4 mm per inch.

#include <functional>
#include <limits>

namespace print {

using TPvExtended = long double;
static_assert(std::numeric_limits<TPvExtended>::digits == 64,
              "lengths need the 80-bit extended format with a 64-bit significand");

enum TPvMeasurement {
    pvUnits,   // 1/100 mm
    pvPixels,  // 1/96 inch, whatever the screen
    pvMillimeters,
    pvCentimeters,
    pvInches,
    pvTwips,  // 1/1440 inch
};

constexpr TPvExtended kMillimetersPerInch = 25.4L;
constexpr int kPixelsPerInch = 96;
constexpr int kTwipsPerInch = 1440;

TPvExtended ToInches(TPvExtended value, TPvMeasurement unit);
TPvExtended FromInches(TPvExtended inches, TPvMeasurement unit);
// A value of one unit in another; a unit to itself is returned unchanged.
TPvExtended ConvertUnits(TPvExtended value, TPvMeasurement from, TPvMeasurement to);

// Inches to whole device units at a resolution, to the nearest unit.
long InchesToDots(TPvExtended inches, TPvExtended dotsPerInch);

// One length with a change notification.
class TPvValue {
  public:
    TPvValue() = default;
    explicit TPvValue(TPvExtended inches) : inches_(inches) {}

    TPvExtended Inches() const { return inches_; }
    void SetInches(TPvExtended inches);

    TPvExtended Value(TPvMeasurement unit) const { return FromInches(inches_, unit); }
    void SetValue(TPvMeasurement unit, TPvExtended value) { SetInches(ToInches(value, unit)); }

    // Whole twips, to the nearest twip.
    long Twips() const;
    // Device units at the given resolution, to the nearest unit.
    long DeviceUnits(TPvExtended dotsPerInch) const { return InchesToDots(inches_, dotsPerInch); }

    // Runs after every change of the value (not when the same value is written again).
    std::function<void()> OnChange;

  private:
    TPvExtended inches_ = 0;
};

}  // namespace print
