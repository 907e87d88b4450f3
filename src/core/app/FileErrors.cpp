#include "app/FileErrors.h"

#include <cerrno>
#include <cstring>

#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// The reason in the user's language where the language has it; the system's own
// text for the rarer ones.
std::string Reason(int err)
{
    const char* id = err == kWriteProtected ? "IDS_FILEWRITEPROTECTED"
        : err == ENOENT || err == ENOTDIR   ? "IDS_FILENOTFOUND"
        : err == EACCES || err == EPERM     ? "IDS_FILEACCESSDENIED"
        : err == ENOSPC || err == EDQUOT    ? "IDS_DISKFULL"
        : err == EISDIR                     ? "IDS_FILEISFOLDER"
        : err == EROFS                      ? "IDS_READONLYFILESYSTEM"
                                            : nullptr;
    if (err == kWriteProtected)
        return TextOrBuiltIn(id);
    std::string text = id ? Languages().GetText(id) : std::string();
    return text.empty() ? std::string(std::strerror(err)) : text;
}
} // namespace

void RaiseFileError(const char* textId, const std::string& path, int err)
{
    // Messages are code page 1250 texts; paths are the system's UTF-8 names.
    throw KalorinaError(FormatText(TextOrBuiltIn(textId), {Utf8ToCp1250(path), Reason(err)}));
}

} // namespace kalorina
