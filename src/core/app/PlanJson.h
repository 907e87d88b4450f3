#pragma once
// The floor plan as JSON, the form in which other tools hand a plan to us and take
// it back (coordinates in metres, texts UTF-8):
//   {"floors": [{"name", "level",
//                "rooms": [{"room": NAME, "outline": [[x, y], ...]}],
//                "doors": [{"rooms": [NAME, NAME or ""], "at": [[x1, y1], [x2, y2]]}],
//                "manifolds": [{"manifold": NAME, "position": [x, y]}]}]}
#include <string>

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

} // namespace kalorina
