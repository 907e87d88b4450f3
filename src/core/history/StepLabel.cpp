#include "history/StepLabel.h"

#include "lang/BuiltInTexts.h"
#include "util/FormatText.h"

namespace kalorina {

std::string StepLabel::Text() const
{
    return textId.empty() ? fixed : FormatText(TextOrBuiltIn(textId), args);
}

} // namespace kalorina
