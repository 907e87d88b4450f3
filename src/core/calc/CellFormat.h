#pragma once
// How list and report cells turn numbers into text: each column carries its own
// number format, handed to the row objects as a function.
#include <functional>
#include <string>

namespace kalorina {

using CellNumberFormat = std::function<std::string(double)>;

// The colour prefix that marks a cell red in lists (reports strip it).
inline constexpr const char* kRedCell = "\\red";

} // namespace kalorina
