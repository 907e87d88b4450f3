#pragma once
// The program's failure: an exception carrying a ready-to-show message in code
// page 1250 (usually the looked-up text of an IDS_ identifier).
#include <stdexcept>
#include <string>

namespace kalorina {

class KalorinaError : public std::runtime_error {
public:
    explicit KalorinaError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace kalorina
