// kalorina-cli design PROJECT.klp [--manifold NAME] [--apply -o OUT.klp] [--json]:
// designs every manifold (or the one named): the lowest supply temperature that
// heats every room, the least flow per circuit and the least pump pressure with
// every valve preset.  Prints the result; writes the designed project only with
// --apply, and only to OUT.
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "app/ProjectFiles.h"
#include "design/ManifoldDesign.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/Json.h"

namespace kalorina::cli {

namespace {

std::string CircuitJson(const DesignedCircuit& c)
{
    return JsonObject()
        .Text("roundName", c.roundName)
        .Number("forward", SingleAsShown(c.forward))
        .Number("return", SingleAsShown(c.return_))
        .Number("massFlow", SingleAsShown(c.massFlow))
        .Number("circuitPressureDrop", SingleAsShown(c.circuitPressureDrop))
        .Text("valvePosition", c.valvePosition)
        .Number("designSpread", SingleAsShown(c.designSpread))
        .Number("designMassFlow", SingleAsShown(c.designMassFlow))
        .Str();
}

std::string ManifoldJson(const ManifoldDesignResult& m)
{
    JsonObject o;
    o.Text("name", m.name);
    if (m.designed)
        o.Number("supplyTemperature", SingleAsShown(m.supplyTemperature))
            .Number("spread", SingleAsShown(m.spread))
            .Number("availablePressure", SingleAsShown(m.availablePressure))
            .Number("totalMassFlow", SingleAsShown(m.totalMassFlow))
            .Text("indexCircuit", m.indexCircuit)
            .Text("designRoom", m.designRoom);
    else
        o.Null("supplyTemperature")
            .Null("spread")
            .Null("availablePressure")
            .Number("totalMassFlow", 0)
            .Null("indexCircuit")
            .Null("designRoom");
    return o.Raw("uncoveredRooms", Array(m.uncoveredRooms, [](const std::string& r) { return JsonText(r); }))
        .Raw("supplementaryHeat",
             Array(m.supplementaryHeat,
                   [](const SupplementaryHeat& h) {
                       return JsonObject().Text("room", h.room).Number("watts", SingleAsShown(h.watts)).Str();
                   }))
        .Raw("circuits", Array(m.circuits, CircuitJson))
        .Raw("warnings", Array(m.warnings, [](const std::string& w) { return JsonText(w); }))
        .Str();
}

std::string Answer(const std::vector<ManifoldDesignResult>& manifolds, const std::string& errorJson)
{
    return "{\"manifolds\": " + Array(manifolds, ManifoldJson) + ", \"error\": " + errorJson + "}";
}

std::string Fixed(double v, int decimals)
{
    return FloatToStrF(v, TFloatFormat::Fixed, 15, decimals);
}

std::string Pad(const std::string& utf8, std::size_t width)
{
    std::size_t shown = 0;
    for (unsigned char ch : utf8)
        shown += (ch & 0xC0) != 0x80;
    return utf8 + std::string(shown < width ? width - shown : 1, ' ');
}

void PrintTable(std::ostream& out, const ManifoldDesignResult& m)
{
    out << Cp1250ToUtf8(m.name) << "\n";
    if (m.designed) {
        out << "  supply " << Fixed(m.supplyTemperature, 1)
            << " \xC2\xB0"
               "C, design spread "
            << Fixed(m.spread, 1) << " K, available pressure " << Fixed(m.availablePressure, 0) << " Pa, total flow "
            << Fixed(m.totalMassFlow, 1) << " kg/h, index circuit " << Cp1250ToUtf8(m.indexCircuit) << "\n";
        out << "  " << Pad("circuit", 16) << Pad("forward", 9) << Pad("return", 9) << Pad("kg/h", 9)
            << Pad("drop Pa", 9) << "presetting\n";
        for (const DesignedCircuit& c : m.circuits)
            out << "  " << Pad(Cp1250ToUtf8(c.roundName), 16) << Pad(Fixed(c.forward, 1), 9)
                << Pad(Fixed(c.return_, 1), 9) << Pad(Fixed(c.massFlow, 1), 9)
                << Pad(Fixed(c.circuitPressureDrop, 0), 9) << Cp1250ToUtf8(c.valvePosition) << "\n";
    }
    for (const std::string& r : m.uncoveredRooms)
        out << "  uncovered room: " << Cp1250ToUtf8(r) << "\n";
    for (const SupplementaryHeat& h : m.supplementaryHeat)
        out << "  supplementary heat: " << Cp1250ToUtf8(h.room) << " " << Fixed(h.watts, 0) << " W\n";
    for (const std::string& w : m.warnings)
        out << "  warning: " << Cp1250ToUtf8(w) << "\n";
}

int RunDesign(Context& ctx)
{
    std::string path, output, manifoldName;
    bool json = false, apply = false, manifoldGiven = false;
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            json = true;
        else if (a == "--apply")
            apply = true;
        else if (a == "-o" || a == "--manifold") {
            if (i + 1 >= args.size())
                return Usage(ctx, "design: " + a + (a == "-o" ? " needs a file name" : " needs a manifold name"));
            (a == "-o" ? output : manifoldName) = args[++i];
            manifoldGiven = manifoldGiven || a == "--manifold";
        } else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "design: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "design needs a project file");
    if (apply && output.empty())
        return Usage(ctx, "design: --apply needs -o OUT.klp, the file to write the designed project to");
    if (!apply && !output.empty())
        return Usage(ctx, "design: -o writes only with --apply");

    TProject project;
    auto answerError = [&](const std::string& reason) {
        if (json)
            ctx.out << Answer({}, JsonText(reason)) << "\n";
    };
    if (int failed = ReadCliProject(ctx, path, project, answerError))
        return failed;
    std::optional<int> only;
    if (manifoldGiven) {
        const int found = project.FindManifold(Utf8ToCp1250(manifoldName));
        if (found < 0) {
            std::string names;
            for (const auto& m : project.manifolds)
                names += (names.empty() ? "" : ", ") + Cp1250ToUtf8(m.name);
            const std::string message = "design: no manifold '" + manifoldName + "'; the project has: " + names;
            if (json)
                ctx.out << Answer({}, JsonText(Utf8ToCp1250(message))) << "\n";
            return Fail(ctx, message);
        }
        only = found;
    }
    auto devices = LoadCliCatalogue(ctx);
    if (devices->Failed()) {
        if (json)
            ctx.out << Answer({}, JsonText(devices->FailureMessage())) << "\n";
        return Fail(ctx, "catalogue: " + Cp1250ToUtf8(devices->FailureMessage()));
    }

    if (int refused = RefuseImplausibleValues(ctx, project, answerError))
        return refused;
    DesignOutcome outcome = DesignManifolds(project, *devices, only);
    if (apply) {
        try {
            WriteProjectFile(output, outcome.project);
        } catch (const KalorinaError& e) {
            if (json)
                ctx.out << Answer(outcome.manifolds, JsonText(output + ": " + e.what())) << "\n";
            return Fail(ctx, output + ": " + Cp1250ToUtf8(e.what()));
        }
    }
    if (json)
        ctx.out << Answer(outcome.manifolds, "null") << "\n";
    else
        for (const auto& m : outcome.manifolds)
            PrintTable(ctx.out, m);
    return kOk;
}

const bool registered =
    RegisterCommand({"design", "design PROJECT.klp [--manifold NAME] [--apply -o OUT.klp] [--json]", RunDesign});

} // namespace

} // namespace kalorina::cli
