#include "document/VersionError.h"

#include <cstdio>
#include <string>

#include "lang/TLanguages.h"
#include "util/Error.h"

namespace kalorina {

void RaiseVersionError(int version)
{
    std::string format = Languages().GetText("IDS_VERSIONERR");
    if (format.empty())
        format = "Version %d is not supported";
    // The text may carry one printf-style integer; build it without trusting it, so
    // a translated text of any length and with any conversions is safe.
    std::string out;
    bool used = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            char n = format[i + 1];
            if (n == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((n == 'd' || n == 'x' || n == 'X') && !used) {
                char buf[16];
                std::snprintf(buf, sizeof buf, n == 'd' ? "%d" : n == 'x' ? "%x" : "%X", version);
                out += buf;
                used = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    throw KalorinaError(out);
}

} // namespace kalorina
