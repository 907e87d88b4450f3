#include "CliProject.h"

#include "CliCatalogue.h"
#include "app/ProjectFiles.h"
#include "util/Codepage.h"
#include "util/Error.h"

namespace kalorina::cli {

int ReadCliProject(Context& ctx, const std::string& path, TProject& project,
                   const std::function<void(const std::string&)>& answerError)
{
    SelectCliLanguage(ctx);
    try {
        ReadProjectFile(path, project);
    } catch (const KalorinaError& e) {
        if (answerError)
            answerError(path + ": " + e.what());
        return Fail(ctx, path + ": " + Cp1250ToUtf8(e.what()));
    }
    project.fileName = path;
    return kOk;
}

} // namespace kalorina::cli
