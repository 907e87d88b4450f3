#pragma once
// The text of the error a piece of work throws, for comparing refusals in tests.
#include <functional>
#include <string>

#include "util/Error.h"

namespace kalorina::test {

// The message of the KalorinaError `work` throws; "nothing" when it runs through.
inline std::string ThrownText(const std::function<void()>& work)
{
    try {
        work();
    } catch (const KalorinaError& e) {
        return e.what();
    }
    return "nothing";
}

} // namespace kalorina::test
