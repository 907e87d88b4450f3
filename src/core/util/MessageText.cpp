#include "util/MessageText.h"

namespace kalorina {

namespace {
MessageLookup installed = nullptr;
} // namespace

void InstallMessageLookup(MessageLookup lookup)
{
    installed = lookup;
}

std::string MessageText(const std::string& id, const char* english)
{
    return installed ? installed(id) : std::string(english);
}

} // namespace kalorina
