// kalorina-cli heatload PROJECT.klp [--json] [--apply -o OUT.klp]: each room's heat
// load from its elements and air, with the building's sum; --apply writes the
// rounded loads as the rooms' heat losses (rooms that keep a typed value keep it).
// kalorina-cli building export PROJECT.klp: the heat-load data as JSON;
// kalorina-cli building import PROJECT.klp FILE.json -o OUT.klp: the project with them.
#include <charconv>
#include <cmath>
#include <ostream>

#include "CliCommand.h"
#include "CliProject.h"
#include "FileBytes.h"
#include "app/ProjectFiles.h"
#include "building/BuildingJson.h"
#include "building/HeatLoad.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/Json.h"

namespace kalorina::cli {

namespace {

// The loads unrounded, to the last digit that reads back to the same double: a
// checker rounding a total to whole watts must round what the program rounds.
std::string Precise(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

// A U that is a stored single as the single reads (0.24, not 0.23999999463558197);
// one computed from layers to the last digit.
std::string PreciseU(double u)
{
    const float single = static_cast<float>(u);
    if (double(single) != u || !std::isfinite(u))
        return Precise(u);
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, single).ptr;
    return std::string(buffer, end);
}

std::string RoomJson(const RoomLoad& r)
{
    return JsonObject()
        .Text("room", r.room)
        .Raw("transmission", Precise(r.transmission))
        .Raw("transmissionH", Precise(r.transmissionH))
        .Raw("ventilation", Precise(r.ventilation))
        .Raw("heatingUp", Precise(r.heatingUp))
        .Raw("total", Precise(r.total))
        .Raw("elements",
             Array(r.elements,
                   [](const ElementLoad& e) {
                       return JsonObject()
                           .Text("name", e.name)
                           .Raw("u", PreciseU(e.u))
                           .Raw("factor", Precise(e.factor))
                           .Raw("h", Precise(e.h))
                           .Raw("watts", Precise(e.watts))
                           .Str();
                   }))
        .Str();
}

std::string Watts(double w)
{
    return FloatToStrF(w, TFloatFormat::Fixed, 15, 0);
}

int RunHeatLoad(Context& ctx)
{
    std::string path, output;
    bool json = false, apply = false;
    for (std::size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        if (a == "--json")
            json = true;
        else if (a == "--apply")
            apply = true;
        else if (a == "-o") {
            if (i + 1 >= ctx.args.size())
                return Usage(ctx, "heatload: -o needs a file name");
            output = ctx.args[++i];
        } else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "heatload: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "heatload needs a project file");
    if (apply != !output.empty())
        return Usage(ctx, "heatload: --apply and -o OUT.klp go together");
    TProject project;
    if (int failed = ReadCliProject(ctx, path, project); failed != kOk)
        return failed;
    if (int refused = RefuseImplausibleValues(ctx, project))
        return refused;
    const BuildingLoad load = BuildingHeatLoad(project);
    if (apply) {
        ApplyHeatLoads(project);
        try {
            WriteProjectFile(output, project);
        } catch (const KalorinaError& e) {
            return Fail(ctx, Cp1250ToUtf8(e.what()));
        }
    }
    if (json) {
        ctx.out << JsonObject().Raw("rooms", Array(load.rooms, RoomJson)).Raw("building", Precise(load.total)).Str()
                << "\n";
    } else {
        for (const RoomLoad& r : load.rooms)
            ctx.out << "room " << Cp1250ToUtf8(r.room) << ": transmission " << Watts(r.transmission) << " W, air "
                    << Watts(r.ventilation) << " W, heating up " << Watts(r.heatingUp) << " W, total " << Watts(r.total)
                    << " W\n";
        // The rooms' sum: the building's own rule for air changing at once is not applied.
        ctx.out << "building (sum of the rooms): " << Watts(load.total) << " W\n";
    }
    return kOk;
}

int RunBuilding(Context& ctx)
{
    const bool exporting = ctx.args.size() == 2 && ctx.args[0] == "export";
    const bool importing = ctx.args.size() == 5 && ctx.args[0] == "import" && ctx.args[3] == "-o";
    if (!exporting && !importing)
        return Usage(ctx, "building needs 'export PROJECT.klp' or 'import PROJECT.klp FILE.json -o OUT.klp'");
    TProject project;
    if (int failed = ReadCliProject(ctx, ctx.args[1], project); failed != kOk)
        return failed;
    if (exporting) {
        ctx.out << ExportBuilding(project) << "\n";
        return kOk;
    }
    std::string json;
    if (!ReadFileBytes(ctx.args[2], json))
        return Fail(ctx, "cannot read " + ctx.args[2]);
    try {
        ImportBuilding(project, json);
        WriteProjectFile(ctx.args[4], project);
    } catch (const KalorinaError& e) {
        // Nothing is written: the project file is only written once the whole
        // building has been read.
        return Fail(ctx, ctx.args[2] + ": " + Cp1250ToUtf8(e.what()));
    }
    return kOk;
}

const bool registered =
    RegisterCommand({"heatload", "heatload PROJECT.klp [--json] [--apply -o OUT.klp]", RunHeatLoad});
const bool registeredBuilding = RegisterCommand(
    {"building", "building export PROJECT.klp | building import PROJECT.klp FILE.json -o OUT.klp", RunBuilding});

} // namespace

} // namespace kalorina::cli
