#include "CliCatalogue.h"

#include "catalogue/CatalogueTexts.h"
#include "catalogue/DataLocation.h"

namespace kalorina::cli {

std::string CliDataDirectory(const Context& ctx)
{
    if (!ctx.options.dataDir.empty())
        return ctx.options.dataDir;
    return FindDataDirectory(ExecutableDirectory());
}

std::string CliLanguageName(const Context& ctx)
{
    return ctx.options.language.empty() ? "Magyar" : ctx.options.language;
}

std::unique_ptr<TDevices> LoadCliCatalogue(const Context& ctx)
{
    return std::make_unique<TDevices>(CliDataDirectory(ctx), CatalogueLanguage(CliLanguageName(ctx)));
}

} // namespace kalorina::cli
