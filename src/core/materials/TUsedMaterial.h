#pragma once
// The bill of materials: everything a project needs, one row per kind and name,
// with the kits of the catalogue expanded into their parts.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/FloatFormat.h"

namespace kalorina {

class TDevices;
class TProject;

struct TUsedMaterialItem {
    int type = 6;             // catalogue kind 0-5, 6 other
    std::string name;         // what is printed
    std::string catalogueId;  // the catalogue item the row comes from
    std::string estimateCode; // '@' + name: a kit to expand
    float quantity = 0;
    std::string unit;
    bool selected = false;
    // Kits this row was expanded from; expanding one of them again would never end.
    std::vector<std::string> kitPath;
};

class TUsedMaterial {
public:
    std::vector<TUsedMaterialItem> rows;
    int cursor = -1;
    // Kits that refer back to themselves, directly or through others, in the order
    // they were met; their rows stay unexpanded.
    std::vector<std::string> cycleKits;
    // Rows left out because their quantity came out negative or not a number (from
    // damaged data): a bill never lists such a quantity.
    std::vector<std::string> impossibleRows;
    // Manifolds the bill could not count as the one kit of their size: a sentence
    // each (code page 1250, in the language the bill was built in) that names the
    // manifold and says which kits were counted instead, or that none was.
    std::vector<std::string> manifoldNotes;

    // Merges into a row of the same type and name (adding the quantity; the first
    // row's code and unit stay) and answers false, or appends and answers true.
    bool Add(const TUsedMaterialItem& row);
    void SetLastEstimateCode(const std::string& code);
    // Replaces rows whose code names a piece list by the list's parts, pass after
    // pass, until no row names one.  A kit met again below itself is left as it is
    // and recorded in cycleKits.  `piecesText` is the unit of parts without one.
    void ExpandPieceLists(const TDevices& devices, const std::string& piecesText);
    // By type, then by name byte for byte.
    void Sort();

    const TUsedMaterialItem* NextSelected();
    int SelectedCount() const;
    void SelectAll(bool selected);
};

// Builds the bill from the project as it is stored (no recalculation): the fields of
// every room, then every circuit's tube, valve and fittings; kits expanded; sorted.
TUsedMaterial BuildUsedMaterials(const TProject& project, const TDevices& devices);

// What the bill has to say besides its rows, one sentence each (code page 1250, in
// the active language): kits that refer back to themselves, rows left out for an
// impossible quantity, manifolds not counted as the one kit of their size.  Every
// form of the bill shows them: printed under its table, in its files and dialogs.
std::vector<std::string> BillWarnings(const TUsedMaterial& bill);

// The quantity as the tables read as text give it (the CSV file, the clipboard's
// text, the command line's list and JSON): the decimal the single stands for, so
// that a quantity summed from singles shows 15.8, not the 15.799999 the sum came to.
std::string QuantityText(float quantity, char separator = DecimalSeparator());

} // namespace kalorina
