// kalorina-cli layout PROJECT.klp [--circuit NAME] [--pattern spiral|meander] [--again]
// [--json] [--apply -o OUT.klp] [--dxf OUT.dxf]: lays the circuits' tubes (or the
// named one's) on the floor plan and prints each circuit's regions, loops, feed
// pipes and lengths; --apply writes the project with the laid lengths in its
// circuits, --dxf the laid tubes as a drawing.  Exit 3 when a circuit could not be
// laid (the warnings say why, and also name loops laid otherwise than asked).
#include <cstdio>
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "app/ProjectFiles.h"
#include "layout/Layout.h"
#include "plan/DxfWriter.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/Json.h"

namespace kalorina::cli {

namespace {

// Coordinates and lengths to the micrometre: the polylines are measured again
// from these numbers.
std::string Metres(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", v);
    std::string s = text;
    while (s.size() > 1 && s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string PointsJson(const plan::Polyline& line)
{
    return Array(line, [](const plan::Point& p) { return "[" + Metres(p.x) + "," + Metres(p.y) + "]"; });
}

std::string CircuitJson(const TProject& project, const TRoundItem& round)
{
    const plan::CircuitLayout& l = round.layout;
    const std::string floor = l.floor >= 0 && std::size_t(l.floor) < project.plan.floors.size()
        ? project.plan.floors[l.floor].name
        : std::string();
    return JsonObject()
        .Text("circuit", round.roundName)
        .Text("manifold", project.manifolds[round.manifold].name)
        .Text("floor", floor)
        .Text("pattern", l.pattern == plan::LoopPattern::Meander ? "meander" : "spiral")
        .Raw("spacing", Metres(l.spacing))
        .Raw("edgeDistance", Metres(l.edgeDistance))
        .Raw("parts",
             Array(l.parts,
                   [&](const plan::LaidPart& p) {
                       return JsonObject()
                           .Text("room", project.RoomNameById(p.roomId))
                           .Raw("region", PointsJson(p.region))
                           .Raw("loop", PointsJson(p.loop))
                           .Str();
                   }))
        .Raw("supplyRoute", PointsJson(l.supplyRoute))
        .Raw("joins", Array(l.joins, PointsJson))
        .Raw("returnRoute", PointsJson(l.returnRoute))
        .Raw("length", Metres(l.length))
        .Raw("loopLength", Metres(l.loopLength))
        .Raw("routeLength", Metres(l.routeLength))
        .Raw("riserLength", Metres(l.riser))
        .Number("tubeLength", round.hydraulic.tubeLength)
        .Str();
}

int RunLayout(Context& ctx)
{
    std::string path, output, dxf, circuit, pattern;
    bool json = false, apply = false, again = false, circuitGiven = false;
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            json = true;
        else if (a == "--apply")
            apply = true;
        else if (a == "--again")
            again = true;
        else if (a == "-o" || a == "--dxf" || a == "--circuit" || a == "--pattern") {
            if (i + 1 >= args.size())
                return Usage(ctx, "layout: " + a + " needs a value");
            std::string& into = a == "-o" ? output : a == "--dxf" ? dxf : a == "--circuit" ? circuit : pattern;
            into = args[++i];
            circuitGiven = circuitGiven || a == "--circuit";
        } else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "layout: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "layout needs a project file");
    if (apply && output.empty())
        return Usage(ctx, "layout: --apply needs -o OUT.klp, the file to write the laid project to");
    if (!apply && !output.empty())
        return Usage(ctx, "layout: -o writes only with --apply");
    if (!pattern.empty() && pattern != "spiral" && pattern != "meander")
        return Usage(ctx, "layout: --pattern must be spiral or meander");

    std::vector<std::string> warnings;
    const auto answer = [&](const std::string& circuits, const std::string& error) {
        if (json)
            ctx.out << "{\"circuits\": " << circuits
                    << ", \"warnings\": " << Array(warnings, [](const std::string& w) { return JsonText(w); })
                    << ", \"error\": " << error << "}\n";
    };
    const auto refuse = [&](const std::string& utf8) {
        answer("[]", JsonText(Utf8ToCp1250(utf8)));
        return Fail(ctx, utf8);
    };
    TProject project;
    if (int failed = ReadCliProject(ctx, path, project, [&](const std::string& r) { answer("[]", JsonText(r)); }))
        return failed;
    std::vector<int> rounds;
    if (circuitGiven) {
        const int found = project.FindItem(Utf8ToCp1250(circuit), false);
        if (found < 0) {
            std::string names;
            for (const auto& r : project.rounds)
                names += (names.empty() ? "" : ", ") + Cp1250ToUtf8(r.roundName);
            return refuse("layout: no circuit '" + circuit + "'; the project has: " + names);
        }
        rounds.push_back(found);
    }
    if (project.plan.outlines.empty())
        return refuse("layout: " + path + " has no floor plan to lay the tubes on");
    auto devices = LoadCliCatalogue(ctx);
    if (devices->Failed())
        return refuse("catalogue: " + Cp1250ToUtf8(devices->FailureMessage()));
    if (int refused = RefuseImplausibleValues(ctx, project, [&](const std::string& r) { answer("[]", JsonText(r)); }))
        return refused;
    if (!pattern.empty()) {
        const auto chosen = pattern == "meander" ? plan::LoopPattern::Meander : plan::LoopPattern::Spiral;
        for (std::size_t r = 0; r < project.rounds.size(); ++r)
            if (rounds.empty() || rounds[0] == int(r))
                project.rounds[r].layout.pattern = chosen;
    }
    LayoutOutcome outcome;
    try {
        outcome = LayCircuits(project, *devices, rounds, again);
    } catch (const KalorinaError& e) {
        return refuse("layout: " + Cp1250ToUtf8(e.what()));
    }
    warnings = outcome.Warnings();
    std::vector<std::string> laid;
    std::vector<plan::DxfCircuit> drawn;
    for (const LaidCircuit& c : outcome.circuits)
        if (c.laid) {
            laid.push_back(CircuitJson(project, project.rounds[c.round]));
            drawn.push_back({project.rounds[c.round].roundName, &project.rounds[c.round].layout});
        }
    const std::string circuits = "[" + [&] {
        std::string s;
        for (const std::string& c : laid)
            s += (s.empty() ? "" : ",") + c;
        return s;
    }() + "]";
    // Each file written whole or not at all; a refusal names the file.
    std::string writing;
    try {
        if (!dxf.empty())
            WriteFileAtomically(writing = dxf, plan::LayoutDxf(project.plan, drawn));
        if (apply)
            WriteProjectFile(writing = output, project);
    } catch (const KalorinaError& e) {
        answer(circuits, JsonText(Utf8ToCp1250(writing) + ": " + e.what()));
        return Fail(ctx, writing + ": " + Cp1250ToUtf8(e.what()));
    }
    if (json)
        answer(circuits, "null");
    else {
        for (const LaidCircuit& c : outcome.circuits)
            if (c.laid) {
                const plan::CircuitLayout& l = project.rounds[c.round].layout;
                ctx.out << Cp1250ToUtf8(c.name) << ": " << FloatToStrF(l.length, TFloatFormat::Fixed, 15, 2)
                        << " m (loops " << FloatToStrF(l.loopLength, TFloatFormat::Fixed, 15, 2) << " m, pipes "
                        << FloatToStrF(l.routeLength, TFloatFormat::Fixed, 15, 2) << " m)"
                        << (c.kept ? ", unchanged" : "") << "\n";
            }
        for (const std::string& w : warnings)
            ctx.out << "warning: " << Cp1250ToUtf8(w) << "\n";
    }
    return outcome.AnyFailed() ? kItemsFailed : kOk;
}

const bool registered = RegisterCommand(
    {"layout",
     "layout PROJECT.klp [--circuit NAME] [--pattern spiral|meander] [--again] [--json] [--apply -o OUT.klp] "
     "[--dxf OUT.dxf]",
     RunLayout});

} // namespace

} // namespace kalorina::cli
