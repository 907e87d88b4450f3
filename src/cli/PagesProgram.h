#pragma once
// The printing commands (report, bom) draw their pages with QtGui.  They live in
// a companion program, kalorina-cli-pages, so that every other command starts
// without loading the GUI libraries (a third of a catalogue check's time went to
// loading them); kalorina-cli hands those commands over whole.
#include <string>

#include "CliCommand.h"

namespace kalorina::cli {

inline constexpr const char* kPagesProgram = "kalorina-cli-pages";

inline constexpr const char* kReportSynopsis =
    "report PROJECT.klp --kind rooms|fields|circuits|detailed|manifolds|heatload|plan "
    "(--pdf OUT.pdf | --png DIR | --rtf OUT.rtf | --csv OUT.csv)... "
    "[--all | --only NAME...] [--language NAME] [--margins L,T,R,B] [--title TEXT] [--landscape]";
inline constexpr const char* kBomSynopsis =
    "bom PROJECT.klp [--json] [--xls F] [--rtf F] [--csv F] [--html F] [--pdf F] [--png DIR] [--title TEXT] "
    "[--language NAME]";

// Where the companion program is: beside this one (a build folder), else where
// it is installed.  Empty when neither holds it.
std::string PagesProgramPath();

// Runs the whole command line in the companion program, with the same standard
// streams; its exit code is the answer.  A program that cannot be started fails
// with a message.
int RunInPagesProgram(Context& ctx);

} // namespace kalorina::cli
