#pragma once
// A small catalogue for the sizing tests: one floor heating system with spacings
// 100/150/200 under two coverings, a tube, a signed valve, fittings and media.
#include <cstdio>
#include <memory>
#include <string>

#include "CatalogueTestSupport.h"
#include "catalogue/SecurityCode.h"
#include "catalogue/TDevices.h"

namespace kalorina::test {

// A number as "%g" writes it.
inline std::string Plain(double x)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", x);
    return buf;
}

inline std::string CalcCatalogueXml(const std::string& valveCode)
{
    auto equation = [](const char* steep) {
        return std::string("<Equation><LineSteep>") + steep
            + "</LineSteep><LineyIntersection>0</LineyIntersection><Exponent>1</Exponent>"
              "<SurfaceTempFactor>1</SurfaceTempFactor></Equation>";
    };
    std::string fh = "<TervaldDBFloorHeating>" + Header("FH", "Systems")
        + "<TubeType>PEX</TubeType><TubeSize>16x2</TubeSize>"
          "<Division><Distance>100</Distance><EstimateCode>E100</EstimateCode></Division>"
          "<Division><Distance>150</Distance></Division><Division><Distance>200</Distance></Division>"
          "<Surface><SurfaceName>Tile</SurfaceName><HeatResist>0,01</HeatResist>"
        + equation("6") + equation("5") + equation("4")
        + "</Surface><Surface><SurfaceName>Parquet</SurfaceName><HeatResist>0,1</HeatResist>" + equation("4")
        + equation("3") + equation("2") + "</Surface></TervaldDBFloorHeating>\n";
    std::string tube = "<TervaldDBTube>" + Header("PEX", "Tubes")
        + "<NameBase>PE-X %s</NameBase><TubeSubType><SizeName>16x2</SizeName><DN>12</DN><ValveDN>15</ValveDN>"
          "<d1>12</d1><d2>16</d2><Roughness>0,007</Roughness><EstimateCode>T16</EstimateCode></TubeSubType>"
          "</TervaldDBTube>\n";
    std::string valve = "<TervaldDBValve ResistMode=\"kv\" ProjektOptionsDefault=\"yes\">"
        + Header("V1", "Valves", valveCode.empty() ? "" : "<SecurityCode>" + valveCode + "</SecurityCode>")
        + "<NameBase>Valve %s</NameBase><ValveSubType><SizeName>DN15</SizeName><DN>15</DN>"
          "<NoiceLimit>30000</NoiceLimit>"
          "<Position><PositionString>1</PositionString><ResistValue>0,1</ResistValue></Position>"
          "<Position><PositionString>2</PositionString><ResistValue>0,3</ResistValue></Position>"
          "<Position><PositionString>3</PositionString><ResistValue>0,6</ResistValue></Position>"
          "<Position><PositionString>N</PositionString><ResistValue>1,5</ResistValue></Position>"
          "</ValveSubType></TervaldDBValve>\n";
    std::string fittings = "<TervaldDBResist ResistMode=\"zeta\" Listing=\"Yes\">" + Header("Elbow", "Fittings")
        + "<NameBase>Elbow %s</NameBase><DefaultValue>1,5</DefaultValue>"
          "<ResistSubType><SizeName>E12</SizeName><DN>12</DN></ResistSubType>"
          "<ResistSubType><SizeName>E20</SizeName><DN>20</DN></ResistSubType></TervaldDBResist>\n"
          "<TervaldDBResist ResistMode=\"kv\">"
        + Header("Ball", "Fittings")
        + "<NameBase>Ball valve %s</NameBase><DefaultValue>2</DefaultValue>"
          "<ResistSubType><SizeName>B15</SizeName><DN>15</DN></ResistSubType></TervaldDBResist>\n";
    std::string media = "<TervaldDBMedium>" + Header("Glycol", "Media")
        + "<Characteristic Mode=\"polinom\"><Name>ro</Name><PolinomValue>1030</PolinomValue></Characteristic>"
          "<Characteristic Mode=\"polinom\"><Name>nu</Name><PolinomValue>2e-6</PolinomValue></Characteristic>"
          "<Characteristic Mode=\"polinom\"><Name>C</Name><PolinomValue>2</PolinomValue>"
          "<PolinomValue>3700</PolinomValue></Characteristic></TervaldDBMedium>\n"
        + "<TervaldDBMedium>" + Header("Thin", "Media")
        + "<Characteristic Mode=\"polinom\"><Name>ro</Name><PolinomValue>1000</PolinomValue></Characteristic>"
          "</TervaldDBMedium>\n";
    return fh + tube + valve + fittings + media;
}

// Loaded once per process; the valve's signature is computed on a first load.
inline const TDevices& CalcCatalogue()
{
    static std::unique_ptr<TDevices> devices = [] {
        ScratchCatalogue unsigned_;
        unsigned_.Write("cat.xml", CalcCatalogueXml(""));
        TDevices first(unsigned_.Dir(), "Magyar");
        std::string code = SecurityCodeFor(first.FailedValves().at(0)->CheckValue());
        ScratchCatalogue signed_;
        signed_.Write("cat.xml", CalcCatalogueXml(code));
        auto d = std::make_unique<TDevices>(signed_.Dir(), "Magyar");
        return d;
    }();
    return *devices;
}

} // namespace kalorina::test
