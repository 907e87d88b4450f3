#include "lang/TextIds.h"

namespace kalorina {

std::vector<std::string> RequiredTextKeys()
{
    std::vector<std::string> keys;
    for (std::string_view key : kRequiredTextIds)
        keys.emplace_back(key);
    for (const TextFamily& family : kRequiredTextFamilies)
        for (int i = 0; i < family.count; ++i)
            keys.push_back(std::string(family.base) + std::to_string(i));
    return keys;
}

std::vector<std::string> MissingTextIds(const TLanguage& language)
{
    std::vector<std::string> missing;
    for (std::string& key : RequiredTextKeys()) {
        auto it = language.Strings.find(key);
        if (it == language.Strings.end() || it->second.empty())
            missing.push_back(std::move(key));
    }
    return missing;
}

} // namespace kalorina
