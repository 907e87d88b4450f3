#pragma once
// Everything wrong with a design, found on a project that has just been
// recalculated: shortfalls, temperatures beyond the limits, unused floor, tubes too
// long, hydraulic warnings, references that point nowhere, names and values that
// cannot be right.  The check reads the project and the catalogue and changes
// neither; the caller recalculates a copy first, so that what is checked is what
// the design gives now.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalorina {

class TDevices;
class THydraulic;
class TProject;

enum class ProblemSeverity : std::uint8_t { Error, Warning };

enum class ProblemKind : std::uint8_t {
    RoomShortfall,
    SurfaceTemperature,
    UnassignedArea,
    FieldAreaBeyondRoom,
    RoomWithoutFields,
    TubeTooLong,
    Velocity,
    Pressure,
    BrokenReference,
    TemperatureOrder,
    EmptyName,
    DuplicateName,
    ImplausibleValue,
    SupplementaryHeat, // a room allowed a heater beside the floor needs one
    Insulation,        // too little insulation under the tubes for what lies below
    ManifoldSupply,    // a circuit set to another supply than the rest of its manifold
    LayoutStale,       // a tube laid before its plan or its circuit changed
};

// The kind's name in machine-readable output ("roomShortfall", ...).
std::string_view ProblemKindName(ProblemKind kind);
// "error" or "warning".
std::string_view ProblemSeverityName(ProblemSeverity severity);

struct DesignProblem {
    ProblemSeverity severity = ProblemSeverity::Error;
    ProblemKind kind = ProblemKind::RoomShortfall;
    std::string roomName;  // the room concerned, or empty
    std::string roundName; // the circuit concerned, or empty
    std::string text;      // what is wrong and by how much, code page 1250

    bool operator==(const DesignProblem&) const = default;
};

// The loop length a tube is held to where its catalogue size gives none, m.
inline constexpr double kDefaultMaxLoopLength = 120.0;
// The velocity a circuit's water should keep to, m/s.
inline constexpr double kMinVelocity = 0.1;
inline constexpr double kMaxVelocity = 0.5;

// Whether a room `shortfall` W short of its heat loss `demand` is short at all:
// below 1 W, or 1 % of the heat loss, the difference is the rounding of what is
// shown.  The check, the design and the reports draw the line at the same place.
bool NoticeableShortfall(double shortfall, double demand);

// The problems of `recalculated`, rooms first (in list order), then circuits, then
// the names.  Never changes the project.  Recalculating forgets the name of a room
// that is gone; `asRead`, the project as it was before, if given, supplies the name
// its circuits last knew, so that a broken reference still names its room.
std::vector<DesignProblem> CheckDesign(const TProject& recalculated, const TDevices& devices,
                                       const TProject* asRead = nullptr);

// The longest loop the circuit's tube size is made for, m: the catalogue's, or
// kDefaultMaxLoopLength where it gives none.
double MaxLoopLength(const THydraulic& hydraulic, const TDevices& devices);

// A design check text by its key in the active language, or in English where no
// language file defines it.
std::string DesignCheckText(const std::string& id);

// "2 errors, 1 warning" in the active language.
std::string DesignCheckSummary(int errors, int warnings);

// True when one of the problems is an error.
bool AnyDesignError(const std::vector<DesignProblem>& problems);

} // namespace kalorina
