// kalorina-cli recalc PROJECT.klp [--apply] [--json] [-o OUT.klp]: recomputes every
// room and circuit with the catalogue, saves the result on request and prints it.
// Exit 3 when a room or circuit could not be computed, or a value lies outside what a
// building can need (the file is written anyway).
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "app/ProjectFiles.h"
#include "app/ProjectSummary.h"
#include "document/StoredRanges.h"
#include "lang/BuiltInTexts.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

int RunRecalc(Context& ctx)
{
    std::string path, output;
    bool json = false, apply = false;
    const auto& args = ctx.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json")
            json = true;
        else if (a == "--apply")
            apply = true;
        else if (a == "-o") {
            if (i + 1 >= args.size())
                return Usage(ctx, "recalc: -o needs a file name");
            output = args[++i];
        } else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "recalc: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "recalc needs a project file");
    TProject project;
    if (int failed = ReadCliProject(ctx, path, project); failed != kOk)
        return failed;
    auto devices = LoadCliCatalogue(ctx);
    if (devices->Failed())
        return Fail(ctx, "catalogue: " + Cp1250ToUtf8(devices->FailureMessage()));
    RecalcOutcome outcome = RecalculateProject(project, *devices, apply);
    // The file first: the result printed is then the one that stands on disk.
    if (!output.empty()) {
        try {
            WriteProjectFile(output, project);
        } catch (const KalorinaError& e) {
            return Fail(ctx, Cp1250ToUtf8(e.what()));
        }
    }
    ctx.out << (json ? ProjectJson(project, outcome) + "\n" : ProjectText(project, outcome));
    // What follows from a value no building has is no result either.
    const std::vector<ImplausibleStoredValue> implausible = FindImplausibleValues(project);
    for (const ImplausibleStoredValue& v : implausible)
        ctx.err << "kalorina-cli: " << Cp1250ToUtf8(ImplausibleValueLine(v)) << "\n";
    if (!outcome.AnyFailed() && implausible.empty())
        return kOk;
    ctx.err << "kalorina-cli: " << Cp1250ToUtf8(TextOrBuiltIn("IDS_SOMEITEMSFAILED")) << "\n";
    return kItemsFailed;
}

const bool registered = RegisterCommand({"recalc", "recalc PROJECT.klp [--apply] [--json] [-o OUT.klp]", RunRecalc});

} // namespace

} // namespace kalorina::cli
