#pragma once
// Texts looked up in the active language.  Without language files (tools, tests) a
// built-in English text answers for the messages of the catalogue and the sizing,
// so a failure never carries an empty message.
#include <string>

namespace kalorina {

std::string TextOrBuiltIn(const std::string& id);

} // namespace kalorina
