#pragma once
// Decimal integers of catalogue files.
#include <cstdint>
#include <string_view>

namespace kalorina {

// An optional sign and decimal digits, within [minValue, maxValue]; anything else
// fails with a KalorinaError naming the text.
std::int64_t ParseCatalogueInteger(std::string_view text, std::int64_t minValue, std::int64_t maxValue);

} // namespace kalorina
