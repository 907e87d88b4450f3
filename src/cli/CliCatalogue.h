#pragma once
// Loading the catalogue for a CLI command as the program does: the data directory
// from --data or the usual search, the language from --language ("Magyar").
#include <memory>
#include <string>

#include "CliCommand.h"
#include "catalogue/TDevices.h"

namespace kalorina::cli {

std::string CliDataDirectory(const Context& ctx);
std::string CliLanguageName(const Context& ctx);
std::unique_ptr<TDevices> LoadCliCatalogue(const Context& ctx);

// A JSON string literal of a code page 1250 text, as UTF-8.
std::string JsonText(const std::string& cp1250);
// A JSON number (finite; anything else as 0).
std::string JsonNumber(double value);

} // namespace kalorina::cli
