#pragma once
// The installer's sheet of the manifolds: per manifold its supply, design spread,
// mixed return, total output and flows, pump head and index circuit, whether the
// automatic design has set it, the valves its outlets carry and what the design
// check finds wrong with its circuits and rooms; and one row per outlet with the
// circuit it feeds, the rooms that circuit heats, its tube length, flow (l/h, kg/h
// and l/min, as flow meters read), output, return, pressure drop and valve
// presetting.  The printed schedule and its CSV file are made from the same rows.
#include <string>
#include <vector>

namespace kalorina {

class TDevices;
class TProject;

struct ManifoldOutlet {
    int number = 0;                     // 1-based place of the circuit among the manifold's circuits
    int round = -1;                     // place in the project's circuit list
    std::string circuit;                // code page 1250
    std::vector<std::string> roomNames; // code page 1250, each room once, in flow order
    float tubeLength = 0;               // m
    float massFlow = 0;                 // kg/h
    float volumeFlow = 0;               // l/h at the circuit's medium density; 0 without one
    float volumeFlowPerMinute = 0;      // l/min, what the outlet's flow meter reads
    float power = 0;                    // W
    float returnTemperature = 0;        // °C
    float pressureDrop = 0;             // kPa, the circuit's own resistance (tube and fittings)
    std::string valve;                  // the valve's key among the manifold's valves ("A"), empty without one
    std::string valveName;              // its display name, code page 1250
    std::string presetting;             // the valve position as stored, empty without a valve
    bool index = false;                 // the circuit that needs the most pressure

    std::string RoomsText() const; // the rooms joined by ", "
};

// A valve the manifold's outlets carry, with the scale its presetting is read on.
struct ScheduleValve {
    std::string key;  // "A", "B", ... in the order the outlets first use them
    std::string name; // display name, code page 1250
    // Its presettings run from `first` (the most throttling) to `last` (open);
    // both empty when the catalogue does not know the valve's size.
    std::string first, last;
};

struct ManifoldSchedule {
    int manifold = -1;
    std::string name, location;         // code page 1250
    bool designed = false;              // the automatic design has set this manifold
    float supplyTemperature = 0;        // °C
    float designSpread = 0;             // K, the spread the manifold is designed for
    float mixedReturn = 0;              // °C, the returns mixed by their mass flows
    float spread = 0;                   // K, supply minus the mixed return
    float totalPower = 0;               // kW
    float totalMassFlow = 0;            // kg/h
    float totalVolumeFlow = 0;          // l/h
    float totalVolumeFlowPerMinute = 0; // l/min
    // The pressure the pump has to give the circuits (loops, fittings and valves);
    // the manifold, the mixing set and the heat source come on top.
    float pumpHead = 0;       // kPa
    float pumpHeadMetres = 0; // m of water (1000 kg/m3, standard gravity)
    std::string indexCircuit;
    std::vector<ScheduleValve> valves;
    std::vector<ManifoldOutlet> outlets;
    // The design check's problems of its circuits and rooms, one sentence each
    // (code page 1250, active language).
    std::vector<std::string> warnings;
};

// Water's density and standard gravity: the metre of water column the pump head is
// also given in (9806.65 Pa).
inline constexpr double kPascalPerMetreOfWater = 1000.0 * 9.80665;

// The schedule of the manifold at `manifold` as the project stores it now.
ManifoldSchedule MakeManifoldSchedule(const TProject& project, const TDevices& devices, int manifold);
// Every manifold's schedule, in the project's order.
std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices);
// The schedules of the manifolds at `manifolds`, the design checked once for all.
std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices,
                                                    const std::vector<int>& manifolds);

// The schedules as one CSV table in UTF-8 with a byte order mark: a header row in
// the active language, then one row per outlet that repeats its manifold's figures
// (so that the rows can be sorted and filtered), numbers with the language's decimal
// sign and the cell separator that goes with it (CsvSeparator).  A manifold without circuits gets one row without outlet.
std::string ManifoldScheduleCsv(const std::vector<ManifoldSchedule>& schedules);

} // namespace kalorina
