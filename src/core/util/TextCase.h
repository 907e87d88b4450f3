#pragma once
// Comparing code page 1250 texts without regard to case, accented letters included.
#include <string_view>

namespace kalorina {

unsigned char LowerCp1250(unsigned char c);
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

} // namespace kalorina
