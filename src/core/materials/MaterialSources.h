#pragma once
// The rows each part of a design adds to the bill of materials.
#include <cstddef>
#include <string>

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
// A manifold feeding `outlets` circuits: the catalogue's manifold kit of that many
// outlets, once.  The catalogue names its manifold kits "@...HKV-N", N the
// outlets; a manifold of a size it has no kit for adds nothing.
void AddManifoldMaterials(TUsedMaterial& bill, std::size_t outlets, const TDevices& devices,
                          const std::string& piecesText);
void AddRoomMaterials(TUsedMaterial& bill, const TRoomItem& room, const TDevices& devices);
void AddRoundMaterials(TUsedMaterial& bill, const TRoundItem& round, const TDevices& devices,
                       const std::string& piecesText);

} // namespace kalorina
