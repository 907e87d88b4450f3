#pragma once
// The entries of a size combo box and the one to select; the GUI fills its widget
// from it.
#include <string>
#include <vector>

namespace kalorina {

struct SizeComboEntries {
    std::vector<std::string> entries;
    int selected = -1; // -1 only when there is no entry
};

} // namespace kalorina
