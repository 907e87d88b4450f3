#pragma once
// Cut, copy and paste of rooms, circuits and manifolds through the clipboard,
// between windows and between running copies of the program.  The payload: a 16-bit
// kind (0 room, 1 circuit, 2 manifold) and the item as the project file stores it; a
// manifold is its members, a 16-bit count and its circuits one after another.
#include <string>

namespace kalorina {

class ClipboardService;
class TProject;

// Puts the named room or circuit on the clipboard (replacing what it held); false
// when the project has no such item (the clipboard is then left alone).
bool CopyItemToClipboard(const TProject& project, const std::string& name, bool isRoom, ClipboardService& clipboard);
// Puts the named manifold and its circuits on the clipboard; false without one.
bool CopyManifoldToClipboard(const TProject& project, const std::string& name, ClipboardService& clipboard);

struct PasteResult {
    bool pasted = false;
    bool isRoom = false;
    bool isManifold = false;
    std::string name; // the name it was given
};

// Appends the item on the clipboard under a free name (a room with a new id) and
// marks the project modified; nothing without one.  A circuit goes to the manifold
// at `manifold` (the first when out of range); a manifold comes with its circuits,
// each under a free name.  A malformed or truncated item raises a KalorinaError
// (IDS_BADCLIPBOARDITEM) and leaves the project unchanged.
PasteResult PasteItemFromClipboard(TProject& project, const ClipboardService& clipboard, int manifold = 0);

} // namespace kalorina
