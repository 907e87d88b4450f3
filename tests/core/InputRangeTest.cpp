// Typed numbers are checked against the ranges a real building can need, and a
// refusal names the field and what it allows, in the language shown.
#include <gtest/gtest.h>

#include "ErrorTestSupport.h"
#include "TestLanguage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/InputRange.h"

using namespace kalorina;

namespace {
struct DecimalPoint {
    DecimalPoint() { SetDecimalSeparator('.'); }
    ~DecimalPoint() { SetDecimalSeparator(0); }
};
} // namespace

TEST(InputRange, RefusesWhatNoBuildingNeedsAndNamesTheField)
{
    DecimalPoint point;
    test::ScopedLanguage language({{"IDS_INPUTRANGE", "%s: enter a number from %s to %s."},
                                   {"IDS_INPUTRANGEABOVE", "%s: enter a number above %s, up to %s."},
                                   {"IDS_INPUTRANGEWHOLE", "%s: enter a whole number from %s to %s."}});
    // The absurd heat loss of the report, and the limits themselves.
    EXPECT_EQ(test::ThrownText([] { ParseInput("99999999999999", InputKind::HeatLoss, "Heat loss"); }),
              "Heat loss: enter a number from 0 to 1000000 W.");
    EXPECT_DOUBLE_EQ(ParseInput("1000000", InputKind::HeatLoss, "Heat loss"), 1e6);
    EXPECT_DOUBLE_EQ(ParseInput("0", InputKind::HeatLoss, "Heat loss"), 0);
    EXPECT_DOUBLE_EQ(ParseInput("18,7", InputKind::Area, "Area"), 18.7);
    EXPECT_DOUBLE_EQ(ParseInput("-40", InputKind::Temperature, "Inside"), -40);

    struct Case {
        const char* text;
        InputKind kind;
        const char* message;
    };
    const Case refused[] = {
        // Not a number at all reads the same as one out of range: never a bare "invalid".
        {"abc", InputKind::HeatLoss, "Value: enter a number from 0 to 1000000 W."},
        {"1e39", InputKind::HeatLoss, "Value: enter a number from 0 to 1000000 W."},
        {"-0.5", InputKind::Area, "Value: enter a number from 0 to 10000 m2."},
        {"10000.1", InputKind::Length, "Value: enter a number from 0 to 10000 m."},
        {"-41", InputKind::Temperature,
         "Value: enter a number from -40 to 100 \xB0"
         "C."},
        {"1000001", InputKind::Pressure, "Value: enter a number from 0 to 1000000 Pa."},
        // A field's area must be there at all.
        {"0", InputKind::FieldArea, "Value: enter a number above 0, up to 10000 m2."},
        {"0", InputKind::WaterTemperature,
         "Value: enter a number above 0, up to 100 \xB0"
         "C."},
        // Counts are whole.
        {"2.5", InputKind::Pieces, "Value: enter a whole number from 1 to 1000."},
        {"0", InputKind::Pieces, "Value: enter a whole number from 1 to 1000."},
        {"101", InputKind::Margin, "Value: enter a whole number from 0 to 100 mm."},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(test::ThrownText([&] { ParseInput(c.text, c.kind, "Value"); }), c.message);
    }
}

TEST(InputRange, MessagesFollowTheLanguageAndItsDecimalSign)
{
    SetDecimalSeparator(',');
    test::ScopedLanguage language(std::map<std::string, std::string>{
        {"IDS_INPUTRANGEABOVE", "%s: %s-n\xE1l nagyobb, legfeljebb %s \xE9rt\xE9ket adjon meg."}});
    EXPECT_EQ(RangeMessage(InputKind::Viscosity, "Kinematikai viszkozit\xE1s"),
              "Kinematikai viszkozit\xE1s: 0-n\xE1l nagyobb, legfeljebb 0,01 m2/s \xE9rt\xE9ket adjon meg.");
    SetDecimalSeparator(0);
}

TEST(InputRange, CaptionsLoseTheirAcceleratorAndColon)
{
    EXPECT_EQ(FieldNameOfCaption("&Heat loss:"), "Heat loss");
    EXPECT_EQ(FieldNameOfCaption("Fish && chips :"), "Fish & chips");
    EXPECT_EQ(FieldNameOfCaption("Area"), "Area");
}
