#include "CliProject.h"

#include "CliCatalogue.h"
#include "app/ProjectFiles.h"
#include "document/StoredRanges.h"
#include "lang/BuiltInTexts.h"
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

int RefuseImplausibleValues(Context& ctx, const TProject& project,
                            const std::function<void(const std::string&)>& answerError)
{
    const std::vector<ImplausibleStoredValue> values = FindImplausibleValues(project);
    if (values.empty())
        return kOk;
    std::string text = TextOrBuiltIn("IDS_IMPLAUSIBLEREFUSED");
    for (const ImplausibleStoredValue& v : values)
        text += "\n" + ImplausibleValueLine(v);
    if (answerError)
        answerError(text);
    return Fail(ctx, Cp1250ToUtf8(text));
}

} // namespace kalorina::cli
