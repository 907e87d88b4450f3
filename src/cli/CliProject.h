#pragma once
// Reading the project file a CLI command works on.
#include <functional>
#include <string>

#include "CliCommand.h"
#include "document/TProject.h"

namespace kalorina::cli {

// Reads `path` into `project` and names the project after it.  Returns kOk, or
// the failure code after the reason has gone to stderr.
// `answerError`, if given, also gets the reason (code page 1250, the path first), for
// a command whose JSON answer must carry it.
int ReadCliProject(Context& ctx, const std::string& path, TProject& project,
                   const std::function<void(const std::string&)>& answerError = {});

// A project with stored values outside what a building can need gives no quantity
// to print: names each such value on stderr (and, if given, to `answerError`, one
// text) and returns the failure code; kOk when every value is plausible.
int RefuseImplausibleValues(Context& ctx, const TProject& project,
                            const std::function<void(const std::string&)>& answerError = {});

} // namespace kalorina::cli
