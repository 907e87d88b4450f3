#include "lang/LanguageLoader.h"
#include <algorithm>
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
        EXPECT_EQ(d.Items(kFloorHeatingKind).size(), 10u);
        EXPECT_EQ(d.Items(kTubeKind).size(), 3u);
        EXPECT_EQ(d.Items(kValveKind).size(), 3u);
        EXPECT_GE(d.Items(kResistKind).size(), 4u);
        EXPECT_EQ(d.Items(kMediumKind).size(), 1u);
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
    auto* fh = d.Find<FloorHeatDBItem>(kFloorHeatingKind, "Vexalon FH-W16");
    ASSERT_NE(fh, nullptr);
    EXPECT_EQ(fh->itemPath, "Padl\xF3\x66\xFBt\xE9s\\Nedves rendszerek\\16x2 mm cs\xF5");
    double dt = FloorHeatDBItem::LogMeanDifference(45, 35, 20);
    int s100 = fh->SpacingIndex(100);
    // Tiles over 45 mm of screed at 100 mm spacing, 45/35 °C water, 20 °C room.
    double q = fh->SpecificOutput(dt, 0.05, s100);
    EXPECT_GT(q, 90);
    EXPECT_LT(q, 130);
    // Output falls with wider spacing and with more covering.
    EXPECT_LT(fh->SpecificOutput(dt, 0.05, fh->SpacingIndex(300)), q);
    EXPECT_LT(fh->SpecificOutput(dt, 0.15, s100), q);
    // The surface turns red where the limit curve of the spacing puts the limit,
    // not only where the mean surface temperature reaches it: 300 mm on a bare
    // screed is limited to about 77 W/m2, 100 mm under carpet to the full 100.
    int s300 = fh->SpacingIndex(300);
    EXPECT_LT(fh->SurfaceTemperature(75, 20, 0, s300), 29);
    EXPECT_GT(fh->SurfaceTemperature(79, 20, 0, s300), 29);
    EXPECT_LT(fh->SurfaceTemperature(99, 20, 0.15, s100), 29);

    auto* water = d.Find<MediumDBItem>(kMediumKind,
                                       "H2O (IAPWS) 0-100 \xB0"
                                       "C");
    ASSERT_NE(water, nullptr);
    auto eval = [&](const char* name, double t) {
        return MediumDBItem::Evaluate(water->characteristics.at(water->FindCharacteristic(name)), t);
    };
    EXPECT_NEAR(eval("ro", 45), 990.2, 0.3);
    EXPECT_NEAR(eval("nu", 45), 0.602e-6, 0.01e-6);
    EXPECT_NEAR(eval("C", 45), 4180, 3);

    auto* tube = d.Find<TubeDBItem>(kTubeKind, "Vexalon PE-Xa");
    ASSERT_NE(tube, nullptr);
    EXPECT_EQ(tube->DisplayName("16x2"), "Vexalon PE-Xa padl\xF3\x66\xFBt\xE9si cs\xF5 16x2");
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

    auto* elbow = d.Find<ResistDBItem>(kResistKind, "Vexalon PF-E90");
    ASSERT_NE(elbow, nullptr);
    EXPECT_EQ(elbow->SizeByDN(tube->SizeDN("16x2"), tube->SizeValveDN("16x2")), "DN12");
}

namespace {

// Every name a project stores and looks up again, item by item and kind by kind.
std::vector<std::string> StoredNames(const TDevices& d)
{
    std::vector<std::string> names;
    for (int kind = 0; kind <= kPieceListKind; ++kind)
        for (const auto& item : d.Items(kind)) {
            std::string n = std::to_string(kind) + ":" + item->itemName;
            if (auto* fh = dynamic_cast<const FloorHeatDBItem*>(item.get())) {
                n += "|" + fh->tubeType + "|" + fh->tubeSize;
                for (const auto& sf : fh->surfaces)
                    n += "|" + sf.surfaceName;
            } else if (auto* tube = dynamic_cast<const TubeDBItem*>(item.get())) {
                for (const auto& s : tube->sizes)
                    n += "|" + s.sizeName;
            } else if (auto* valve = dynamic_cast<const ValveDBItem*>(item.get())) {
                for (const auto& s : valve->sizes)
                    n += "|" + s.sizeName;
            } else if (auto* fitting = dynamic_cast<const ResistDBItem*>(item.get())) {
                for (const auto& s : fitting->sizes)
                    n += "|" + s.sizeName;
            }
            names.push_back(n);
        }
    return names;
}

} // namespace

TEST(CatalogueShipped, StoredNamesAreTheSameInEveryLanguage)
{
    TDevices hu(kData, "hu"), en(kData, "en");
    ASSERT_FALSE(hu.Failed());
    ASSERT_FALSE(en.Failed());
    EXPECT_EQ(StoredNames(hu), StoredNames(en));
    EXPECT_EQ(hu.DefaultValveName(), en.DefaultValveName());
    // Folder names are translated, so the two trees do differ.
    EXPECT_NE(hu.Items(kValveKind).front()->itemPath, en.Items(kValveKind).front()->itemPath);
}

TEST(CatalogueShipped, ReviewedAsAnEngineerWould)
{
    for (const char* language : {"hu", "en"}) {
        TDevices d(kData, language);
        auto endsInBlank = [](const std::string& s) { return !s.empty() && s.back() == ' '; };
        for (const auto& item : d.Items(kTubeKind)) {
            auto& tube = dynamic_cast<const TubeDBItem&>(*item);
            for (const auto& s : tube.sizes)
                EXPECT_FALSE(endsInBlank(tube.DisplayName(s.sizeName))) << tube.itemName;
        }
        for (const auto& item : d.Items(kValveKind)) {
            auto& valve = dynamic_cast<const ValveDBItem&>(*item);
            for (const auto& s : valve.sizes)
                EXPECT_FALSE(endsInBlank(valve.DisplayName(s.sizeName))) << valve.itemName;
            // Valves sit in a folder of their own kind below the valves folder.
            EXPECT_NE(valve.itemPath.find('\\'), std::string::npos) << valve.itemName;
        }
        for (const auto& item : d.Items(kResistKind)) {
            auto& fitting = dynamic_cast<const ResistDBItem&>(*item);
            for (const auto& s : fitting.sizes)
                EXPECT_FALSE(endsInBlank(fitting.DisplayName(s.sizeName, ""))) << fitting.itemName;
        }
        // The turns of a meander have half the spacing as radius, and a tube is not
        // bent much tighter than twice its diameter even warmed (a 14 mm tube at 50 mm,
        // 20 mm from 100 mm); wider than 300 mm the floor between the tubes stays cold.
        // Each system sits in the folder of its tube size.
        for (const auto& item : d.Items(kFloorHeatingKind)) {
            auto& fh = dynamic_cast<const FloorHeatDBItem&>(*item);
            auto* tube = d.Find<TubeDBItem>(kTubeKind, fh.tubeType);
            ASSERT_NE(tube, nullptr);
            float outer = tube->sizes.at(tube->FindSize(fh.tubeSize)).d2;
            for (const auto& s : fh.distances) {
                EXPECT_GE(s.distance, 3.5 * outer) << fh.itemName;
                EXPECT_LE(s.distance, 300) << fh.itemName;
            }
            EXPECT_NE(fh.itemPath.find("\\" + fh.tubeSize + " "), std::string::npos) << fh.itemName;
        }
        // Every size of every tube has a bore, a roughness and a loop length, and the
        // manifold valve and the balancing valve come in its valve size.
        for (const auto& item : d.Items(kTubeKind)) {
            auto& tube = dynamic_cast<const TubeDBItem&>(*item);
            ASSERT_EQ(tube.sizes.size(), 4u) << tube.itemName;
            for (const auto& s : tube.sizes) {
                EXPECT_FLOAT_EQ(s.d1, s.d2 - 4) << tube.itemName << " " << s.sizeName;
                EXPECT_GT(s.roughness, 0) << tube.itemName;
                EXPECT_GE(s.maxLoopLength, 80) << tube.itemName;
                for (const std::string& name : {d.DefaultValveName(), std::string("Vexalon BV-Z")}) {
                    auto* valve = d.Find<ValveDBItem>(kValveKind, name);
                    ASSERT_NE(valve, nullptr) << name;
                    EXPECT_EQ(valve->sizes.at(valve->FindSize(valve->SizeByDN(s.valveDN))).dn, s.valveDN)
                        << name << " " << s.sizeName;
                }
            }
        }
        // One manifold kit for every outlet count, with the bar pair of that many
        // outlets, its end pieces and the two ball valves of the connection.
        for (int outlets = 2; outlets <= 12; ++outlets) {
            const std::string name = "@VX-HKV-" + std::to_string(outlets);
            auto* kit = d.Find<ItemListDBItem>(kPieceListKind, name);
            ASSERT_NE(kit, nullptr) << name;
            ASSERT_EQ(kit->entries.size(), 3u) << name;
            EXPECT_EQ(kit->entries[0].estimateCode, "VX-HKV-" + std::to_string(outlets));
            EXPECT_NE(kit->entries[0].name.find(" " + std::to_string(outlets) + " "), std::string::npos)
                << kit->entries[0].name;
            EXPECT_FLOAT_EQ(kit->entries[2].quantity, 2);
            auto* ballValve = d.Find<ResistDBItem>(kResistKind, "Vexalon BV-FB");
            ASSERT_NE(ballValve, nullptr);
            EXPECT_EQ(ballValve->SizeEstimateCode("DN20"), kit->entries[2].estimateCode);
        }
        EXPECT_EQ(d.FindDevice(kPieceListKind, "@VX-HKV-13"), nullptr);
        // Kits hold no valve: every circuit counts its own.
        for (const auto& item : d.Items(kPieceListKind))
            for (const auto& e : dynamic_cast<const ItemListDBItem&>(*item).entries)
                EXPECT_NE(e.type, kValveKind) << item->itemName;
        // The catalogue's media do not hide the program's built-in water.
        EXPECT_EQ(d.FindDevice(kMediumKind, "V\xEDz"), nullptr);
        EXPECT_EQ(d.FindDevice(kMediumKind, "Water"), nullptr);
    }
}

TEST(CatalogueShipped, MediaCoverTheirRange)
{
    TDevices d(kData, "hu");
    // Pure water at 0.1 MPa (saturated liquid at 100 °C), IAPWS-95 density and
    // specific heat, IAPWS 2008 viscosity, every 5 °C: also halfway between the
    // catalogue's points.
    struct Row {
        double t, rho, mu, cp;
    };
    const Row published[] = {
        {0, 999.84, 1.7914e-3, 4219.9},  {5, 999.97, 1.5182e-3, 4205.0},  {10, 999.70, 1.3059e-3, 4195.5},
        {15, 999.10, 1.1375e-3, 4188.5}, {20, 998.21, 1.0016e-3, 4184.4}, {25, 997.05, 0.8900e-3, 4181.3},
        {30, 995.65, 0.7972e-3, 4180.1}, {35, 994.03, 0.7191e-3, 4179.5}, {40, 992.22, 0.6527e-3, 4179.6},
        {45, 990.21, 0.5961e-3, 4180.4}, {50, 988.03, 0.5465e-3, 4181.5}, {55, 985.69, 0.5036e-3, 4183.1},
        {60, 983.20, 0.4660e-3, 4185.1}, {65, 980.55, 0.4329e-3, 4187.4}, {70, 977.76, 0.4035e-3, 4190.2},
        {75, 974.84, 0.3778e-3, 4193.3}, {80, 971.79, 0.3540e-3, 4196.9}, {85, 968.61, 0.3339e-3, 4200.8},
        {90, 965.31, 0.3146e-3, 4205.2}, {95, 961.88, 0.2975e-3, 4210.1}, {100, 958.35, 0.2818e-3, 4215.7}};
    auto* water = d.Find<MediumDBItem>(kMediumKind,
                                       "H2O (IAPWS) 0-100 \xB0"
                                       "C");
    ASSERT_NE(water, nullptr);
    EXPECT_FLOAT_EQ(water->tempMin, 0);
    EXPECT_FLOAT_EQ(water->tempMax, 100);
    auto eval = [](const MediumDBItem& m, const char* name, double t) {
        int i = m.FindCharacteristic(name);
        return i < 0 ? 0.0 : MediumDBItem::Evaluate(m.characteristics[i], t);
    };
    for (const Row& r : published) {
        EXPECT_NEAR(eval(*water, "ro", r.t), r.rho, r.rho * 0.001) << r.t;
        EXPECT_NEAR(eval(*water, "nu", r.t), r.mu / r.rho, r.mu / r.rho * 0.01) << r.t;
        EXPECT_NEAR(eval(*water, "C", r.t), r.cp, r.cp * 0.01) << r.t;
    }
    // Only media checked against a published table are shipped (glycol mixes are
    // the supplier's values, typed as a user-defined medium), and each has points
    // over the whole range it claims.
    ASSERT_EQ(d.Items(kMediumKind).size(), 1u);
    for (const auto& item : d.Items(kMediumKind)) {
        auto& m = dynamic_cast<const MediumDBItem&>(*item);
        for (const auto& f : m.characteristics) {
            ASSERT_FALSE(f.temperatures.empty()) << m.itemName;
            EXPECT_LE(*std::min_element(f.temperatures.begin(), f.temperatures.end()), m.tempMin) << m.itemName;
            EXPECT_GE(*std::max_element(f.temperatures.begin(), f.temperatures.end()), m.tempMax) << m.itemName;
        }
    }
}
