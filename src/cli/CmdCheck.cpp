// kalorina-cli check PROJECT.klp [--json] [--strict]: recalculates a copy of the
// project with the catalogue and lists everything wrong with the design, one line
// per problem.  Exit 0 whenever the check ran, whatever it found; 1 when the file
// could not be read; with --strict 3 when one of the problems is an error.
#include <ostream>

#include "CliCatalogue.h"
#include "CliCommand.h"
#include "CliProject.h"
#include "app/ProjectFiles.h"
#include "app/ProjectRecalc.h"
#include "check/DesignCheck.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/Json.h"

namespace kalorina::cli {

namespace {

std::string ProblemJson(const DesignProblem& p)
{
    return JsonObject()
        .Text("severity", std::string(ProblemSeverityName(p.severity)))
        .Text("kind", std::string(ProblemKindName(p.kind)))
        .Text("room", p.roomName)
        .Text("circuit", p.roundName)
        .Text("text", p.text)
        .Str();
}

// {"problems": [...], "error": ...}, laid out as the other commands' answers.
std::string Answer(const std::vector<DesignProblem>& problems, const std::string& errorJson)
{
    return "{\"problems\": " + Array(problems, ProblemJson) + ", \"error\": " + errorJson + "}";
}

std::string ProblemLine(const DesignProblem& p)
{
    std::string where;
    if (!p.roomName.empty())
        where += p.roomName;
    if (!p.roundName.empty())
        where += (where.empty() ? "" : " / ") + p.roundName;
    return std::string(ProblemSeverityName(p.severity)) + " " + std::string(ProblemKindName(p.kind))
        + (where.empty() ? "" : " [" + Cp1250ToUtf8(where) + "]") + ": " + Cp1250ToUtf8(p.text) + "\n";
}

int RunCheck(Context& ctx)
{
    std::string path;
    bool json = false, strict = false;
    for (const std::string& a : ctx.args) {
        if (a == "--json")
            json = true;
        else if (a == "--strict")
            strict = true;
        else if (a.starts_with("-") || !path.empty())
            return Usage(ctx, "check: unexpected argument '" + a + "'");
        else
            path = a;
    }
    if (path.empty())
        return Usage(ctx, "check needs a project file");

    TProject project;
    auto answerError = [&](const std::string& reason) {
        if (json)
            ctx.out << Answer({}, JsonText(reason)) << "\n";
    };
    if (int failed = ReadCliProject(ctx, path, project, answerError))
        return failed;
    auto devices = LoadCliCatalogue(ctx);
    if (devices->Failed()) {
        if (json)
            ctx.out << Answer({}, JsonText(devices->FailureMessage())) << "\n";
        return Fail(ctx, "catalogue: " + Cp1250ToUtf8(devices->FailureMessage()));
    }

    // The design as the program shows it now; the file itself stays as it is.
    // The file as read keeps the names of rooms that are gone, which the
    // recalculation forgets; the check takes them from there.
    const TProject asRead = project;
    RecalculateProject(project, *devices, false);
    const std::vector<DesignProblem> problems = CheckDesign(project, *devices, &asRead);

    if (json)
        ctx.out << Answer(problems, "null") << "\n";
    else
        for (const DesignProblem& p : problems)
            ctx.out << ProblemLine(p);
    if (!strict || !AnyDesignError(problems))
        return kOk;
    ctx.err << "kalorina-cli: " << Cp1250ToUtf8(DesignCheckText("IDS_DESIGNHASERRORS")) << "\n";
    return kItemsFailed;
}

const bool registered = RegisterCommand({"check", "check PROJECT.klp [--json] [--strict]", RunCheck});

} // namespace

} // namespace kalorina::cli
