#pragma once
// The laid tubes as a DXF drawing (through Debian's dxflib) that CAD programs open:
// the rooms' outlines on a layer of their own, each circuit's tube (supply, loops,
// joins, return as one line) with its name and length on a layer of its own.
#include <string>
#include <vector>

#include "plan/LayoutData.h"
#include "plan/PlanData.h"

namespace kalorina::plan {

struct DxfCircuit {
    std::string name; // code page 1250
    const CircuitLayout* layout = nullptr;
};

// The tube as one line: supply route, each loop with the join after it, the return.
Polyline WholeTube(const CircuitLayout& layout);

// The drawing's bytes; raises a KalorinaError when dxflib cannot write.
std::string LayoutDxf(const Plan& plan, const std::vector<DxfCircuit>& circuits);

// A layer name CAD programs take: ASCII letters, digits, '-' and '_' only, accents
// dropped (a drawing's code page is not always read as written).
std::string DxfLayerName(const std::string& cp1250);

} // namespace kalorina::plan
