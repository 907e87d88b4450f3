#pragma once
// Lookups over the size list of a tube, valve or fitting; each size record has a
// `sizeName` and an `estimateCode`.
#include <string>
#include <vector>

#include "catalogue/SizeComboEntries.h"

namespace kalorina {

// Index of the first size of that name, or -1.
template <class Size>
int FindSizeIndex(const std::vector<Size>& sizes, const std::string& sizeName)
{
    for (std::size_t i = 0; i < sizes.size(); ++i)
        if (sizes[i].sizeName == sizeName)
            return static_cast<int>(i);
    return -1;
}

// Estimate code of the named size; empty when there is no such size.
template <class Size>
std::string SizeEstimateCodeOf(const std::vector<Size>& sizes, const std::string& sizeName)
{
    int i = FindSizeIndex(sizes, sizeName);
    return i < 0 ? std::string() : sizes[i].estimateCode;
}

// The size names, after `autoText` when `withAuto`; `current` is selected when
// listed, else the first entry.  With `skipUnnamed`, sizes without a name are left out.
template <class Size>
SizeComboEntries SizeComboOf(const std::vector<Size>& sizes, bool withAuto, const std::string& current,
                             const std::string& autoText, bool skipUnnamed)
{
    SizeComboEntries combo;
    if (withAuto)
        combo.entries.push_back(autoText);
    for (const auto& s : sizes) {
        if (skipUnnamed && s.sizeName.empty())
            continue;
        if (combo.selected < 0 && !current.empty() && s.sizeName == current)
            combo.selected = static_cast<int>(combo.entries.size());
        combo.entries.push_back(s.sizeName);
    }
    if (combo.selected < 0 && !combo.entries.empty())
        combo.selected = 0;
    return combo;
}

} // namespace kalorina
