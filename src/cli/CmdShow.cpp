// kalorina-cli show PROJECT.klp [--json]: the project as stored, with the assigned
// surfaces recounted and the totals computed, nothing recalculated.
#include <ostream>

#include "CliCommand.h"
#include "CliProject.h"
#include "app/ProjectSummary.h"

namespace kalorina::cli {

namespace {

int RunShow(Context& ctx)
{
    std::string path;
    bool json = false;
    for (const auto& a : ctx.args) {
        if (a == "--json")
            json = true;
        else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "show: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "show needs a project file");
    TProject project;
    if (int failed = ReadCliProject(ctx, path, project); failed != kOk)
        return failed;
    project.RecountAssignedSurfaces();
    project.ComputeTotals();
    RecalcOutcome nothingRun(project);
    ctx.out << (json ? ProjectJson(project, nothingRun) + "\n" : ProjectText(project, nothingRun));
    return kOk;
}

const bool registered = RegisterCommand({"show", "show PROJECT.klp [--json]", RunShow});

} // namespace

} // namespace kalorina::cli
