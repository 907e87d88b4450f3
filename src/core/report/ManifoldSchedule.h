#pragma once
// The installer's sheet of the manifolds: per manifold its supply, spread, total
// flows, pump head and index circuit, and one row per outlet with the circuit it
// feeds, the rooms that circuit heats, its tube length, flow and valve presetting.
// The printed schedule and its CSV file are made from the same rows.
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
    std::string presetting;             // the valve position as stored, empty without a valve

    std::string RoomsText() const; // the rooms joined by ", "
};

struct ManifoldSchedule {
    int manifold = -1;
    std::string name, location;  // code page 1250
    float supplyTemperature = 0; // °C
    float spread = 0;            // K
    float totalMassFlow = 0;     // kg/h
    float totalVolumeFlow = 0;   // l/h
    float pumpHead = 0;          // kPa
    std::string indexCircuit;
    std::vector<ManifoldOutlet> outlets;
};

// The schedule of the manifold at `manifold` as the project stores it now.
ManifoldSchedule MakeManifoldSchedule(const TProject& project, const TDevices& devices, int manifold);
// Every manifold's schedule, in the project's order.
std::vector<ManifoldSchedule> MakeManifoldSchedules(const TProject& project, const TDevices& devices);

// The schedules as one CSV table in UTF-8 with a byte order mark: a header row in
// the active language, then one row per outlet that repeats its manifold's figures
// (so that the rows can be sorted and filtered), ';' between cells, numbers with the
// program's decimal sign.  A manifold without circuits gets one row without outlet.
std::string ManifoldScheduleCsv(const std::vector<ManifoldSchedule>& schedules);

} // namespace kalorina
