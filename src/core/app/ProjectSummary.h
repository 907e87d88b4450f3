#pragma once
// What the project commands print: the whole project as one JSON object, or a
// readable summary per room and circuit, with the outcome of each item's
// recalculation beside it.
#include <string>

#include "app/ProjectRecalc.h"
#include "document/TProject.h"

namespace kalorina {

std::string ProjectJson(const TProject& project, const RecalcOutcome& outcome);
// UTF-8 lines.
std::string ProjectText(const TProject& project, const RecalcOutcome& outcome);

} // namespace kalorina
