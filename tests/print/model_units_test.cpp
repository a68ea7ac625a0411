// Lengths, units, margins and their stored form.
#include <gtest/gtest.h>

#include "print/margins.h"
#include "print/measurement.h"
#include "print/paper.h"

namespace print {
namespace {

TEST(Units, OneInchInEveryUnit) {
    EXPECT_DOUBLE_EQ(double(FromInches(1, pvMillimeters)), 25.4);
    EXPECT_DOUBLE_EQ(double(FromInches(1, pvCentimeters)), 2.54);
    EXPECT_EQ(FromInches(1, pvPixels), 96);
    EXPECT_EQ(FromInches(1, pvTwips), 1440);
    EXPECT_DOUBLE_EQ(double(FromInches(1, pvUnits)), 2540);
    EXPECT_EQ(FromInches(1, pvInches), 1);
    EXPECT_DOUBLE_EQ(double(ConvertUnits(25.4L, pvMillimeters, pvTwips)), 1440);
    EXPECT_DOUBLE_EQ(double(ConvertUnits(96, pvPixels, pvCentimeters)), 2.54);
}

TEST(Units, AUnitToItselfIsExactlyUnchanged) {
    const TPvExtended awkward = 0.1L + 1e-15L;
    for (TPvMeasurement unit : {pvUnits, pvPixels, pvMillimeters, pvCentimeters, pvInches, pvTwips})
        EXPECT_EQ(ConvertUnits(awkward, unit, unit), awkward) << unit;
}

TEST(Units, ValueReadsAsTwipsAndDeviceUnitsToTheNearest) {
    TPvValue value;
    int changes = 0;
    value.OnChange = [&] { ++changes; };
    value.SetValue(pvMillimeters, 10);
    EXPECT_EQ(value.Twips(), 567);           // 566.93
    EXPECT_EQ(value.DeviceUnits(600), 236);  // 236.2
    EXPECT_EQ(value.DeviceUnits(96), 38);    // 37.8
    value.SetValue(pvMillimeters, 10);       // the same length: no notification
    value.SetInches(2);
    EXPECT_EQ(changes, 2);
    EXPECT_DOUBLE_EQ(double(value.Value(pvCentimeters)), 5.08);
}

TEST(Paper, A4AndOrientation) {
    const TPvPageExtent portrait = PageExtent("A4", pvPortrait);
    EXPECT_DOUBLE_EQ(double(portrait.Width), 210 / 25.4);
    EXPECT_DOUBLE_EQ(double(portrait.Height), 297 / 25.4);
    const TPvPageExtent landscape = PageExtent("A4", pvLandscape);
    EXPECT_EQ(landscape.Width, portrait.Height);
    EXPECT_DOUBLE_EQ(double(PageExtent("Letter", pvPortrait).Width), 8.5);
    EXPECT_EQ(PageExtent("no such paper", pvPortrait).Height, portrait.Height);
}

TEST(Margins, StoredFormRoundTrips) {
    TPvMargins margins;
    margins.SetValues({0.5f, 0.5f, 0.5f, 0.5f});
    margins.Pen = {clSilver, 1, pvPenDot, pvModeCopy};
    margins.PrinterMarginPen = margins.Pen;
    const std::string stored = margins.MarginValues();
    EXPECT_EQ(stored, "720,720,720,720,\"12632256,1,2,4\",\"12632256,1,2,4\"");

    TPvMargins read;
    ASSERT_TRUE(read.SetMarginValues(stored));
    EXPECT_EQ(read.Left.Inches(), 0.5L);
    EXPECT_EQ(read.Bottom.Twips(), 720);
    EXPECT_EQ(read.Pen, margins.Pen);
    EXPECT_EQ(read.PrinterMarginPen, margins.PrinterMarginPen);
    EXPECT_FLOAT_EQ(read.Values().Top, 0.5f);
}

TEST(Margins, FourNumbersKeepThePensAndBadTextChangesNothing) {
    TPvMargins margins;
    margins.Pen = {clRed, 3, pvPenDash, pvModeCopy};
    ASSERT_TRUE(margins.SetMarginValues("1440,720,0,360"));
    EXPECT_EQ(margins.Left.Inches(), 1);
    EXPECT_EQ(margins.Bottom.Inches(), 0.25L);
    EXPECT_EQ(margins.Pen.Color, clRed);

    const std::string before = margins.MarginValues();
    for (const char* bad : {"", "1,2,3", "1,2,x,4", "1,2,3,4,\"5,1,2\",\"5,1,2,4\"",
                            "1,2,3,4,\"5,1,99,4\",\"5,1,2,4\"", "-1,0,0,0"})
        EXPECT_FALSE(margins.SetMarginValues(bad)) << bad;
    EXPECT_EQ(margins.MarginValues(), before);
}

TEST(Margins, ValuesInAnotherUnit) {
    TPvMargins margins;
    margins.ValueMeasurement = pvMillimeters;
    margins.SetValues({25.4f, 12.7f, 0, 0});
    EXPECT_NEAR(double(margins.Left.Inches()), 1, 1e-6);
    EXPECT_NEAR(double(margins.Top.Inches()), 0.5, 1e-6);
    EXPECT_NEAR(margins.Values().Top, 12.7f, 1e-4);
}

}  // namespace
}  // namespace print
