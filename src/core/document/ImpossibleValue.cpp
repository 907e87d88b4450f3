#include "document/ImpossibleValue.h"

#include <cmath>

#include "lang/BuiltInTexts.h"
#include "util/FormatText.h"

namespace kalorina {

void CheckStoredNumber(const char* name, float value)
{
    if (std::isnan(value))
        throw ImpossibleValue(std::string(name) + " = nan");
    if (std::isinf(value))
        throw ImpossibleValue(std::string(name) + (value > 0 ? " = inf" : " = -inf"));
}

void RaiseDamagedRecord(const char* id, const std::string* name, const ImpossibleValue& e)
{
    std::vector<std::string> args;
    if (name)
        args.push_back(*name);
    args.push_back(e.what());
    throw KalorinaError(FormatText(TextOrBuiltIn(id), args));
}

} // namespace kalorina
