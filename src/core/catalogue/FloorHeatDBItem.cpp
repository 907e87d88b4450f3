#include "catalogue/FloorHeatDBItem.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/Rounding.h"
#include "util/Error.h"

namespace kalorina {

std::vector<std::string> FloorHeatDBItem::CoveringNames() const
{
    std::vector<std::string> names;
    for (const auto& s : surfaces)
        names.push_back(s.surfaceName);
    return names;
}

std::vector<std::string> FloorHeatDBItem::SpacingNames() const
{
    std::vector<std::string> names;
    for (const auto& d : distances)
        names.push_back(std::to_string(d.distance));
    return names;
}

std::pair<double, double> FloorHeatDBItem::ResistanceRange() const
{
    if (surfaces.empty())
        return {0.0, 0.0};
    return {surfaces.front().heatResist, surfaces.back().heatResist};
}

int FloorHeatDBItem::SpacingIndex(int spacing) const
{
    for (std::size_t i = 0; i < distances.size(); ++i)
        if (distances[i].distance == spacing)
            return static_cast<int>(i);
    return -1;
}

int FloorHeatDBItem::NearestSpacing(int& spacing) const
{
    int exact = SpacingIndex(spacing);
    if (exact >= 0)
        return exact;
    int best = -1;
    long bestDiff = 0;
    for (std::size_t i = 0; i < distances.size(); ++i) {
        long diff = std::labs(static_cast<long>(distances[i].distance) - spacing);
        if (best < 0 || diff < bestDiff) {
            best = static_cast<int>(i);
            bestDiff = diff;
        }
    }
    if (best >= 0)
        spacing = distances[best].distance;
    return best;
}

double FloorHeatDBItem::LogMeanDifference(double tV, double tX, double ti)
{
    // The temperatures are those of stored fields: single precision.
    double v = static_cast<float>(tV), x = static_cast<float>(tX), i = static_cast<float>(ti);
    if (v > x && x > i)
        return (v - x) / std::log((v - i) / (x - i));
    throw KalorinaError(CatalogueText("IDS_DTLOGERROR"));
}

double FloorHeatDBItem::CoveringOutput(int c, int s, double dTheta) const
{
    const auto& sf = surfaces[c];
    double q = sf.lineSteep[s] * std::pow(dTheta, static_cast<double>(sf.exponent[s])) + sf.lineyIntersection[s];
    if (!(q > 0) || !std::isfinite(q))
        q = 0;
    return Round1(q);
}

double FloorHeatDBItem::CoveringSurfaceTemperature(int c, int s, double q, double ti) const
{
    double base = q * surfaces[c].surfaceTempFactor[s] * (1.0 / 8.92);
    // A negative excess has no real power; no output means no warming of the floor.
    if (!(base > 0) || !std::isfinite(base))
        return ti;
    return ti + std::pow(base, 0.909);
}

FloorHeatDBItem::Bracket FloorHeatDBItem::FindBracket(double resistance) const
{
    // R is stored as a single like the coverings' resistances, so an R equal to a
    // covering's gives exactly that covering's values.
    const double R = static_cast<float>(resistance);
    Bracket b;
    int n = static_cast<int>(surfaces.size());
    if (n == 0)
        return b;
    if (R < 0.99 * surfaces[0].heatResist || R > 1.01 * surfaces[n - 1].heatResist)
        return b;
    b.valid = true;
    if (n < 2) {
        b.i = b.j = 0;
        b.w = 1;
        return b;
    }
    int j = 1;
    while (j < n && R > surfaces[j].heatResist)
        ++j;
    if (j == n) {
        // Above the last covering but within the tolerance: the last covering alone,
        // rather than extrapolating beyond the data.
        b.i = b.j = n - 1;
        b.w = 1;
        return b;
    }
    b.i = j - 1;
    b.j = j;
    double ri = surfaces[b.i].heatResist, rj = surfaces[b.j].heatResist;
    b.w = rj != ri ? (rj - R) / (rj - ri) : 1.0;
    return b;
}

double FloorHeatDBItem::SpecificOutput(double dTheta, double R, int s) const
{
    Bracket b = FindBracket(R);
    if (!b.valid || !ValidSpacing(s))
        return 0;
    return b.w * CoveringOutput(b.i, s, dTheta) + (1 - b.w) * CoveringOutput(b.j, s, dTheta);
}

double FloorHeatDBItem::SurfaceTemperature(double q, double ti, double R, int s) const
{
    Bracket b = FindBracket(R);
    if (!b.valid || !ValidSpacing(s))
        return 0;
    return b.w * CoveringSurfaceTemperature(b.i, s, q, ti) + (1 - b.w) * CoveringSurfaceTemperature(b.j, s, q, ti);
}

SpacingRowResult FloorHeatDBItem::SpacingRow(double R, int s, const FieldDesignInput& in) const
{
    // Each value is stored in the row as a single as soon as it is known, and the
    // later ones are computed from the stored values: a field made from the row
    // then shows the same figures.
    SpacingRowResult row;
    if (!ValidSpacing(s))
        return row;
    row.spacing = distances[s].distance;
    double dTheta = LogMeanDifference(in.forward, in.ret, in.inside);
    row.q = static_cast<float>(SpecificOutput(dTheta, R, s));
    if (row.q <= 0)
        return row;
    row.tf = static_cast<float>(SurfaceTemperature(row.q, in.inside, R, s));
    if (in.area <= 0 || in.power <= 0)
        return row;
    row.area = static_cast<float>(Round1(in.power / row.q));
    if (row.area <= 0)
        return row;
    if (row.area > in.area)
        row.area = static_cast<float>(in.area);
    row.power = static_cast<float>(static_cast<double>(row.area) * row.q);
    double d =
        in.below >= in.ret ? (in.forward + in.ret) / 2 - in.below : LogMeanDifference(in.forward, in.ret, in.below);
    row.downPower = static_cast<float>(row.area * d * in.downK);
    return row;
}

OptimumSplitResult FloorHeatDBItem::OptimumSplit(double R, const FieldDesignInput& in) const
{
    OptimumSplitResult r;
    int n = std::min(static_cast<int>(distances.size()), kMaxSpacings);
    if (in.power <= 0 || in.area <= 0 || n == 0)
        return r;
    double dTheta = LogMeanDifference(in.forward, in.ret, in.inside);
    auto q = [&](int s) { return SpecificOutput(dTheta, R, s); };
    int last = n - 1;
    if (q(0) * in.area <= in.power) {
        r.spacing1 = distances[0].distance;
        r.area1 = in.area;
        return r;
    }
    if (q(last) * in.area >= in.power) {
        r.spacing1 = distances[last].distance;
        r.area1 = Round1(in.power / q(last));
        return r;
    }
    int s = 1;
    while (s < last && !(q(s) * in.area < in.power))
        ++s;
    int a = s - 1, b = s;
    double qa = q(a), qb = q(b);
    double t = (in.power / in.area - qb) / (qa - qb);
    if (t < 0.1 && t * in.area < 5.0) {
        r.spacing1 = distances[b].distance;
        r.area1 = in.area;
        return r;
    }
    if ((1 - t) < 0.1 && (1 - t) * in.area < 5.0) {
        r.spacing1 = distances[a].distance;
        r.area1 = in.area;
        return r;
    }
    r.spacing1 = distances[a].distance;
    r.spacing2 = distances[b].distance;
    r.area1 = Round1(t * in.area);
    r.area2 = in.area - r.area1;
    return r;
}

double FloorHeatDBItem::ZoneSurfaceLimit(int zoneType)
{
    switch (zoneType) {
    case 0:
        return 29.0;
    case 1:
        return 35.0;
    case 2:
        return 33.0;
    default:
        return std::numeric_limits<double>::infinity();
    }
}

std::string FloorHeatDBItem::ChooseRowCellText(int columnId, const SpacingRowResult& row, int zoneType,
                                               const std::function<std::string(double)>& format)
{
    switch (columnId) {
    case 0:
        return format(row.spacing);
    case 1:
        return format(row.q);
    case 2: {
        std::string text = format(row.tf);
        return row.tf > ZoneSurfaceLimit(zoneType) ? "\\red" + text : text;
    }
    case 3:
        return format(row.area);
    case 4:
        return format(row.power);
    case 5:
        return format(row.downPower);
    default:
        return {};
    }
}

bool FloorHeatDBItem::ReadFromXml(CatalogueReader& r)
{
    return r.ReadElements("TervaldDBFloorHeating",
                          {
                              {"ItemHeader", [&] { ReadHeader(r); }},
                              r.TextElement("TubeType", tubeType, false, true),
                              r.TextElement("TubeSize", tubeSize, false, true),
                              {"Division", [&] { ReadDivision(r); }},
                              {"Surface", [&] { ReadSurface(r); }},
                          });
}

void FloorHeatDBItem::ReadDivision(CatalogueReader& r)
{
    if (distances.size() >= kMaxSpacings)
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+3"), {itemName}));
    FloorHeatDistanceType d;
    bool complete = r.ReadElements("Division",
                                   {
                                       r.Int16Element("Distance", d.distance),
                                       r.TextElement("EstimateCode", d.estimateCode, false, true),
                                   });
    if (complete)
        distances.push_back(std::move(d));
}

void FloorHeatDBItem::ReadSurface(CatalogueReader& r)
{
    FloorHeatSurfaceType sf;
    const int spacings = static_cast<int>(distances.size());
    // A coefficient goes to the equation being read, that is to the spacing counted
    // by the equations already ended.  It is parsed even when dropped: a malformed
    // number fails the load wherever it stands.
    auto coefficient = [&](std::array<float, kMaxSpacings>& values) {
        float value = 0;
        bool given = r.ReadFloat(value);
        int i = sf.equationCount;
        if (given && i < spacings && i < kMaxSpacings)
            values[i] = value;
    };
    bool complete = r.ReadElements("Surface",
                                   {
                                       r.TextElement("SurfaceName", sf.surfaceName, true, true),
                                       r.FloatElement("HeatResist", sf.heatResist),
                                       {"LineSteep", [&] { coefficient(sf.lineSteep); }},
                                       {"LineyIntersection", [&] { coefficient(sf.lineyIntersection); }},
                                       {"Exponent", [&] { coefficient(sf.exponent); }},
                                       {"SurfaceTempFactor", [&] { coefficient(sf.surfaceTempFactor); }},
                                       {"Equation", [&] { ++sf.equationCount; }, true},
                                   });
    if (!complete)
        return;
    if (sf.equationCount != spacings)
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+4"), {sf.surfaceName}));
    if (sf.surfaceName.empty())
        throw KalorinaError(CatalogueText("IDS_XMLPARSERERROR+13"));
    surfaces.push_back(std::move(sf));
}

} // namespace kalorina
