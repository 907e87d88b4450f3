#include "lang/LanguageLoader.h"
#include <gtest/gtest.h>

#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/ItemListDBItem.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"

using namespace kalorina;

namespace {
const std::string kData = std::string(KALORINA_SOURCE_DIR) + "/data";
}

TEST(CatalogueShipped, LoadsCompletelyInBothLanguages)
{
    // The catalogue is filtered by the code each shipped language file gives.
    for (const char* file : {"magyar.xml", "english.xml"}) {
        auto lang = LoadLanguageFile(std::string(KALORINA_SOURCE_DIR "/languages/") + file);
        ASSERT_TRUE(lang.has_value()) << file;
        std::string language = lang->Strings["IDS_DEVICEDBLANGUAGE"];
        ASSERT_FALSE(language.empty()) << file;
        TDevices d(kData, language);
        ASSERT_FALSE(d.Failed()) << language << ": " << d.FailureMessage();
        EXPECT_TRUE(d.FailedValves().empty()) << language;
        EXPECT_TRUE(d.WriteSecurityCodes().empty());
        EXPECT_GE(d.Items(kFloorHeatingKind).size(), 3u);
        EXPECT_EQ(d.Items(kTubeKind).size(), 2u);
        EXPECT_EQ(d.Items(kValveKind).size(), 3u);
        EXPECT_GE(d.Items(kResistKind).size(), 4u);
        EXPECT_EQ(d.Items(kMediumKind).size(), 3u);
        EXPECT_FALSE(d.DefaultValveName().empty());
        // Every system is laid with a tube size the catalogue has, and has the four
        // coverings for every spacing.
        for (const auto& item : d.Items(kFloorHeatingKind)) {
            auto& fh = dynamic_cast<const FloorHeatDBItem&>(*item);
            auto* tube = d.Find<TubeDBItem>(kTubeKind, fh.tubeType);
            ASSERT_NE(tube, nullptr) << fh.tubeType;
            EXPECT_GE(tube->FindSize(fh.tubeSize), 0);
            ASSERT_EQ(fh.surfaces.size(), 4u);
            EXPECT_FLOAT_EQ(fh.surfaces.back().heatResist, 0.15f);
            EXPECT_EQ(fh.distances.back().distance, 300);
            for (const auto& sf : fh.surfaces)
                EXPECT_EQ(sf.equationCount, static_cast<int>(fh.distances.size()));
        }
        // Every kit named by an estimate code exists.
        for (const auto& item : d.Items(kPieceListKind))
            for (const auto& e : dynamic_cast<const ItemListDBItem&>(*item).entries)
                if (!e.estimateCode.empty() && e.estimateCode[0] == '@') {
                    EXPECT_NE(d.FindDevice(kPieceListKind, e.estimateCode), nullptr) << e.estimateCode;
                }
    }
}

TEST(CatalogueShipped, DataArePhysicallySound)
{
    TDevices d(kData, "hu");
    auto* fh = d.Find<FloorHeatDBItem>(kFloorHeatingKind, "Vexalon Nedves 16");
    ASSERT_NE(fh, nullptr);
    EXPECT_EQ(fh->itemPath, "Padl\xF3\x66\xFBt\xE9s\\Nedves rendszerek");
    double dt = FloorHeatDBItem::LogMeanDifference(45, 35, 20);
    int s100 = fh->SpacingIndex(100);
    // Tiles over 45 mm of screed at 100 mm spacing, 45/35 °C water, 20 °C room.
    double q = fh->SpecificOutput(dt, 0.05, s100);
    EXPECT_GT(q, 90);
    EXPECT_LT(q, 130);
    // Output falls with wider spacing and with more covering.
    EXPECT_LT(fh->SpecificOutput(dt, 0.05, fh->SpacingIndex(300)), q);
    EXPECT_LT(fh->SpecificOutput(dt, 0.15, s100), q);

    auto* water = d.Find<MediumDBItem>(kMediumKind, "V\xEDz");
    ASSERT_NE(water, nullptr);
    auto eval = [&](const char* name, double t) {
        return MediumDBItem::Evaluate(water->characteristics.at(water->FindCharacteristic(name)), t);
    };
    EXPECT_NEAR(eval("ro", 45), 990.2, 0.3);
    EXPECT_NEAR(eval("nu", 45), 0.602e-6, 0.01e-6);
    EXPECT_NEAR(eval("C", 45), 4180, 3);

    auto* tube = d.Find<TubeDBItem>(kTubeKind, "Vexalon PE-Xa");
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->DisplayName("16x2"), "Vexalon PE-Xa padl\xF3\x66\xFBt\xE9si cs\xF5 16x2 ");
    // 150 kg/h through 16x2 at 40 °C: about 0.37 m/s and some 200 Pa/m.
    double V = 150.0 / 3600 / 992.2;
    EXPECT_NEAR(tube->Velocity("16x2", V), 0.371, 0.005);
    double r = tube->PressureGradient("16x2", V, 992.2, 0.658e-6);
    EXPECT_GT(r, 150);
    EXPECT_LT(r, 400);

    auto* valve = d.Find<ValveDBItem>(kValveKind, d.DefaultValveName());
    ASSERT_NE(valve, nullptr);
    EXPECT_EQ(valve->SizeByDN(tube->SizeValveDN("20x2")), "DN20");
    auto choice = valve->ChoosePosition("DN15", 5000, V, 992.2);
    EXPECT_EQ(choice.warning, kValveNoWarning);
    EXPECT_EQ(choice.pressureDrop, 5000);

    auto* elbow = d.Find<ResistDBItem>(kResistKind, "K\xF6ny\xF6k 90\xB0");
    ASSERT_NE(elbow, nullptr);
    EXPECT_EQ(elbow->SizeByDN(tube->SizeDN("16x2"), tube->SizeValveDN("16x2")), "DN12");
}
