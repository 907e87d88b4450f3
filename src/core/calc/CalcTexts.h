#pragma once
// Looked-up texts of the sizing (failure messages, captions).
#include "lang/BuiltInTexts.h"

namespace kalorina {

inline std::string CalcText(const std::string& id)
{
    return TextOrBuiltIn(id);
}

} // namespace kalorina
