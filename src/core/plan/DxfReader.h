#pragma once
// Reading the architects' DXF drawings (through Debian's dxflib): the layers, the
// polylines (LWPOLYLINE and POLYLINE, with their bulges), the lines and the texts
// (TEXT, MTEXT), each on its layer, in the drawing's own units.  Turning a closed
// polyline into a room outline scales it to metres and lays its arcs as chords.
#include <string>
#include <vector>

#include "plan/Geometry.h"

namespace kalorina::plan {

struct DxfVertex {
    Point at;
    double bulge = 0; // tan(θ/4) of the arc to the next vertex; 0 straight
};

struct DxfPolyline {
    std::string layer;
    bool closed = false;
    std::vector<DxfVertex> vertices;
};

struct DxfLine {
    std::string layer;
    Point from, to;
};

struct DxfText {
    std::string layer;
    Point at;
    std::string text; // code page 1250
};

struct DxfDrawing {
    std::vector<std::string> layers; // as the table lists them, then any others used
    std::vector<DxfPolyline> polylines;
    std::vector<DxfLine> lines;
    std::vector<DxfText> texts;
};

// Raises a KalorinaError when the bytes are no DXF drawing.
DxfDrawing ReadDxf(const std::string& bytes);

// The drawing's units in metres.
enum class DxfUnit { Millimetre, Centimetre, Metre };
double MetresPer(DxfUnit unit);

// The closed polyline as an outline in metres: each arc replaced by chords that
// stray at most `deviation` metres from it.
Polygon OutlineOf(const DxfPolyline& polyline, DxfUnit unit, double deviation = 0.05);

} // namespace kalorina::plan
