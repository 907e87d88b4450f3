#include "catalogue/CatalogueInteger.h"

#include <charconv>
#include <string>

#include "catalogue/CatalogueTexts.h"
#include "util/Error.h"

namespace kalorina {

std::int64_t ParseCatalogueInteger(std::string_view text, std::int64_t minValue, std::int64_t maxValue)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-')
            digits = {};
    }
    std::int64_t value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size() || value < minValue
        || value > maxValue)
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLINTEGERERROR"), {std::string(text)}));
    return value;
}

} // namespace kalorina
