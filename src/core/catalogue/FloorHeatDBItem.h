#pragma once
// A floor heating system: a tube laid at up to 16 spacings under several coverings,
// with the characteristic equation of each covering and spacing, and the thermal
// model of the room dialog and the fields built on them.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/DeviceDBItem.h"
#include "catalogue/FieldDesignInput.h"
#include "catalogue/SpacingRowResult.h"

namespace kalorina {

inline constexpr int kMaxSpacings = 16;

struct FloorHeatDistanceType {
    std::int16_t distance = 0; // mm
    std::string estimateCode;
};

struct FloorHeatSurfaceType {
    std::string surfaceName;
    float heatResist = 0; // m²K/W
    int equationCount = 0;
    std::array<float, kMaxSpacings> lineSteep{};
    std::array<float, kMaxSpacings> lineyIntersection{};
    std::array<float, kMaxSpacings> surfaceTempFactor;
    std::array<float, kMaxSpacings> exponent;

    FloorHeatSurfaceType()
    {
        surfaceTempFactor.fill(1.0f);
        exponent.fill(1.0f);
    }
};

class FloorHeatDBItem : public DeviceDBItem {
public:
    FloorHeatDBItem() : DeviceDBItem(0, false) {}

    std::string tubeType;
    std::string tubeSize;
    std::vector<FloorHeatSurfaceType> surfaces;
    std::vector<FloorHeatDistanceType> distances;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::string ImplausibleNumber() const override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<FloorHeatDBItem>(*this); }

    std::vector<std::string> CoveringNames() const;
    std::vector<std::string> SpacingNames() const;
    std::pair<double, double> ResistanceRange() const;
    int SpacingIndex(int spacing) const;
    // Index of the spacing nearest to `spacing` (the earlier on a tie), which is set
    // to that spacing's value; -1 and unchanged when there is none.
    int NearestSpacing(int& spacing) const;

    // Fails with IDS_DTLOGERROR unless tV > tX > ti.
    static double LogMeanDifference(double tV, double tX, double ti);
    double SpecificOutput(double dTheta, double R, int s) const;
    double SurfaceTemperature(double q, double ti, double R, int s) const;
    SpacingRowResult SpacingRow(double R, int s, const FieldDesignInput& input) const;
    OptimumSplitResult OptimumSplit(double R, const FieldDesignInput& input) const;

    // Equation of one covering and spacing.
    double CoveringOutput(int c, int s, double dTheta) const;
    double CoveringSurfaceTemperature(int c, int s, double q, double ti) const;

    // Upper limit of the surface temperature of a zone type; +infinity for a field
    // without a zone (no limit, never marked).
    static double ZoneSurfaceLimit(int zoneType);

    // Cell text of column `columnId` (0 spacing, 1 q, 2 tf, 3 area, 4 power,
    // 5 downward power) of a choice-list row; tf above the zone's limit gets "\red".
    static std::string ChooseRowCellText(int columnId, const SpacingRowResult& row, int zoneType,
                                         const std::function<std::string(double)>& format);

private:
    struct Bracket {
        bool valid = false;
        int i = 0;
        int j = 0;
        double w = 0; // weight of covering i
    };
    Bracket FindBracket(double R) const;
    bool ValidSpacing(int s) const { return s >= 0 && s < static_cast<int>(distances.size()) && s < kMaxSpacings; }
    void ReadDivision(CatalogueReader& reader);
    void ReadSurface(CatalogueReader& reader);
};

} // namespace kalorina
