#include "document/VersionError.h"

#include <string>

#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

void RaiseVersionError(int version)
{
    std::string format = TextOrBuiltIn("IDS_VERSIONERR");
    // The text may carry one printf-style integer; it is filled without printf, so a
    // translated text of any length and with any conversions is safe.
    throw KalorinaError(FormatMessage(format, {std::to_string(version)}));
}

} // namespace kalorina
