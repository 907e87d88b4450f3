#pragma once
// The one order of every list the program sorts by text: the alphabet of the
// user-interface language (printing mode does not change it: the lists belong to
// the windows).
#include <string>
#include <string_view>
#include <vector>

namespace kalorina {

class TLanguages;

// Whether `a` comes before `b` in the user-interface language's alphabet.
bool AlphabeticLess(std::string_view a, std::string_view b);
// Sorts `texts` by that alphabet; equal texts keep their order.
void SortAlphabetically(std::vector<std::string>& texts);

// The alphabet's language code: the IDS_DEVICEDBLANGUAGE text of the
// user-interface language ("hu", "en"); Hungarian when no language is chosen, as
// the program's own texts are.
std::string AlphabetLanguage(const TLanguages& languages);

} // namespace kalorina
