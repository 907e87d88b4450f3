#pragma once
// The floor plan as JSON, the form in which other tools hand a plan to us and take
// it back (coordinates in metres, texts UTF-8):
//   {"floors": [{"name", "level",
//                "rooms": [{"room": NAME, "outline": [[x, y], ...]}],
//                "doors": [{"rooms": [NAME, NAME or ""], "at": [[x1, y1], [x2, y2]]}],
//                "manifolds": [{"manifold": NAME, "position": [x, y]}]}]}
#include <string>

#include "plan/DxfReader.h"

namespace kalorina {

class TProject;

std::string ExportPlan(const TProject& project);

// Replaces the project's plan with the one in `json`.  Rooms it names and the
// project lacks are added with the project options' room temperature; every room
// with an outline takes its area from it.  Raises a KalorinaError naming the room,
// door or manifold and what is wrong (text no JSON, an unknown key or manifold, an
// outline that has fewer than 3 corners or crosses itself, two outlines on a floor
// that overlap), and then leaves the project as it was.
void ImportPlan(TProject& project, const std::string& json);

// Takes the rooms of a DXF drawing into the floor `floorName` of the plan (added
// when the plan has none of that name): each closed polyline on `layer` becomes a
// room outline, named by a TEXT or MTEXT inside it, else "Helyiség N".  Rooms
// matched by name keep their data, new ones are added; the floor's outlines are
// replaced.  Raises a KalorinaError naming the layer or the polyline and its room
// (no such layer, no closed polyline on it, an outline that crosses itself or
// overlaps another), and then leaves the project as it was.
void ImportDxf(TProject& project, const plan::DxfDrawing& drawing, const std::string& layer, plan::DxfUnit unit,
               const std::string& floorName);

} // namespace kalorina
