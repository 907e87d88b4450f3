// kalorina-cli lang pack IN.xml OUT.xmz: compresses a language file so that the
// program loads it as a user-interface language.  The build packs languages/*.xml
// with it.
#include <cerrno>
#include <cstring>
#include <ostream>

#include "CmdLang.h"
#include "FileBytes.h"
#include "lang/LanguagePack.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

namespace {

int RunPack(Context& ctx)
{
    if (ctx.args.size() != 2 || ctx.args[0].starts_with("--") || ctx.args[1].starts_with("--"))
        return LangUsage(ctx, "lang pack needs a language file and an output file");
    const std::string& source = ctx.args[0];
    const std::string& target = ctx.args[1];

    std::string xml;
    if (!ReadFileBytes(source, xml))
        return Fail(ctx, "cannot read " + source + ": " + std::strerror(errno));
    PackedLanguage packed;
    try {
        packed = PackLanguage(xml);
    } catch (const KalorinaError& e) {
        return Fail(ctx, source + ": " + Cp1250ToUtf8(e.what()));
    }
    if (!WriteFileBytes(target, packed.data))
        return Fail(ctx, "cannot write " + target + ": " + std::strerror(errno));
    if (packed.blanksAdded > 0)
        ctx.out << source << ": " << packed.blanksAdded
                << " trailing blank(s) added so that every reader can decode it\n";
    return kOk;
}

const bool registered = RegisterLangCommand({"pack", "lang pack IN.xml OUT.xmz", RunPack});

} // namespace

} // namespace kalorina::cli
