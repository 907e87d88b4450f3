#pragma once
// The rows each part of a design adds to the bill of materials.
#include <cstddef>
#include <string>
#include <vector>

namespace kalorina {

class FloorHeatingField;
class TDevices;
class THydraulic;
class TResist;
class TRoomItem;
class TRoundItem;
class TUsedMaterial;

// A field with area: its system by area at its spacing ("m2").
void AddFieldMaterials(TUsedMaterial& bill, const FloorHeatingField& field, const TDevices& devices);
// A fitting line marked for listing: pieces of a catalogue fitting (by its display
// name for the size in use) or of the user's own fitting (by its text and size).
void AddResistMaterials(TUsedMaterial& bill, const TResist& fitting, const std::string& tubeSize,
                        const TDevices& devices, const std::string& piecesText);
// A circuit's tube by length, its valve by piece, then its fittings.
void AddHydraulicMaterials(TUsedMaterial& bill, const THydraulic& hydraulic, const TDevices& devices,
                           const std::string& piecesText);
// The manifold kits that give a manifold `outlets` outlets, given the outlet counts
// the catalogue has kits for: the fewest kits that give at least that many, among
// those the fewest outlets left over (closed), and the larger kits first; so a
// manifold of 13 where kits go to 12 is an 11 and a 2, one of 1 where the smallest
// kit has 2 is a 2 with one outlet closed.  Empty when there is no kit at all or
// nothing to feed.  The kit sizes come back largest first.
std::vector<int> ChooseManifoldKits(int outlets, const std::vector<int>& kitSizes);
// A manifold feeding `outlets` circuits: the catalogue's manifold kits for it (see
// ChooseManifoldKits), each once.  The catalogue names its manifold kits
// "@...HKV-N", N the outlets.  Anything but the one kit of its size adds a note
// naming the manifold to the bill's manifoldNotes: the kits counted instead and the
// outlets that stay closed, or that no kit was counted.
void AddManifoldMaterials(TUsedMaterial& bill, const std::string& manifoldName, std::size_t outlets,
                          const TDevices& devices, const std::string& piecesText);
void AddRoomMaterials(TUsedMaterial& bill, const TRoomItem& room, const TDevices& devices);
void AddRoundMaterials(TUsedMaterial& bill, const TRoundItem& round, const TDevices& devices,
                       const std::string& piecesText);

} // namespace kalorina
