// kalorina-cli lzw encode IN OUT | lzw decode [--strict] IN OUT: the raw coder of
// the compressed language files.
#include <cerrno>
#include <cstring>

#include "CliCommand.h"
#include "FileBytes.h"
#include "lang/Lzw.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

int RunLzw(Context& ctx)
{
    std::vector<std::string> args = ctx.args;
    if (args.empty())
        return Usage(ctx, "lzw needs 'encode' or 'decode'");
    const std::string direction = args.front();
    args.erase(args.begin());
    if (direction != "encode" && direction != "decode")
        return Usage(ctx, "unknown lzw direction '" + direction + "'");

    auto endWidth = Compressing::EndWidth::Tolerant;
    if (direction == "decode" && !args.empty() && args.front() == "--strict") {
        endWidth = Compressing::EndWidth::Strict;
        args.erase(args.begin());
    }
    if (args.size() != 2 || args[0].starts_with("--"))
        return Usage(ctx, "lzw " + direction + " needs an input and an output file");

    std::string input;
    if (!ReadFileBytes(args[0], input))
        return Fail(ctx, "cannot read " + args[0] + ": " + std::strerror(errno));
    std::string output;
    if (direction == "encode") {
        Compressing::Encode(input, output);
    } else {
        try {
            Compressing::Decode(input, output, endWidth);
        } catch (const KalorinaError& e) {
            return Fail(ctx, args[0] + ": " + Cp1250ToUtf8(e.what()));
        }
    }
    if (!WriteFileBytes(args[1], output))
        return Fail(ctx, "cannot write " + args[1] + ": " + std::strerror(errno));
    return kOk;
}

const bool registered = RegisterCommand({"lzw", "lzw encode IN OUT | lzw decode [--strict] IN OUT", RunLzw});

} // namespace

} // namespace kalorina::cli
