// kalorina-cli plan export PROJECT.klp: the floor plan as JSON;
// kalorina-cli plan import PROJECT.klp FILE.json -o OUT.klp: the project with the
// plan of FILE; kalorina-cli plan import-dxf PROJECT.klp FILE.dxf --layer NAME
// --unit mm|cm|m [--floor NAME] -o OUT.klp: the rooms of a drawing's layer (nothing
// is written on any error, which names its room or entity).
#include <ostream>

#include "CliCommand.h"
#include "CliProject.h"
#include "FileBytes.h"
#include "app/PlanJson.h"
#include "app/ProjectFiles.h"
#include "lang/BuiltInTexts.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

// plan import-dxf PROJECT.klp FILE.dxf --layer NAME --unit mm|cm|m [--floor NAME] -o OUT.klp
int RunImportDxf(Context& ctx)
{
    std::string project, file, layer, unit, floor, out;
    for (std::size_t i = 1; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= ctx.args.size())
                return false;
            into = ctx.args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--layer")
            ok = value(layer);
        else if (a == "--unit")
            ok = value(unit);
        else if (a == "--floor")
            ok = value(floor);
        else if (a == "-o")
            ok = value(out);
        else if (a.starts_with("-"))
            return Usage(ctx, "plan import-dxf: unexpected argument '" + a + "'");
        else if (project.empty())
            project = a;
        else if (file.empty())
            file = a;
        else
            return Usage(ctx, "plan import-dxf: unexpected argument '" + a + "'");
        if (!ok)
            return Usage(ctx, "plan import-dxf: " + a + " needs a value");
    }
    if (project.empty() || file.empty() || layer.empty() || out.empty())
        return Usage(ctx, "plan import-dxf needs PROJECT.klp FILE.dxf --layer NAME --unit mm|cm|m -o OUT.klp");
    plan::DxfUnit u = plan::DxfUnit::Metre;
    if (unit == "mm")
        u = plan::DxfUnit::Millimetre;
    else if (unit == "cm")
        u = plan::DxfUnit::Centimetre;
    else if (unit != "m")
        return Usage(ctx, "plan import-dxf: --unit must be mm, cm or m");
    TProject p;
    if (int failed = ReadCliProject(ctx, project, p); failed != kOk)
        return failed;
    std::string bytes;
    if (!ReadFileBytes(file, bytes))
        return Fail(ctx, "cannot read " + file);
    try {
        const plan::DxfDrawing drawing = plan::ReadDxf(bytes);
        const std::string floorName = !floor.empty() ? Utf8ToCp1250(floor)
            : p.plan.floors.empty()                  ? TextOrBuiltIn("IDS_PLANFIRSTFLOOR")
                                                     : p.plan.floors[0].name;
        ImportDxf(p, drawing, Utf8ToCp1250(layer), u, floorName);
        WriteProjectFile(out, p);
    } catch (const KalorinaError& e) {
        return Fail(ctx, file + ": " + Cp1250ToUtf8(e.what()));
    }
    return kOk;
}

int RunPlan(Context& ctx)
{
    if (!ctx.args.empty() && ctx.args[0] == "import-dxf")
        return RunImportDxf(ctx);
    const bool exporting = ctx.args.size() == 2 && ctx.args[0] == "export";
    const bool importing = ctx.args.size() == 5 && ctx.args[0] == "import" && ctx.args[3] == "-o";
    if (!exporting && !importing)
        return Usage(ctx, "plan needs 'export PROJECT.klp' or 'import PROJECT.klp FILE.json -o OUT.klp'");
    TProject project;
    if (int failed = ReadCliProject(ctx, ctx.args[1], project); failed != kOk)
        return failed;
    if (exporting) {
        ctx.out << ExportPlan(project) << "\n";
        return kOk;
    }
    std::string json;
    if (!ReadFileBytes(ctx.args[2], json))
        return Fail(ctx, "cannot read " + ctx.args[2]);
    try {
        ImportPlan(project, json);
        WriteProjectFile(ctx.args[4], project);
    } catch (const KalorinaError& e) {
        return Fail(ctx, ctx.args[2] + ": " + Cp1250ToUtf8(e.what()));
    }
    return kOk;
}

const bool registered =
    RegisterCommand({"plan",
                     "plan export PROJECT.klp | plan import PROJECT.klp FILE.json -o OUT.klp | "
                     "plan import-dxf PROJECT.klp FILE.dxf --layer NAME --unit mm|cm|m [--floor NAME] -o OUT.klp",
                     RunPlan});

} // namespace

} // namespace kalorina::cli
