#pragma once
// One line of a circuit's fitting list: a number of pieces of a catalogue fitting in
// a chosen or automatic size, or of a fitting the user defines by hand.
#include <cstdint>
#include <string>

#include "calc/CellFormat.h"

namespace kalorina {

class TDevices;

class TResist {
public:
    enum ErrorBits : std::int16_t { kItemMissing = 1, kSizeMissing = 2, kZetaWithoutSize = 4 };

    std::int16_t count = 1;
    std::string resistName;      // catalogue itemName, or the user's name for a unique fitting
    std::string sizeName;        // chosen size; empty: automatic
    std::string autoSizeName;    // computed
    std::int16_t dn = 0;         // mm; computed, or entered for a unique fitting
    std::int16_t resistMode = 0; // 0 kv, 1 zeta, 2 dp
    float value = 0;             // kv (m3/h), zeta or Pa
    // Stored 16-bit flags, kept as read so that a file is written back byte for byte.
    std::int16_t listing = 0; // goes into the bill of materials
    std::int16_t unique = 0;  // user-defined, never looked up
    float pressureDrop = 0;   // Pa, computed
    std::int16_t errors = 0;  // ErrorBits, computed

    const std::string& SizeInUse() const { return sizeName.empty() ? autoSizeName : sizeName; }

    // Takes mode, default value and listing from the catalogue fitting `name`; an
    // unknown name changes nothing.
    void SelectItem(const TDevices& devices, const std::string& name);
    // The pressure drop of all pieces (Pa, one decimal) for the volume flow V (m3/s)
    // in a tube of `tubeDN` whose dynamic pressure is `pdyn`; also stored.
    float Compute(const TDevices& devices, int tubeDN, int valveDN, double V, double pdyn, double density);

    // Cell of the fitting lists ("ResistItemsTitle", "ResistItemsTitle2").
    std::string CellText(const TDevices& devices, int column, const CellNumberFormat& format) const;

    bool operator==(const TResist&) const = default;
};

} // namespace kalorina
