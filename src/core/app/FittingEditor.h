#pragma once
// The rules of the fitting dialogs and of the fitting lists the circuit and project
// options dialogs keep: a catalogue fitting edited by count, size and listing, a
// fitting the user describes completely, and adding, changing and removing lines.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/FieldRows.h"
#include "calc/TResist.h"
#include "catalogue/DeviceTreeNode.h"

namespace kalorina {

class ResistDBItem;
class TDevices;

// The names of the value modes, in mode order (kv, zeta, pressure drop).
std::vector<std::string> ResistModeNames();

struct CatalogueFittingView {
    std::string name, link, count, mode, value;
    std::vector<std::string> sizes; // empty when the item is no longer in the catalogue
    int sizeIndex = -1;
    bool listing = false;
};

// A catalogue fitting, edited in place: a size change takes the size's value at
// once and keeps it even when the dialog is then cancelled.
class CatalogueFittingEditor {
public:
    CatalogueFittingEditor(TResist& fitting, const TDevices& devices);
    CatalogueFittingView View() const;
    // The controls as read; `count` is the count edit's text.  A count that is not a
    // whole number of pieces raises IDS_WRONGVALUE and takes nothing.
    void Read(const std::string& count, const std::string& sizeText, bool listing);
    // Read, then the value of the chosen size (or the item's default); the new value
    // text.  Nothing more when the item is missing.
    std::string SizeChanged(const std::string& count, const std::string& sizeText, bool listing);
    void Commit(const std::string& count, const std::string& sizeText, bool listing) { Read(count, sizeText, listing); }

private:
    TResist& fitting_;
    const ResistDBItem* item_;
};

struct UniqueFittingView {
    std::string name, count, size, value;
    int mode = 0;
    bool listing = false;
};

struct UniqueFittingInputs {
    std::string name;
    std::string count, size; // whole numbers as typed
    int mode = 0;
    double value = 0;
    bool listing = false;
};

// A fitting the user describes; opening marks the fitting as custom.
class UniqueFittingEditor {
public:
    explicit UniqueFittingEditor(TResist& fitting);
    UniqueFittingView View() const;
    // Checks every input before it stores any; raises IDS_WRONGVALUE for a count or
    // size that is not a whole number in range.
    void Commit(const UniqueFittingInputs& inputs);

private:
    TResist& fitting_;
};

// A fitting line's dialog: true on OK.
using FittingDialog = std::function<bool(TResist&)>;

// A circuit's or the project's fitting list.
class FittingList {
public:
    FittingList(std::vector<TResist>& fittings, const TDevices& devices) : fittings_(fittings), devices_(devices) {}
    std::vector<RowCells> Rows(const TListHeaderFormat& format) const;
    // A new line of the catalogue fitting `itemName`, appended when `edit` confirms;
    // false (nothing asked) for a name that is no catalogue fitting.
    bool AddFromCatalogue(const std::string& itemName, const FittingDialog& edit);
    bool AddUnique(const FittingDialog& edit);
    // Edits line `index` in place in the dialog its kind needs; the dialog's result.
    bool Modify(int index, const FittingDialog& editCatalogue, const FittingDialog& editUnique);
    // The delete question for line `index`.
    std::string DeleteQuestion(int index) const;
    void Delete(int index);
    int Count() const { return static_cast<int>(fittings_.size()); }

private:
    std::vector<TResist>& fittings_;
    const TDevices& devices_;
};

// A fittings tree as its dialog left it: the nodes and which were expanded, in
// node index order (depth first), and the text of the selected node.
struct FittingsTreeMemory {
    std::optional<DeviceTreeNode> savedTree;
    std::vector<bool> savedExpanded;
    std::string lastNode;
};

} // namespace kalorina
