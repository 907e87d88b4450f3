#include "app/DialogEditor.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Error.h"

namespace kalorina {

void RaiseText(const std::string& id)
{
    throw KalorinaError(TextOrBuiltIn(id));
}

int ParseInteger(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t");
    std::size_t end = text.find_last_not_of(" \t");
    if (begin != std::string::npos) {
        const std::string trimmed = text.substr(begin, end - begin + 1);
        char* stop = nullptr;
        errno = 0;
        const long value = std::strtol(trimmed.c_str(), &stop, 10);
        if (stop && *stop == '\0' && stop != trimmed.c_str() && errno == 0 && value >= INT_MIN && value <= INT_MAX)
            return static_cast<int>(value);
    }
    RaiseText("IDS_WRONGVALUE");
}

} // namespace kalorina
