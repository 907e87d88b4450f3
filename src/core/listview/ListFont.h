#pragma once
// The font of the program's list views as the user set it in the registry (key
// Fonts, values ListName and ListSize); the program never writes it.
#include <string>

namespace kalorina {

struct TListFont {
    std::string name = "MS Sans Serif";
    int size = 10;  // points
};

// The stored list font, each part defaulting when absent.
TListFont ReadListFont();

} // namespace kalorina
