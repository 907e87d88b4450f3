// kalorina-cli plan export PROJECT.klp: the floor plan as JSON;
// kalorina-cli plan import PROJECT.klp FILE.json -o OUT.klp: the project with the
// plan of FILE (nothing is written on any error, which names its room or entity).
#include <ostream>

#include "CliCommand.h"
#include "CliProject.h"
#include "FileBytes.h"
#include "app/PlanJson.h"
#include "app/ProjectFiles.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

int RunPlan(Context& ctx)
{
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
    RegisterCommand({"plan", "plan export PROJECT.klp | plan import PROJECT.klp FILE.json -o OUT.klp", RunPlan});

} // namespace

} // namespace kalorina::cli
