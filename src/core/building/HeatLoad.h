#pragma once
// The design heat load of each room from its envelope and its air, room by room
// as the detailed method of the heat-load standard has it:
//   transmission  Φ_T = ΣH · (θint − θe), per element
//     outside     H = A·(U + ΔU_TB)
//     unheated    H = A·(U + ΔU_TB)·b_u,  b_u = (θint − θu)/(θint − θe) where θu is given
//     heated      H = A·U·f_ij,           f_ij = (θint − θj)/(θint − θe)
//     ground      H = A·U·f_g1·f_g2·G_w,  f_g1 = 1.45, f_g2 = (θint − θm,e)/(θint − θe),
//                                          G_w = 1.15 with groundwater within 1 m, else 1.00
//   air           Φ_V = 0.34 · max(V_inf, V_min) · (θint − θe), V in m3/h
//                 V_min = n_min·V, V_inf = 2·V·n50·e·ε, V = floor area × clear height
//   heating up    Φ_RH = floor area × f_RH
//   room          Φ_HL = Φ_T + Φ_V + Φ_RH
// The building's load is the rooms' sum; the rule for the simultaneous air change
// of a whole building is not applied.
#include <string>
#include <vector>

#include "document/HeatLoadData.h"

namespace kalorina {

class TProject;
class TRoomItem;

struct ElementLoad {
    std::string name;
    double u = 0;      // W/m2K, its own or its construction's
    double factor = 1; // b_u, f_ij or f_g1·f_g2·G_w; 1 towards outside air
    double h = 0;      // W/K
    double watts = 0;  // W
};

struct RoomLoad {
    std::string room;
    double transmissionH = 0; // W/K
    double transmission = 0;  // W
    double volume = 0;        // m3
    double infiltration = 0;  // m3/h
    double minimumAir = 0;    // m3/h
    double ventilation = 0;   // W
    double heatingUp = 0;     // W
    double total = 0;         // W
    std::vector<ElementLoad> elements;
};

// Surface resistances, m2K/W: inside by the direction of heat flow, outside.
double InsideSurfaceResistance(HeatFlow flow);
constexpr double kOutsideSurfaceResistance = 0.04;
// A construction's U: as typed, or 1/(R_si + Σ d/λ + R_se) from its layers (0 when
// a layer has no conductivity or there are none).
double ConstructionU(const Construction& c);
// The U an element is computed with: its construction's where it names one the
// project has, else its own.
double ElementU(const HeatElement& e, const ProjectHeatLoad& climate);
const Construction* FindConstruction(const ProjectHeatLoad& climate, const std::string& name);

// Shielding coefficient e by shielding class and façades with openings (0, 1, more).
double ShieldingCoefficient(Shielding shielding, int exposedFacades);
// Height correction ε by the room's height above ground.
double HeightCorrection(double heightAboveGround);

// The load of a room with heat-load data (a room without any has none: all zero).
RoomLoad RoomHeatLoadOf(const TRoomItem& room, const ProjectHeatLoad& climate);

struct BuildingLoad {
    std::vector<RoomLoad> rooms; // the rooms with heat-load data, in project order
    double total = 0;            // W, their sum
};
BuildingLoad BuildingHeatLoad(const TProject& project);

// The heat loss a room takes from its computed load: whole watts, and 0 for a room
// that its warmer neighbours heat more than it loses (it needs no heat).
float AppliedHeatLoss(double load);

// Gives every room with elements and without a kept typed value its computed load,
// rounded to whole watts, as its heat loss, and every element of a construction
// that construction's U.  The number of rooms whose heat loss changed.
int ApplyHeatLoads(TProject& project);

} // namespace kalorina
