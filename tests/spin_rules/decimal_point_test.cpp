// "." and "," typed or pasted into a number field: either is the decimal separator, and
// the field shows the locale's.

#include <gtest/gtest.h>

#include "spin_rules/spin_edit_model.h"

namespace {

using widgets::FloatSpinEditModel;
using widgets::SpinEditModel;

struct Typing {
    char separator;  // the locale's
    const char* typed;
    const char* shown;
    double value;
};

TEST(DecimalPoint, EitherSeparatorTypedIsTheLocalesInTheText) {
    const Typing cases[] = {
        {',', "33291.50", "33291,50", 33291.5},  // once read as 3329150
        {',', "33291,50", "33291,50", 33291.5},
        {'.', "33291,50", "33291.50", 33291.5},
        {'.', "33291.50", "33291.50", 33291.5},
        {',', "-0.5", "-0,5", -0.5},
        {',', "1.2.3", "1,2,3", 0},  // no number: the minimum, as any other such text
    };
    for (const Typing& c : cases) {
        const loan::Locale locale = loan::Locale::withSeparator(c.separator);
        FloatSpinEditModel field(locale);
        field.Text.clear();
        EXPECT_EQ(field.Type(c.typed), 0) << c.typed;
        EXPECT_EQ(field.Text, c.shown);
        EXPECT_EQ(field.Value(), c.value) << c.typed;
        field.Leave();
        EXPECT_EQ(field.Value(), c.value) << c.typed;
    }
}

TEST(DecimalPoint, PastedTextGetsTheLocalesSeparator) {
    const loan::Locale comma = loan::Locale::withSeparator(',');
    const loan::Locale point = loan::Locale::withSeparator('.');
    FloatSpinEditModel field(comma);
    EXPECT_EQ(field.Entered("33291.50"), "33291,50");
    EXPECT_EQ(field.Entered("12,5"), "12,5");
    EXPECT_EQ(field.Entered("abc"), "abc");  // pasted text is not filtered otherwise
    EXPECT_EQ(FloatSpinEditModel(point).Entered("12,5"), "12.5");
    EXPECT_EQ(SpinEditModel(comma).Entered("7.0"), "7,0");
}

TEST(DecimalPoint, TheWholeNumberFieldTakesBothAsItTookTheSeparator) {
    const loan::Locale point = loan::Locale::withSeparator('.');
    SpinEditModel field(point);
    field.Text.clear();
    EXPECT_EQ(field.Type("12,5"), 0);
    EXPECT_EQ(field.Text, "12.5");
    EXPECT_EQ(field.Value(), 0);  // no whole number: the minimum
    field.EditorEnabled = false;
    EXPECT_FALSE(field.AcceptsChar('.'));
    EXPECT_FALSE(field.AcceptsChar(','));
}

TEST(DecimalPoint, ALocaleWithAnotherSeparatorKeepsItsOwnOnly) {
    const loan::Locale other = loan::Locale::withSeparator('/');
    FloatSpinEditModel field(other);
    EXPECT_TRUE(field.AcceptsChar('/'));
    EXPECT_FALSE(field.AcceptsChar('.'));
    EXPECT_FALSE(field.AcceptsChar(','));
    EXPECT_EQ(field.Entered("1.5"), "1.5");
}

}  // namespace
