#pragma once
// Looked-up texts of the sizing (failure messages, captions).  Without language
// files (tools, tests) a built-in English text answers, so a failure never carries
// an empty message.
#include <string>

namespace kalorina {

std::string CalcText(const std::string& id);

} // namespace kalorina
