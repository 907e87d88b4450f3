#pragma once
// The automatic design of a manifold: the lowest common supply temperature that
// heats every room the manifold alone feeds (rooms allowed a supplementary heater
// aside), one spread per room, as large as still heats it, the least pump pressure,
// and the valve presettings that give every circuit at least its flow.  The flows
// reported and stored are those the water really takes at the pump pressure and
// the printed presettings.  Every number comes from the program's own circuit
// calculation, so the designed project recalculates to what it stores.
#include <optional>
#include <string>
#include <vector>

#include "document/TProject.h"

namespace kalorina {

class TDevices;

struct DesignedCircuit {
    int round = -1; // place in the project's circuit list
    std::string roundName;
    float forward = 0, return_ = 0; // °C
    float massFlow = 0;             // kg/h
    float circuitPressureDrop = 0;  // Pa
    float valvePressureDrop = 0;    // Pa, the throttling at the presetting
    std::string valvePosition;
    std::vector<std::string> roomNames; // the rooms its parts lie in, in part order
    float tubeLength = 0;               // m
    float designSpread = 0;             // K, the spread the design gave the circuit's rooms
    float designMassFlow = 0;           // kg/h, the least flow that heats its rooms at that spread
};

// What a room's floor leaves to a supplementary heater.
struct SupplementaryHeat {
    std::string room; // code page 1250
    float watts = 0;
};

struct ManifoldDesignResult {
    int manifold = -1;
    std::string name;
    bool designed = false;       // false when the manifold feeds no circuit that carries heat
    float supplyTemperature = 0; // °C
    float spread = 0;            // K, the design spread the index room's circuit runs at
    float availablePressure = 0; // Pa, the least that gives every circuit its flow
    float totalMassFlow = 0;     // kg/h
    std::string indexCircuit;    // the circuit that needs the most pressure
    std::vector<std::string> uncoveredRooms;
    std::vector<DesignedCircuit> circuits;
    std::vector<std::string> warnings; // code page 1250, in the active language
    std::string designRoom;            // the room that sets the supply temperature
    std::vector<SupplementaryHeat> supplementaryHeat;
};

struct DesignOutcome {
    TProject project; // the designed project
    std::vector<ManifoldDesignResult> manifolds;
};

// Designs every manifold, or only the one at `onlyManifold`.  `project` is left as
// it is; the designed copy comes back with the results.
DesignOutcome DesignManifolds(const TProject& project, const TDevices& devices,
                              std::optional<int> onlyManifold = std::nullopt);

// The schedule figures of a manifold as the project stores them now, without
// designing: its circuits, supply, spread (supply minus the mixed return), total
// flow, the pressure its pump has to give and its index circuit.
ManifoldDesignResult ManifoldFigures(const TProject& project, const TDevices& devices, int manifold);

// What the pump must give a circuit at its flow: its own resistance and its valve
// fully open.  The circuit that needs most is its manifold's index circuit.
double PressureNeeded(const THydraulic& hydraulic, const TDevices& devices);

} // namespace kalorina
