#include <gtest/gtest.h>

#include <cmath>

#include "CalcTestSupport.h"
#include "TestLanguage.h"
#include "calc/THydraulic.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/TubeDBItem.h"
#include "document/CalcRecords.h"
#include "document/Stream.h"
#include "document/TProjektOptions.h"
#include "report/ProjectReportText.h"
#include "util/Error.h"

using namespace kalorina;

namespace {
THydraulic Circuit(float massFlow)
{
    THydraulic h;
    h.tubeName = "PEX";
    h.tubeSize = "16x2";
    h.fieldsTubeLength = 80;
    h.extraLength = 10;
    h.massFlow = massFlow;
    h.medium.forward = 40;
    h.medium.return_ = 35;
    h.availablePressure = 20000;
    return h;
}

bool AllFinite(const THydraulic& h)
{
    for (float x : {h.tubeLength, h.tubePressureDrop, h.valvePressureDrop, h.velocity, h.pressureGradient,
                    h.dynamicPressure, h.circuitPressureDrop, h.fittingsPressureDrop})
        if (!std::isfinite(x))
            return false;
    return true;
}
} // namespace

TEST(THydraulic, LengthsVelocityAndTubeLoss)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    THydraulic h = Circuit(172.5f);
    h.Compute(d);
    EXPECT_FLOAT_EQ(h.tubeLength, 88.0f); // 80 m + 10 %
    EXPECT_EQ(h.LengthText('.'), "80 + 10% = 88");
    EXPECT_EQ(h.tubeDN, 12);
    EXPECT_EQ(h.tubeValveDN, 15);
    double V = 172.5 / 971.9 / 3600;
    const auto* tube = d.Find<TubeDBItem>(kTubeKind, "PEX");
    EXPECT_FLOAT_EQ(h.velocity, float(tube->Velocity("16x2", V)));
    EXPECT_NEAR(h.velocity, 0.436, 0.001);
    EXPECT_FLOAT_EQ(h.pressureGradient, float(tube->PressureGradient("16x2", V, 971.9f, 3.673e-7f)));
    EXPECT_EQ(h.tubePressureDrop, std::floor(88.0f * h.pressureGradient + 0.5f));
    EXPECT_NEAR(h.dynamicPressure, 971.9 * 0.5 * h.velocity * h.velocity, 0.01);

    h.extraInMetres = 1;
    h.Compute(d);
    EXPECT_FLOAT_EQ(h.tubeLength, 90.0f);
    h.fieldsTubeLength = 85.3f;
    h.extraLength = 2.5f;
    h.Compute(d);
    EXPECT_EQ(h.LengthText('.'), "85.3 + 2.5m = 87.8");
    h.extraLength = 10;
    h.extraInMetres = 0;
    h.Compute(d);
    EXPECT_EQ(h.LengthText(','), "85,3 + 10% = 93,83");
    h.extraLength = 0;
    h.Compute(d);
    EXPECT_EQ(h.LengthText('.'), "85.3");

    // An unknown size: no friction, no flag; an unknown tube: flag 1.
    h.tubeSize = "99x9";
    h.Compute(d);
    EXPECT_EQ(h.velocity, 0);
    EXPECT_EQ(h.flags, 0);
    h.tubeName = "Gone";
    h.Compute(d);
    EXPECT_EQ(h.flags, THydraulic::kBitTubeMissing);
    EXPECT_EQ(h.TubeDisplayName(d), "Gone 99x9");
}

TEST(THydraulic, ValveChoiceAndWarnings)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    // Without a valve: no position and no valve bits even when the pressure is short.
    THydraulic h = Circuit(172.5f);
    h.availablePressure = 100;
    h.Compute(d);
    EXPECT_GT(h.circuitPressureDrop, 100);
    EXPECT_EQ(h.flags, 0);
    EXPECT_EQ(h.valvePosition, "");
    EXPECT_EQ(h.valvePressureDrop, 0);
    EXPECT_EQ(h.ValveDisplayName(d, true), "");

    h.valveName = "V1";
    h.Compute(d);
    EXPECT_EQ(h.autoValveSize, "DN15");
    EXPECT_EQ(h.flags & THydraulic::kBitPressureExceeded, THydraulic::kBitPressureExceeded);
    EXPECT_EQ(h.valvePosition, "N"); // fully open, and still too much
    EXPECT_TRUE(h.flags & THydraulic::kBitValveTooOpen);
    EXPECT_EQ(h.ValveDisplayName(d, true), "Valve DN15");

    // Enough pressure: a middle position takes up exactly the rest.
    h.availablePressure = h.circuitPressureDrop + 3000;
    h.Compute(d);
    EXPECT_EQ(h.flags, 0);
    EXPECT_EQ(h.valvePressureDrop, 3000);
    EXPECT_FALSE(h.valvePosition.empty());
    // Far too much pressure: the valve cannot throttle it, and it is noisy.
    h.availablePressure = h.circuitPressureDrop + 400000;
    h.Compute(d);
    EXPECT_EQ(h.valvePosition, "1");
    EXPECT_EQ(h.flags, THydraulic::kBitValveTooClosed);

    h.valveName = "Missing";
    h.valveSize = "DN20";
    h.Compute(d);
    EXPECT_EQ(h.flags, THydraulic::kBitValveMissing);
    EXPECT_EQ(h.valvePressureDrop, 0);
    EXPECT_EQ(h.valvePosition, "");
    EXPECT_EQ(h.ValveDisplayName(d, true), "\\redMissing DN20");
    EXPECT_EQ(h.ValveDisplayName(d, false), "Missing DN20");

    // The report names the tube before the pressures and the valve after them.
    TPrintfStringStream report;
    WriteHydraulicReport(report, h, d);
    const std::string& text = report.Text();
    const auto tube = text.find("PE-X 16x2"), valve = text.find("Missing DN20");
    ASSERT_NE(tube, std::string::npos) << text;
    ASSERT_NE(valve, std::string::npos) << text;
    EXPECT_LT(tube, valve);
}

TEST(THydraulic, FittingsAndDegenerateFlows)
{
    test::ScopedLanguage lang;
    const TDevices& d = test::CalcCatalogue();
    THydraulic h = Circuit(172.5f);
    TResist elbow;
    elbow.SelectItem(d, "Elbow");
    elbow.count = 3;
    TResist gone;
    gone.resistName = "Gone";
    h.fittings = {elbow, gone};
    h.Compute(d);
    EXPECT_EQ(h.flags, THydraulic::kBitFittingErrors);
    EXPECT_EQ(h.fittingsPressureDrop, std::floor(h.fittings[0].pressureDrop + 0.5f));
    EXPECT_EQ(h.circuitPressureDrop, h.tubePressureDrop + h.fittingsPressureDrop);

    // The lines add up in the stored single: 10.2 + 0.3 Pa make 10.5 Pa, which
    // rounds up, although the singles' exact sum lies just below the half.
    TResist a, b;
    a.unique = b.unique = 1;
    a.resistMode = b.resistMode = 2; // dp
    a.value = 10.2f;
    b.value = 0.3f;
    h.fittings = {a, b};
    h.Compute(d);
    EXPECT_EQ(h.fittingsPressureDrop, 11);

    // No flow, no density: zero flows, never a NaN.
    for (float rho : {971.9f, 0.0f}) {
        THydraulic z = Circuit(0);
        z.valveName = "V1";
        z.fittings = {elbow};
        z.medium.density = rho;
        z.massFlow = rho == 0 ? 100 : 0;
        z.Compute(d);
        EXPECT_EQ(z.VolumeFlow(), 0);
        EXPECT_EQ(z.velocity, 0);
        EXPECT_TRUE(AllFinite(z));
    }
}

TEST(THydraulic, DefaultsAndRecord)
{
    test::ScopedLanguage lang;
    TProjektOptions o("V1");
    o.extraLength = 3;
    o.medium.mediumName = "Glycol";
    THydraulic h(o);
    EXPECT_EQ(h.extraLength, 3);
    EXPECT_EQ(h.extraInMetres, 1);
    EXPECT_EQ(h.valveName, "V1");
    EXPECT_EQ(h.medium.forward, 38);
    EXPECT_EQ(h.availablePressure, 20000);

    h = Circuit(172.5f);
    h.valveName = "V1";
    h.fittings.resize(2);
    h.fittings[1].resistName = "x";
    h.Compute(test::CalcCatalogue());
    TMemoryStream s;
    WriteHydraulic(s, h);
    const std::string& b = s.Data();
    EXPECT_EQ(b.substr(0, 2), std::string("\x65\x00", 2));           // block 101
    EXPECT_EQ(b.substr(b.size() - 4), std::string("\x64\0\0\0", 4)); // end block 100

    TMemoryStream in(b);
    THydraulic back;
    back.fittings.resize(5); // reading starts a fresh list
    ReadHydraulic(in, back, 256);
    EXPECT_EQ(back, h);
    EXPECT_TRUE(in.AtEnd());

    // An unknown block is skipped; a stream ending before the end block stops cleanly.
    std::string withUnknown = std::string("\x77\0\x03\0abc", 7) + b;
    TMemoryStream u(withUnknown);
    THydraulic fromUnknown;
    ReadHydraulic(u, fromUnknown, 256);
    EXPECT_EQ(fromUnknown, h);
    TMemoryStream open(b.substr(0, b.size() - 4));
    THydraulic unfinished;
    ReadHydraulic(open, unfinished, 256);
    EXPECT_EQ(unfinished, h);
    // Cut inside a block: refused.
    TMemoryStream cut(b.substr(0, 30));
    THydraulic partial;
    EXPECT_THROW(ReadHydraulic(cut, partial, 256), KalorinaError);

    TMemoryStream other(b);
    THydraulic untouched;
    EXPECT_THROW(ReadHydraulic(other, untouched, 255), KalorinaError);
    EXPECT_EQ(other.Position(), 0u);
}
