#pragma once
// The date of a catalogue item's data.
#include <string>

namespace kalorina {

struct CatalogueDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool IsValid() const;
    std::string Iso() const; // YYYY-MM-DD
    bool operator==(const CatalogueDate&) const = default;
};

} // namespace kalorina
