#include "lang/Alphabet.h"

#include <algorithm>

#include "lang/TLanguages.h"
#include "util/Collation.h"

namespace kalorina {

std::string AlphabetLanguage(const TLanguages& languages)
{
    std::string code = languages.GetInterfaceText("IDS_DEVICEDBLANGUAGE");
    return code.empty() && !languages.Current() ? "hu" : code;
}

bool AlphabeticLess(std::string_view a, std::string_view b)
{
    return CollateLess(a, b, AlphabetLanguage(Languages()));
}

void SortAlphabetically(std::vector<std::string>& texts)
{
    const std::string code = AlphabetLanguage(Languages());
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(texts.size());
    for (auto& t : texts)
        keyed.emplace_back(CollationKey(t, code), std::move(t));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = std::move(keyed[i].second);
}

} // namespace kalorina
