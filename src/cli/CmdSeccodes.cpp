// kalorina-cli seccodes: the SecurityCode lines of the valves that fail the check,
// for catalogue maintainers.
#include <ostream>

#include "CliCatalogue.h"
#include "util/Codepage.h"

namespace kalorina::cli {
namespace {

int Run(Context& ctx)
{
    if (!ctx.args.empty())
        return Usage(ctx, "seccodes takes no arguments");
    auto devices = LoadCliCatalogue(ctx);
    for (const auto& line : devices->WriteSecurityCodes())
        ctx.out << Cp1250ToUtf8(line) << "\n";
    if (devices->Failed())
        return Fail(ctx, "the catalogue did not load completely: " + Cp1250ToUtf8(devices->FailureMessage()));
    return kOk;
}

const bool registered = RegisterCommand({"seccodes", "[--data DIR] seccodes", Run});

} // namespace
} // namespace kalorina::cli
