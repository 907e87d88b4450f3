#include "util/InputRange.h"

#include <cmath>
#include <cstddef>

#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"
#include "util/MessageText.h"
#include "util/ParseNumber.h"

namespace kalorina {

namespace {

std::string Limit(double value)
{
    return FloatToStrF(value, TFloatFormat::General, 7, 0);
}

} // namespace

std::string RangeMessage(InputKind kind, const std::string& field)
{
    return RangeMessage(RangeOf(kind), field);
}

std::string RangeMessage(const InputRange& r, const std::string& field)
{
    const std::string unit = *r.unit ? std::string(" ") + r.unit : std::string();
    const std::string low = Limit(r.low), high = Limit(r.high) + unit;
    if (r.whole)
        return FormatText(MessageText("IDS_INPUTRANGEWHOLE", "%s: enter a whole number from %s to %s."),
                          {field, low, high});
    if (r.aboveLow)
        return FormatText(MessageText("IDS_INPUTRANGEABOVE", "%s: enter a number above %s, up to %s."),
                          {field, low, high});
    return FormatText(MessageText("IDS_INPUTRANGE", "%s: enter a number from %s to %s."), {field, low, high});
}

double CheckInput(double value, InputKind kind, const std::string& field)
{
    const InputRange r = RangeOf(kind);
    const bool inRange = (r.aboveLow ? value > r.low : value >= r.low) && value <= r.high;
    if (!inRange || (r.whole && std::floor(value) != value))
        throw KalorinaError(RangeMessage(kind, field));
    return value;
}

double ParseInput(const std::string& text, InputKind kind, const std::string& field)
{
    double value = 0;
    try {
        value = static_cast<double>(ParseNumber(text));
    } catch (const KalorinaError&) {
        throw KalorinaError(RangeMessage(kind, field));
    }
    return CheckInput(value, kind, field);
}

double Retyped(double stored, double typed, const std::string& shown)
{
    try {
        if (static_cast<double>(ParseNumber(shown)) == typed)
            return stored;
    } catch (const KalorinaError&) {
    }
    return typed;
}

std::string FieldNameOfCaption(const std::string& caption)
{
    std::string name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                name += caption[++i];
            continue;
        }
        name += caption[i];
    }
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    return name;
}

} // namespace kalorina
