#pragma once
// Loading the catalogue for a CLI command as the program does: the data directory
// from --data or the usual search, the language from --language ("Magyar").
#include <memory>
#include <string>

#include "CliCommand.h"
#include "catalogue/TDevices.h"
#include "util/Json.h"

namespace kalorina::cli {

std::string CliDataDirectory(const Context& ctx);
std::string CliLanguageName(const Context& ctx);
// Loads the language files once and selects --language ("Magyar") for messages
// and printing, as every command that reads a project speaks it.
void SelectCliLanguage(const Context& ctx);
std::unique_ptr<TDevices> LoadCliCatalogue(const Context& ctx);

using kalorina::JsonNumber;
using kalorina::JsonText;

} // namespace kalorina::cli
