#pragma once
// The program's built-in resources: the string table, the column formats and the
// RTF prologue, compiled in from the resources folder.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalorina {

struct EmbeddedResource {
    const char* name; // path below the resources folder, e.g. "strings.txt"
    const unsigned char* data;
    std::size_t size;
};

extern const EmbeddedResource kEmbeddedResources[];

// Raw bytes of a built-in resource file, as stored in the repository (UTF-8).
std::optional<std::string_view> FindResource(std::string_view name);

// Entry `number` of the program's string table, in code page 1250; empty when absent.
std::string ResourceString(int number);

} // namespace kalorina
