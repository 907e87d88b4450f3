// kalorina-cli size: the room dialog's spacing choice list in batch form, one row
// per spacing of a floor heating system and the optimum split of the area.
#include <cstdio>
#include <map>
#include <ostream>

#include "CliCatalogue.h"
#include "catalogue/FloorHeatDBItem.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/InputRange.h"
#include "util/ParseNumber.h"

namespace kalorina::cli {
namespace {

const char* const kSynopsis =
    "[--data DIR] size --system NAME --resistance R --forward T --return T --inside T --power W --area A "
    "[--below T] [--downk K] [--zone Z] [--json]";

int Run(Context& ctx)
{
    std::map<std::string, std::string> opt;
    bool json = false;
    static const char* const kKnown[] = {"--system", "--resistance", "--forward", "--return", "--inside",
                                         "--power",  "--area",       "--below",   "--downk",  "--zone"};
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--json") {
            json = true;
            continue;
        }
        bool known = false;
        for (const char* k : kKnown)
            known = known || a == k;
        if (!known)
            return Usage(ctx, "size: unknown argument '" + a + "'");
        if (i + 1 >= ctx.args.size())
            return Usage(ctx, "size: " + a + " needs a value");
        opt[a] = ctx.args[++i];
    }
    for (const char* required : {"--system", "--resistance", "--forward", "--return", "--inside", "--power", "--area"})
        if (!opt.count(required))
            return Usage(ctx, std::string("size: ") + required + " is required");

    FieldDesignInput in;
    double resistance = 0;
    int zone = 0;
    try {
        // The same ranges as the dialogs, each option named as the field.
        auto num = [&](const char* name, InputKind kind, double fallback) {
            auto it = opt.find(name);
            return it == opt.end() ? fallback : ParseInput(Utf8ToCp1250(it->second), kind, name);
        };
        resistance = num("--resistance", InputKind::Resistance, 0);
        in.forward = num("--forward", InputKind::WaterTemperature, 0);
        in.ret = num("--return", InputKind::WaterTemperature, 0);
        in.inside = num("--inside", InputKind::Temperature, 0);
        in.power = num("--power", InputKind::PowerRequest, 0);
        in.area = num("--area", InputKind::FreeArea, 0);
        in.below = num("--below", InputKind::Temperature, in.inside);
        in.downK = num("--downk", InputKind::DownK, 0);
        zone = static_cast<int>(num("--zone", InputKind::Zone, 0));
    } catch (const KalorinaError& e) {
        return Usage(ctx, "size: " + Cp1250ToUtf8(e.what()));
    }

    auto devices = LoadCliCatalogue(ctx);
    auto* fh = devices->Find<FloorHeatDBItem>(kFloorHeatingKind, Utf8ToCp1250(opt["--system"]));
    if (!fh)
        return Fail(ctx, "size: no floor heating system named '" + opt["--system"] + "'");

    std::vector<SpacingRowResult> rows;
    OptimumSplitResult best;
    try {
        for (std::size_t s = 0; s < fh->distances.size(); ++s)
            rows.push_back(fh->SpacingRow(resistance, static_cast<int>(s), in));
        best = fh->OptimumSplit(resistance, in);
    } catch (const KalorinaError& e) {
        return Fail(ctx, Cp1250ToUtf8(e.what()));
    }
    const double limit = FloorHeatDBItem::ZoneSurfaceLimit(zone);
    if (json) {
        ctx.out << "{\"rows\":[";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto& r = rows[i];
            ctx.out << (i ? "," : "") << "{\"spacing\":" << r.spacing << ",\"q\":" << JsonNumber(r.q)
                    << ",\"tf\":" << JsonNumber(r.tf) << ",\"area\":" << JsonNumber(r.area)
                    << ",\"power\":" << JsonNumber(r.power) << ",\"downPower\":" << JsonNumber(r.downPower)
                    << ",\"overLimit\":" << (r.tf > limit ? "true" : "false") << "}";
        }
        ctx.out << "],\"optimum\":{\"spacing1\":" << best.spacing1 << ",\"area1\":" << JsonNumber(best.area1)
                << ",\"spacing2\":" << best.spacing2 << ",\"area2\":" << JsonNumber(best.area2) << "}}\n";
        return kOk;
    }
    char line[160];
    ctx.out << "spacing       q      tf    area    power  downPower\n";
    for (const auto& r : rows) {
        std::snprintf(line, sizeof line, "%7d %7.1f %7.1f%s %7.1f %8.0f %10.0f\n", r.spacing, r.q, r.tf,
                      r.tf > limit ? "!" : " ", r.area, r.power, r.downPower);
        ctx.out << WithDecimalSeparator(line);
    }
    std::snprintf(line, sizeof line, "optimum: %d mm %.1f m2", best.spacing1, best.area1);
    ctx.out << WithDecimalSeparator(line);
    if (best.spacing2) {
        std::snprintf(line, sizeof line, " + %d mm %.1f m2", best.spacing2, best.area2);
        ctx.out << WithDecimalSeparator(line);
    }
    ctx.out << "\n(! surface temperature above the zone's limit)\n";
    return kOk;
}

const bool registered = RegisterCommand({"size", kSynopsis, Run});

} // namespace
} // namespace kalorina::cli
