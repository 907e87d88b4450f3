#pragma once
// Message texts for the code below the language layer.  The helpers here raise
// failures whose text lives in the language files, yet may not depend on them; the
// language layer installs its lookup when it is linked in, and without it the
// English text the caller gives answers.
#include <string>

namespace kalorina {

using MessageLookup = std::string (*)(const std::string& id);

void InstallMessageLookup(MessageLookup lookup);
// The installed lookup's text of `id`, or `english` when none is installed.
std::string MessageText(const std::string& id, const char* english);

} // namespace kalorina
