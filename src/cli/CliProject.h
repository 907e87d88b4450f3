#pragma once
// Reading the project file a CLI command works on.
#include <string>

#include "CliCommand.h"
#include "document/TProject.h"

namespace kalorina::cli {

// Reads `path` into `project` and names the project after it.  Returns kOk, or
// the failure code after the reason has gone to stderr.
int ReadCliProject(Context& ctx, const std::string& path, TProject& project);

} // namespace kalorina::cli
